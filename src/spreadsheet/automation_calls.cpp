#include "spreadsheet/automation_calls.h"

#include <array>

#include "spreadsheet/automation_error.h"

namespace qlnx {

namespace {

// No member of the object model takes more positional arguments than this.
constexpr size_t kMaxArgs = 8;

Dispatch& Target(const DispatchPtr& object) {
    if (!object) throw AutomationError("Object required");
    return *object.get();
}

void InvokePositional(const DispatchPtr& object, std::string_view name, uint16_t flags,
                      std::initializer_list<AutoValue> args, AutoValue* result) {
    Dispatch& target = Target(object);
    if (args.size() > kMaxArgs) throw AutomationError("Invalid number of parameters");
    const DispId id = target.GetIDOfName(name, kLocaleSystemDefault);
    std::array<AutoValue, kMaxArgs> reversed;
    size_t k = args.size();
    for (const AutoValue& a : args) reversed[--k] = a;
    DispParams params;
    params.args = reversed.data();
    params.argCount = static_cast<uint32_t>(args.size());
    target.Invoke(id, kLocaleSystemDefault, flags, params, result);
}

}  // namespace

AutoValue PropertyGet(const DispatchPtr& object, std::string_view name,
                      std::initializer_list<AutoValue> args) {
    AutoValue result;
    InvokePositional(object, name, kDispatchPropertyGet, args, &result);
    return result;
}

void PropertySet(const DispatchPtr& object, std::string_view name, const AutoValue& value) {
    Dispatch& target = Target(object);
    const DispId id = target.GetIDOfName(name, kLocaleSystemDefault);
    static constexpr DispId kPutId = kDispIdPropertyPut;
    DispParams params;
    params.args = &value;
    params.argCount = 1;
    params.namedIds = &kPutId;
    params.namedCount = 1;
    target.Invoke(id, kLocaleSystemDefault, kDispatchPropertyPut, params, nullptr);
}

AutoValue CallFunction(const DispatchPtr& object, std::string_view name,
                       std::initializer_list<AutoValue> args) {
    AutoValue result;
    InvokePositional(object, name, kDispatchMethod, args, &result);
    return result;
}

void CallProcedure(const DispatchPtr& object, std::string_view name,
                   std::initializer_list<AutoValue> args) {
    InvokePositional(object, name, kDispatchMethod, args, nullptr);
}

}  // namespace qlnx
