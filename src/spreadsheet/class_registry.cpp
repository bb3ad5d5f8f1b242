#include "spreadsheet/class_registry.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "spreadsheet/automation_error.h"
#include "spreadsheet/workbook_application.h"

namespace qlnx {

namespace {

std::string Key(std::string_view progId) {
    std::string key(progId);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return key;
}

std::map<std::string, ObjectFactory>& Classes() {
    static std::map<std::string, ObjectFactory> classes{
        {Key(kWorkbookApplicationProgId), CreateWorkbookApplication},
    };
    return classes;
}

}  // namespace

ObjectFactory RegisterClass(std::string_view progId, ObjectFactory factory) {
    ObjectFactory& slot = Classes()[Key(progId)];
    return std::exchange(slot, std::move(factory));
}

ObjectFactory UnregisterClass(std::string_view progId) {
    auto& classes = Classes();
    auto it = classes.find(Key(progId));
    if (it == classes.end()) return {};
    ObjectFactory old = std::move(it->second);
    classes.erase(it);
    return old;
}

DispatchPtr CreateObjectFromProgId(std::string_view progId, const SpreadsheetUi& ui) {
    auto& classes = Classes();
    auto it = classes.find(Key(progId));
    if (it == classes.end() || !it->second) throw AutomationError("Invalid class string");
    DispatchPtr object = it->second(ui);
    if (!object) throw AutomationError("Server execution failed");
    return object;
}

ScopedClassRegistration::ScopedClassRegistration(std::string progId, ObjectFactory factory)
    : progId_(std::move(progId)), previous_(RegisterClass(progId_, std::move(factory))) {}

ScopedClassRegistration::~ScopedClassRegistration() {
    if (previous_) {
        RegisterClass(progId_, std::move(previous_));
    } else {
        UnregisterClass(progId_);
    }
}

}  // namespace qlnx
