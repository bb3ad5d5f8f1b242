// Base of the workbook application's objects: member lookup from a table of names, checks
// of invocation kind and argument count, and typed access to the arguments.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "spreadsheet/auto_value.h"
#include "spreadsheet/dispatch.h"

namespace qlnx {

// One member: its name and the invocation kinds it answers (InvokeFlags, or-ed).
struct MemberInfo {
    std::string_view name;
    uint16_t kinds;
    uint8_t minArgs = 0;  // positional arguments (a property put's value not counted)
    uint8_t maxArgs = 0;
};

// A member's row tied to its enumerator (an enum numbered from 0, one enumerator a member).
template <class E>
struct MemberRow {
    E id;
    MemberInfo info;
};

// The member table with each row at its enumerator's place, so the index Call receives is
// that enumerator whatever order the rows are written in; a row for an enumerator out of
// range, or two for one, does not compile. Call switches over the enum without a default, so
// a member without a handler does not compile either.
template <class E, size_t N>
consteval std::array<MemberInfo, N> MembersOf(const MemberRow<E> (&rows)[N]) {
    std::array<MemberInfo, N> table{};
    std::array<bool, N> placed{};
    for (const MemberRow<E>& row : rows) {
        const auto i = static_cast<size_t>(row.id);
        if (i >= N || placed[i]) throw "one row an enumerator, numbered from 0";
        table[i] = row.info;
        placed[i] = true;
    }
    return table;
}

// The arguments of one invocation in the object model's order (first argument first),
// and the value of a property put.
class CallArgs {
public:
    CallArgs(const DispParams& params, std::string_view className, std::string_view member);

    size_t Count() const { return positional_; }
    const AutoValue& operator[](size_t i) const { return params_.args[params_.argCount - 1 - i]; }
    const AutoValue& PutValue() const { return *putValue_; }

    // Conversions that name the member in their error.
    int32_t Int(const AutoValue& v) const;
    double Number(const AutoValue& v) const;
    bool Flag(const AutoValue& v) const;
    std::string Text(const AutoValue& v) const;
    [[noreturn]] void Fail(std::string_view problem) const;

private:
    const DispParams& params_;
    std::string_view className_;
    std::string_view member_;
    size_t positional_ = 0;
    const AutoValue* putValue_ = nullptr;
};

class AutomationObject : public Dispatch {
public:
    DispId GetIDOfName(std::string_view name, uint32_t locale) final;
    void Invoke(DispId id, uint32_t locale, uint16_t flags, const DispParams& params,
                AutoValue* result) final;

protected:
    AutomationObject(std::string_view className, std::span<const MemberInfo> members)
        : className_(className), members_(members) {}

    // Member index (position in the table), the one kind the call was made with, and the
    // arguments; returns the result (Empty when there is none).
    virtual AutoValue Call(size_t member, uint16_t kind, const CallArgs& args) = 0;

    std::string_view ClassName() const { return className_; }

private:
    std::string_view className_;
    std::span<const MemberInfo> members_;
};

// A new object handle of type T built from args (T derives from AutomationObject).
template <class T, class... A>
AutoValue NewObject(A&&... args) {
    return AutoValue::Object(DispatchPtr::Adopt(new T(std::forward<A>(args)...)));
}

}  // namespace qlnx
