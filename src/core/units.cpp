#include "core/units.h"

#include <udunits2.h>

#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "core/field_units.h"
#include "core/number_text.h"

namespace qlnx {

namespace {

constexpr std::string_view kLengthUnits[] = {"mm", "cm", "m", "in", "ft"};
constexpr std::string_view kForceUnits[] = {"N", "kN", "MN", "lbf", "kip", "kgf", "tf"};

// The unit system, read once for the whole run, with the converters made so far. UDUNITS-2
// is not thread-safe: every use goes through the lock.
class UnitSystem {
public:
    static UnitSystem& Instance() {
        static UnitSystem system;
        return system;
    }

    std::optional<UnitReading> Read(std::string_view text) {
        const std::string_view bare = BareUnit(text);
        if (bare.empty()) return UnitReading{};
        std::string definition(FieldUnitDefinition(bare).value_or(bare));
        std::lock_guard lock(mutex_);
        ut_unit* unit = Parse(definition);
        if (unit == nullptr) return std::nullopt;
        UnitReading reading;
        reading.Definition = std::move(definition);
        reading.Kind = KindOf(unit);
        return reading;
    }

    // The converter from one unit text to another, or nullptr; owned by the system.
    cv_converter* Converter(std::string_view from, std::string_view to) {
        const auto fromUnit = Read(from);
        const auto toUnit = Read(to);
        if (!fromUnit || !toUnit || fromUnit->Kind == UnitKind::None ||
            toUnit->Kind == UnitKind::None) {
            return nullptr;
        }
        std::lock_guard lock(mutex_);
        auto key = std::make_pair(fromUnit->Definition, toUnit->Definition);
        if (const auto found = converters_.find(key); found != converters_.end()) {
            return found->second;
        }
        ut_unit* a = Parse(fromUnit->Definition);
        ut_unit* b = Parse(toUnit->Definition);
        cv_converter* converter = a != nullptr && b != nullptr && ut_are_convertible(a, b) != 0
                                      ? ut_get_converter(a, b)
                                      : nullptr;
        converters_.emplace(std::move(key), converter);
        return converter;
    }

    std::mutex& Mutex() { return mutex_; }

private:
    UnitSystem() {
        ut_set_error_message_handler(ut_ignore);
        system_ = ut_read_xml(nullptr);
        if (system_ != nullptr) {
            meter_ = ut_get_unit_by_name(system_, "meter");
            newton_ = ut_get_unit_by_name(system_, "newton");
            second_ = ut_get_unit_by_name(system_, "second");
        }
    }

    // The parsed unit of a definition, kept for the run; nullptr when unknown.
    ut_unit* Parse(const std::string& definition) {
        if (system_ == nullptr) return nullptr;
        if (const auto found = units_.find(definition); found != units_.end()) {
            return found->second;
        }
        ut_unit* unit = ut_parse(system_, definition.c_str(), UT_UTF8);
        units_.emplace(definition, unit);
        return unit;
    }

    UnitKind KindOf(const ut_unit* unit) const {
        if (meter_ != nullptr && ut_are_convertible(unit, meter_) != 0) return UnitKind::Length;
        if (newton_ != nullptr && ut_are_convertible(unit, newton_) != 0) return UnitKind::Force;
        if (second_ != nullptr && ut_are_convertible(unit, second_) != 0) return UnitKind::Time;
        return UnitKind::Other;
    }

    std::mutex mutex_;
    ut_system* system_ = nullptr;
    ut_unit* meter_ = nullptr;
    ut_unit* newton_ = nullptr;
    ut_unit* second_ = nullptr;
    std::map<std::string, ut_unit*> units_;
    std::map<std::pair<std::string, std::string>, cv_converter*> converters_;
};

}  // namespace

std::string_view BareUnit(std::string_view text) {
    text = TrimControl(text);
    while (text.size() >= 2 && ((text.front() == '[' && text.back() == ']') ||
                                (text.front() == '(' && text.back() == ')'))) {
        text = TrimControl(text.substr(1, text.size() - 2));
    }
    return text;
}

std::optional<UnitReading> ReadUnit(std::string_view text) {
    return UnitSystem::Instance().Read(text);
}

bool ConvertValues(std::string_view from, std::string_view to, std::span<double> values) {
    UnitSystem& system = UnitSystem::Instance();
    cv_converter* converter = system.Converter(from, to);
    if (converter == nullptr) return false;
    std::lock_guard lock(system.Mutex());
    cv_convert_doubles(converter, values.data(), values.size(), values.data());
    return true;
}

std::optional<double> ConversionFactor(std::string_view from, std::string_view to) {
    double value = 1;
    if (!ConvertValues(from, to, std::span<double>(&value, 1))) return std::nullopt;
    return value;
}

std::string_view KindName(UnitKind kind) {
    switch (kind) {
        case UnitKind::Length: return "a length";
        case UnitKind::Force: return "a force";
        case UnitKind::Time: return "a time";
        case UnitKind::None:
        case UnitKind::Other: break;
    }
    return "a quantity";
}

std::span<const std::string_view> LengthUnits() { return kLengthUnits; }
std::span<const std::string_view> ForceUnits() { return kForceUnits; }

}  // namespace qlnx
