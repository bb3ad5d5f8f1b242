#include "recording_target.h"

#include "core/number_text.h"
#include "spreadsheet/automation_error.h"

namespace qlnx::testing {

int CallRecorder::Count(const std::string& part) const {
    int n = 0;
    for (const std::string& c : calls) n += c.find(part) != std::string::npos ? 1 : 0;
    return n;
}

std::string DescribeValue(const AutoValue& v) {
    std::string kind = VarTypeName(v.Kind());
    switch (v.Kind()) {
        case VarType::I2: return kind + " " + std::to_string(v.AsI2());
        case VarType::I4: return kind + " " + std::to_string(v.AsI4());
        case VarType::R4: return kind + " " + FormatGeneral15(static_cast<double>(v.AsR4()));
        case VarType::R8: return kind + " " + FormatGeneral15(v.AsR8());
        case VarType::Bstr: return kind + " \"" + NarrowToUtf8(v.AsBstr()) + "\"";
        case VarType::Bool: return kind + " " + std::to_string(v.AsBool());
        case VarType::UI4: return kind + " " + std::to_string(v.AsUI4());
        default: return kind;
    }
}

namespace {

class RecordingObject final : public Dispatch {
public:
    RecordingObject(std::shared_ptr<CallRecorder> recorder, std::string label)
        : recorder_(std::move(recorder)), label_(std::move(label)) {
        ++recorder_->liveObjects;
    }

    DispId GetIDOfName(std::string_view name, uint32_t locale) override {
        ++recorder_->lookups;
        if (locale != kLocaleSystemDefault)
            Protocol("lookup with locale " + std::to_string(locale));
        const std::string n(name);
        lastLookup_ = n;
        if (recorder_->unknownNames.count(n) != 0) {
            throw AutomationError("Unknown name \"" + n + "\"");
        }
        auto [it, added] = ids_.try_emplace(n, static_cast<DispId>(ids_.size() + 1));
        names_[it->second] = n;
        return it->second;
    }

    void Invoke(DispId id, uint32_t locale, uint16_t flags, const DispParams& params,
                AutoValue* result) override {
        const std::string name = names_.count(id) != 0 ? names_[id] : "?" + std::to_string(id);
        if (name != lastLookup_) Protocol("invoke of " + name + " without its own lookup");
        lastLookup_.clear();
        if (locale != kLocaleSystemDefault)
            Protocol("invoke with locale " + std::to_string(locale));

        std::string line;
        if (flags == kDispatchPropertyPut) {
            if (params.argCount != 1 || params.namedCount != 1 ||
                params.namedIds[0] != kDispIdPropertyPut) {
                Protocol("put of " + name + " without the one named argument -3");
            }
            line = "put " + label_ + "." + name + " = " + DescribeValue(params.args[0]);
        } else {
            if (params.namedCount != 0) Protocol("named arguments in a call of " + name);
            const char* verb = flags == kDispatchPropertyGet                   ? "get"
                               : flags == kDispatchMethod && result != nullptr ? "call"
                               : flags == kDispatchMethod                      ? "do"
                                                                               : "flags?";
            line = std::string(verb) + " " + label_ + "." + name + "(";
            // Arguments arrive last first; the log lists them first to last.
            for (uint32_t k = params.argCount; k-- > 0;) {
                line += DescribeValue(params.args[k]);
                if (k > 0) line += ", ";
            }
            line += ")";
        }
        if (!recorder_->failAtMember.empty() && name == recorder_->failAtMember) {
            recorder_->calls.push_back(line + " !! fails");
            throw AutomationError(recorder_->failText);
        }
        AutoValue answer;
        if (flags != kDispatchPropertyPut && result != nullptr) {
            answer = Answer(name);
            line +=
                " -> " + (answer.Kind() == VarType::Dispatch ? lastLabel_ : DescribeValue(answer));
        }
        recorder_->calls.push_back(line);
        if (result != nullptr) *result = std::move(answer);
    }

private:
    ~RecordingObject() override { --recorder_->liveObjects; }

    AutoValue Answer(const std::string& name) {
        if (name == "Left") return AutoValue::R8(recorder_->cellLeft);
        if (name == "Top") return AutoValue::R8(recorder_->cellTop);
        if (name == "HasTitle") return AutoValue::Bool(recorder_->hasTitle);
        if (name == "SetElement") return AutoValue();
        lastLabel_ = name + "#" + std::to_string(++recorder_->objectsCreated);
        return AutoValue::Object(DispatchPtr::Adopt(new RecordingObject(recorder_, lastLabel_)));
    }

    void Protocol(const std::string& what) {
        recorder_->protocolErrors.push_back(label_ + ": " + what);
    }

    std::shared_ptr<CallRecorder> recorder_;
    std::string label_;
    std::string lastLookup_;
    std::string lastLabel_;
    std::map<std::string, DispId> ids_;
    std::map<DispId, std::string> names_;
};

}  // namespace

DispatchPtr NewRecordingApplication(std::shared_ptr<CallRecorder> recorder) {
    return DispatchPtr::Adopt(new RecordingObject(std::move(recorder), "App"));
}

}  // namespace qlnx::testing
