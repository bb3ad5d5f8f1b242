// The language of the program's texts: the designed captions as they have always been, plain
// English, or all Chinese. The designed texts stay the source of every text; a catalogue built
// into the program maps each one to the chosen language where it reaches the screen.
#pragma once

#include <QString>

class QTranslator;

namespace qlnx {

enum class Language { AsDesigned, English, Chinese };

// The language in force (As designed until one is chosen).
Language CurrentLanguage();
// Puts language in force: loads its catalogue and translates every open window at once.
void SetLanguage(Language language);
// The language remembered in the settings, and remembering one.
Language StoredLanguage();
void StoreLanguage(Language language);

// The text in the language in force. A designed text is looked up whole; a text built from a
// designed pattern with values in it ("Undone: drag of a node.") is matched against the
// catalogue's patterns, its pattern translated and the values put back (the program's own
// words among them translated too; fields of records, names of files and numbers as they are).
// A text the catalogue does not know stays as it is.
QString Translated(const QString& designed);

// The catalogue of a language, loaded from the program's resources (nullptr for As designed).
const QTranslator* Catalogue(Language language);
// Whether the catalogue knows text: whole, by one of its patterns, or as a text without words
// (numbers) that every language writes alike.
bool InCatalogue(const QTranslator& catalogue, const QString& text);
// The catalogue's context of every text.
inline constexpr const char* kCatalogueContext = "QLNX";

}  // namespace qlnx
