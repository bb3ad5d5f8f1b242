// Programmatic identifiers ("Excel.Application") and the servers that create their objects.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "spreadsheet/dispatch.h"
#include "spreadsheet/spreadsheet_ui.h"

namespace qlnx {

// Creates a new object of one class; throws AutomationError when the server refuses.
using ObjectFactory = std::function<DispatchPtr(const SpreadsheetUi& ui)>;

// Registers factory under progId (case-insensitive), replacing the one registered before,
// which is returned (empty when there was none). "Excel.Application" is registered from
// the start with the in-process workbook application.
ObjectFactory RegisterClass(std::string_view progId, ObjectFactory factory);
// Removes progId; returns the factory it had.
ObjectFactory UnregisterClass(std::string_view progId);

// A new object of the class registered as progId. Throws AutomationError
// "Invalid class string" when progId is not registered, or the server's own error.
DispatchPtr CreateObjectFromProgId(std::string_view progId, const SpreadsheetUi& ui);

// Replaces the server of progId for the lifetime of the guard (tests).
class ScopedClassRegistration {
public:
    ScopedClassRegistration(std::string progId, ObjectFactory factory);
    ~ScopedClassRegistration();
    ScopedClassRegistration(const ScopedClassRegistration&) = delete;
    ScopedClassRegistration& operator=(const ScopedClassRegistration&) = delete;

private:
    std::string progId_;
    ObjectFactory previous_;
};

}  // namespace qlnx
