#include "spreadsheet/automation_object.h"

#include <cmath>

#include "spreadsheet/automation_error.h"

namespace qlnx {

namespace {

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

const char* KindWord(uint16_t kind) {
    switch (kind) {
        case kDispatchMethod: return "called";
        case kDispatchPropertyGet: return "read";
        case kDispatchPropertyPut: return "set";
    }
    return "used";
}

}  // namespace

CallArgs::CallArgs(const DispParams& params, std::string_view className, std::string_view member)
    : params_(params), className_(className), member_(member) {
    positional_ = params.argCount - params.namedCount;
    for (uint32_t k = 0; k < params.namedCount; ++k) {
        if (params.namedIds[k] == kDispIdPropertyPut) {
            putValue_ = &params.args[k];
        } else {
            Fail("takes no named arguments");
        }
    }
}

void CallArgs::Fail(std::string_view problem) const {
    throw AutomationError(std::string(className_) + "." + std::string(member_) + " " +
                          std::string(problem));
}

int32_t CallArgs::Int(const AutoValue& v) const {
    try {
        return ValueToInt32(v);
    } catch (const AutomationError& e) {
        Fail(std::string("needs a whole number (") + e.what() + ")");
    }
}

double CallArgs::Number(const AutoValue& v) const {
    double x = 0;
    try {
        x = ValueToDouble(v);
    } catch (const AutomationError& e) {
        Fail(std::string("needs a number (") + e.what() + ")");
    }
    if (!std::isfinite(x)) Fail("needs a finite number");
    return x;
}

bool CallArgs::Flag(const AutoValue& v) const {
    try {
        return ValueToBool(v);
    } catch (const AutomationError& e) {
        Fail(std::string("needs True or False (") + e.what() + ")");
    }
}

std::string CallArgs::Text(const AutoValue& v) const {
    if (v.Kind() == VarType::Bstr) return NarrowToUtf8(v.AsBstr());
    if (v.Kind() == VarType::Empty || v.Kind() == VarType::Null) return {};
    Fail(std::string("needs a text, not ") + VarTypeName(v.Kind()));
}

DispId AutomationObject::GetIDOfName(std::string_view name, uint32_t /*locale*/) {
    for (size_t i = 0; i < members_.size(); ++i) {
        if (SameNameIgnoringCase(members_[i].name, name)) return static_cast<DispId>(i + 1);
    }
    throw AutomationError("Unknown name \"" + std::string(name) + "\": the " +
                          std::string(className_) + " object has no member of that name");
}

void AutomationObject::Invoke(DispId id, uint32_t /*locale*/, uint16_t flags,
                              const DispParams& params, AutoValue* result) {
    if (id < 1 || static_cast<size_t>(id) > members_.size()) {
        throw AutomationError("Member not found on the " + std::string(className_) + " object");
    }
    const MemberInfo& member = members_[static_cast<size_t>(id - 1)];
    // A caller may offer several kinds at once (method or property get); take the first
    // one the member answers, in the order put, get, method.
    uint16_t kind = 0;
    for (uint16_t k : {kDispatchPropertyPut, kDispatchPropertyGet, kDispatchMethod}) {
        if ((flags & k) != 0 && (member.kinds & k) != 0) {
            kind = k;
            break;
        }
    }
    CallArgs args(params, className_, member.name);
    if (kind == 0) {
        const uint16_t asked = (flags & kDispatchPropertyPut)   ? kDispatchPropertyPut
                               : (flags & kDispatchPropertyGet) ? kDispatchPropertyGet
                                                                : kDispatchMethod;
        args.Fail(std::string("cannot be ") + KindWord(asked));
    }
    if (kind == kDispatchPropertyPut && params.namedCount == 0) {
        args.Fail("is set without a value");
    }
    if (args.Count() < member.minArgs || args.Count() > member.maxArgs) {
        args.Fail("is given the wrong number of arguments");
    }
    AutoValue value = Call(static_cast<size_t>(id - 1), kind, args);
    if (result != nullptr) *result = std::move(value);
}

}  // namespace qlnx
