// The failure of a member lookup or an invocation on an automation object.
#pragma once

#include "core/errors.h"

namespace qlnx {

// what() is the description the object supplied; it reaches the user unchanged.
class AutomationError : public Error {
public:
    using Error::Error;
};

}  // namespace qlnx
