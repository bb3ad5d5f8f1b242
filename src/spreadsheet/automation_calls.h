// The four late-bound call primitives: property get, property put, function, procedure.
#pragma once

#include <initializer_list>
#include <string_view>

#include "spreadsheet/auto_value.h"
#include "spreadsheet/dispatch.h"

namespace qlnx {

// Each primitive looks the member name up on the object (locale 2048) and then invokes
// the identifier it got; nothing is cached, so every call makes its own lookup. Arguments
// are given first to last, as the object model lists them, and are handed to the
// invocation in reverse order. A failed lookup or invocation throws the AutomationError
// the object raised; a null object throws AutomationError "Object required".

// Property get (flag 2); returns the property's value.
AutoValue PropertyGet(const DispatchPtr& object, std::string_view name,
                      std::initializer_list<AutoValue> args = {});
// Property put (flag 4); the value travels as the one named argument -3.
void PropertySet(const DispatchPtr& object, std::string_view name, const AutoValue& value);
// Method call (flag 1) with its result.
AutoValue CallFunction(const DispatchPtr& object, std::string_view name,
                       std::initializer_list<AutoValue> args = {});
// Method call (flag 1) without asking for a result.
void CallProcedure(const DispatchPtr& object, std::string_view name,
                   std::initializer_list<AutoValue> args = {});

}  // namespace qlnx
