// Translation of one text through the catalogue of the language in force: whole designed
// texts first, then the patterns of the texts built with values.
#include <QRegularExpression>
#include <QTranslator>
#include <algorithm>
#include <vector>

#include "gui/language/language.h"

namespace qlnx {

namespace {

// The designed patterns of texts that carry values (%1, %2, ...): messages, status lines and
// captions built while the program runs, including those the numeric core words.
// clang-format off
const char* const kPatterns[] = {
    // Window title, status bar and message bar.
    "QLNX %1 \u2013 hysteresis loops and skeleton curves of cyclic loading tests",
    "QLNX %1 \u00b7 free software (GPL-3.0-or-later)", "Version %1",
    "%1 rows", "%1 rows; %2", "%1, decimal point", "%1, decimal comma",
    "Line %1 has no field %2: Import Options reads the displacement from column %3 and the "
    "force from column %4.",
    "%1 rows; %2; %3; %4; %5", "1 numeric line above line %1 was not read",
    "%1 numeric lines above line %2 were not read",
    "%1 loops found.", "%1 loops found with a noise band of %2.",
    "Skeleton curve: %1 points on the positive branch, %2 on the negative.",
    "Thinning removed %1 points (%2 positive, %3 negative).",
    "Thinning removed %1 points (%2 positive, %3 negative), the peak points of both branches "
    "among them.",
    "Thinning removed %1 points (%2 positive, %3 negative), the positive branch's peak point "
    "among them.",
    "Thinning removed %1 points (%2 positive, %3 negative), the negative branch's peak point "
    "among them.",
    "Saved the working curve to %1.", "Saved the loop extremes to %1.",
    "Saved the skeleton curve to %1.", "Saved the chart as %1.", "Workbook written to %1.",
    "Undone: %1.", "Redone: %1.", "Undo %1", "Redo %1",
    "%1 The edited skeleton curve was replaced; Undo brings it back.",
    "Disp = %1   Force = %2", "Loop_%1",
    "%1 no longer exists; it was taken off the recent records.",
    "&%1 %2  (first line %3, step %4)",
    "Reading %1", "Writing %1", "Cannot open %1.",
    "%1 already exists.\nDo you want to replace it?",
    "Read from line %1: %2.",
    "Noise band: %1\nSkeleton: %2",
    "%1 Displacement", "%1 Force",
    "%1 of %2 loops are smaller than 1 % of the displacement range (noise around the first "
    "displacement?). A noise band of %3 merges them.",
    // Import.
    "Line %1 is empty.", "Line %1 has no field %2.", "Line %1: '%2' is not a number.",
    "Line %1 has %2 field; line %3 has %4.", "Line %1 has %2 fields; line %3 has %4.",
    "The file has %1 line; line %2 is past its end.",
    "The file has %1 lines; line %2 is past its end.",
    "Line %1 looks like a header: the data start at line %2.",
    "%1 changed while it was read; import it again when it is complete.",
    "List index out of bounds (%1)",
    "''%1'' is not a valid integer value", "'%1' is not a valid floating point value",
    // Files.
    "Cannot open file \"%1\". %2", "Cannot create file \"%1\". %2",
    "%1 is the record being analysed; choose another name.",
    // Workbook.
    "The series \"%1\" has %2 points, more than the %3 data rows of a worksheet. Nothing was "
    "exported.",
    "The series \"%1\" does not fit into the combined table: a worksheet has %2 data rows. "
    "Nothing was exported.",
    "The workbook was saved as\n%1\nbut no program on this computer opens it.",
    "The %1 branch never falls to %2 of its peak force: its last point stands for the ultimate "
    "point and its ductilities are lower bounds.",
    // Model calibration.
    "Models fitted: %1.", "Cancelled. Models fitted: %1.",
    "Sample %1 of the record is not a number.",
    // Series window.
    "Not drawn: %1.",
    // Channels and units.
    "Displacement (%1)", "Force (%1)", "Drift (%1)", "Displacement (%1), Force (%2)",
    "Drift (%1), Force (%2)", "Max Disp 1 (%1)", "Max Disp 2 (%1)", "Max Disp Force 1 (%1)",
    "Max Disp Force 2 (%1)", "Disp = %1 %2   Force = %3 %4", "%1 rows; %2; %3",
    "%1 rows; %2; %3; %4", "%1 rows with a gap were left out, the first at line %2.",
    "1 row with a gap was left out, the first at line %1.",
    "The displacement expression '%1': no channel is named '%2'; the channels are %3.",
    "The force expression '%1': no channel is named '%2'; the channels are %3.",
    "The unit '%1' of channel %2 is not known.",
    // Loading history.
    "Time (%1)", "Lines %1 to %2",
};
// The patterns whose values are words of the program (an undone edit, a row format, a branch),
// translated with them. The values of every other pattern come from the user's files and
// folders (a field of the record, a file name) and are shown as they are.
const char* const kPatternsOfWords[] = {
    "%1 rows; %2; %3; %4; %5",
    "%1 rows; %2", "%1 rows; %2; %3", "%1 rows; %2; %3; %4", "%1, decimal point", "%1, decimal comma", "Undone: %1.", "Redone: %1.",
    "%1 The edited skeleton curve was replaced; Undo brings it back.",
    "Undo %1", "Redo %1", "Read from line %1: %2.", "Noise band: %1\nSkeleton: %2",
    "The %1 branch never falls to %2 of its peak force: its last point stands for the ultimate "
    "point and its ductilities are lower bounds.",
};
// clang-format on

struct Pattern {
    QString Source;
    QRegularExpression Match;
    int Literal = 0;  // characters outside the placeholders: the longer, the more telling
    // The literal text before the first placeholder and after the last: a quick refusal of
    // most texts before the expression runs (a list of many loops is translated item by item).
    QString Head;
    QString Tail;
    bool Matches(const QString& text) const {
        return text.startsWith(Head) && text.endsWith(Tail) && Match.match(text).hasMatch();
    }
    bool ValuesAreWords = false;
};

const std::vector<Pattern>& Patterns() {
    static const std::vector<Pattern> patterns = [] {
        static const QRegularExpression placeholder(QStringLiteral("%([1-9])"));
        std::vector<Pattern> list;
        for (const char* source : kPatterns) {
            Pattern p;
            p.Source = QString::fromUtf8(source);
            p.ValuesAreWords =
                std::any_of(std::begin(kPatternsOfWords), std::end(kPatternsOfWords),
                            [&](const char* w) { return p.Source == QString::fromUtf8(w); });
            QString expression = QStringLiteral("^");
            qsizetype from = 0;
            for (auto it = placeholder.globalMatch(p.Source); it.hasNext();) {
                const QRegularExpressionMatch m = it.next();
                const QString literal = p.Source.mid(from, m.capturedStart() - from);
                if (from == 0) p.Head = literal;
                expression += QRegularExpression::escape(literal) + QStringLiteral("(.+?)");
                p.Literal += static_cast<int>(literal.size());
                from = m.capturedEnd();
            }
            const QString tail = p.Source.mid(from);
            p.Tail = tail;
            expression += QRegularExpression::escape(tail) + QStringLiteral("$");
            p.Literal += static_cast<int>(tail.size());
            p.Match =
                QRegularExpression(expression, QRegularExpression::DotMatchesEverythingOption);
            list.push_back(std::move(p));
        }
        std::stable_sort(list.begin(), list.end(),
                         [](const Pattern& a, const Pattern& b) { return a.Literal > b.Literal; });
        return list;
    }();
    return patterns;
}

bool HasLetter(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

QString Lookup(const QTranslator& catalogue, const QString& text) {
    return catalogue.translate(kCatalogueContext, text.toUtf8().constData());
}

QString TranslatedBy(const QTranslator& catalogue, const QString& text, int depth) {
    if (!HasLetter(text)) return text;
    if (QString whole = Lookup(catalogue, text); !whole.isEmpty()) return whole;
    if (depth > 3) return text;
    for (const Pattern& p : Patterns()) {
        if (!text.startsWith(p.Head) || !text.endsWith(p.Tail)) continue;
        const QRegularExpressionMatch m = p.Match.match(text);
        if (!m.hasMatch()) continue;
        QString result = Lookup(catalogue, p.Source);
        if (result.isEmpty()) continue;
        // The values go back in one pass, so that a value holding "%2" stays as it is.
        std::vector<QString> values;
        for (int i = 1; i <= m.lastCapturedIndex(); ++i) {
            values.push_back(p.ValuesAreWords ? TranslatedBy(catalogue, m.captured(i), depth + 1)
                                              : m.captured(i));
        }
        static const QRegularExpression placeholder(QStringLiteral("%([1-9])"));
        QString filled;
        qsizetype from = 0;
        for (auto it = placeholder.globalMatch(result); it.hasNext();) {
            const QRegularExpressionMatch slot = it.next();
            filled += result.mid(from, slot.capturedStart() - from);
            const auto index = static_cast<size_t>(slot.captured(1).toInt() - 1);
            filled += index < values.size() ? values[index] : slot.captured(0);
            from = slot.capturedEnd();
        }
        return filled + result.mid(from);
    }
    // Lines of their own (notes one below the other) are translated one by one.
    if (text.contains(QLatin1Char('\n'))) {
        QStringList lines = text.split(QLatin1Char('\n'));
        for (QString& line : lines) line = TranslatedBy(catalogue, line, depth + 1);
        return lines.join(QLatin1Char('\n'));
    }
    // The error report adds a full stop to a message that ends in a letter or digit.
    if (text.endsWith(QLatin1Char('.')) && text.size() > 1) {
        const QString bare = text.chopped(1);
        const QString translated = TranslatedBy(catalogue, bare, depth + 1);
        if (translated != bare) {
            // The full stop of the language, unless the translation ends in one of its own.
            static const QString kEnds = QStringLiteral(".!?\u3002\uff01\uff1f");
            if (kEnds.contains(translated.back())) return translated;
            return translated + (CurrentLanguage() == Language::Chinese ? QStringLiteral("\u3002")
                                                                        : QStringLiteral("."));
        }
    }
    return text;
}

}  // namespace

bool InCatalogue(const QTranslator& catalogue, const QString& text) {
    if (!HasLetter(text) || !Lookup(catalogue, text).isEmpty()) return true;
    return std::any_of(Patterns().begin(), Patterns().end(), [&](const Pattern& p) {
        return p.Matches(text) && !Lookup(catalogue, p.Source).isEmpty();
    });
}

QString Translated(const QString& designed) {
    const QTranslator* catalogue = Catalogue(CurrentLanguage());
    if (catalogue == nullptr || designed.isEmpty()) return designed;
    return TranslatedBy(*catalogue, designed, 0);
}

}  // namespace qlnx
