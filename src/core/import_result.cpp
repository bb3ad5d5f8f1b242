#include "core/import_result.h"

#include "core/number_text.h"

namespace qlnx {

namespace {

constexpr size_t kQuotedCharacters = 40;

std::string Count(int64_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string ListIndexMessage(int64_t index) {
    return "List index out of bounds (" + std::to_string(index) + ")";
}

}  // namespace

std::string QuoteField(std::string_view field) {
    size_t characters = 0;
    for (size_t i = 0; i < field.size(); ++i) {
        // A UTF-8 character starts at every byte that is no continuation byte.
        if ((static_cast<unsigned char>(field[i]) & 0xC0) == 0x80) continue;
        if (characters == kQuotedCharacters) return std::string(field.substr(0, i)) + "\u2026";
        ++characters;
    }
    return std::string(field);
}

std::optional<std::string> ImportResult::Warning() const {
    switch (Failure) {
        case ImportFailure::None: break;
        case ImportFailure::Refused:
        case ImportFailure::CannotOpen:
        case ImportFailure::OutOfMemory: return Text;
        case ImportFailure::EmptyRow:
        case ImportFailure::MissingField:
        case ImportFailure::BeforeFirstLine:
            // A row torn by a writer still at work is told by the changed file below.
            if (!ChangedWhileRead) return ListIndexMessage(Position);
            break;
        case ImportFailure::NotANumber:
            if (!ChangedWhileRead) return FloatConversionMessage(QuoteField(Field));
            break;
        case ImportFailure::RaggedRow:
        case ImportFailure::PastEnd:
            if (!ChangedWhileRead) return LineMessage();
            break;
    }
    if (ChangedWhileRead) {
        return File + " changed while it was read; import it again when it is complete.";
    }
    return std::nullopt;
}

std::optional<std::string> ImportResult::LineMessage() const {
    const std::string line = "Line " + std::to_string(Line);
    switch (Failure) {
        case ImportFailure::EmptyRow: return line + " is empty.";
        case ImportFailure::MissingField:
            return line + " has no field " + std::to_string(Position + 1) + ".";
        case ImportFailure::NotANumber:
            return line + ": '" + QuoteField(Field) + "' is not a number.";
        case ImportFailure::RaggedRow:
            return line + " has " + Count(Position, "field", "fields") + "; line " +
                   std::to_string(ReferenceLine) + " has " + std::to_string(ReferenceFields) + ".";
        case ImportFailure::PastEnd:
            return "The file has " + Count(LineCount, "line", "lines") + "; line " +
                   std::to_string(Line) + " is past its end.";
        default: break;
    }
    return std::nullopt;
}

std::optional<std::string> ImportResult::HeaderSuggestion() const {
    if (!SuggestedFirstLine) return std::nullopt;
    return "Line " + std::to_string(Line) + " looks like a header: the data start at line " +
           std::to_string(*SuggestedFirstLine) + ".";
}

}  // namespace qlnx
