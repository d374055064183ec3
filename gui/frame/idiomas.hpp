#pragma once
// The language module: texts by numeric key from the language file
// idioma.lng, the list of languages, the language menu and the record of a
// new current language. A text that the current language lacks is taken from
// another language of the file, so that the program never shows an empty one.
//
// idioma.lng: lines ended by CR LF (a lone CR or LF also ends a line). A line
// that begins with "[" and has at least one more character is a section
// header; its name is everything between the first and the last character.
// Inside a section, a line with "=" is a key line: the key before the first
// "=", the value after it. Names and keys compare after lower-casing both
// sides; nothing is trimmed. Empty lines are skipped; a lone "[" and a line
// without "=" are malformed and skipped by the readers (the rewrite copies
// them). The first section is the settings section, "idioma", whose key
// "idioma" names the current language; every further section is a language.
#include <QString>
#include <QList>
#include <QStringList>
#include <cstdint>

namespace idiomas {

inline QString fichero_idioma;
inline QString idioma_actual;
inline std::int16_t num_idiomas = 0;
inline QStringList lista_idiomas;  // language i of the menu is lista_idiomas[i - 1]
// True when the settings section names no language that has a section and
// the first language of the file stands in for it in this run.
inline bool idioma_de_reserva = false;

// The value of the key in the section; "" when either is absent or the file
// cannot be read. The file is read afresh on every call; a file of more than
// 16 MB is not read at all.
QString leervalor(const QString& fichero, const QString& seccion, const QString& clave);

// The text of a key of the current language. A key that the current
// language lacks (or holds with an empty value) is taken from the first
// other language section of the file, in file order, that has it; when none
// has it, or the file cannot be read, from textos::de_reserva, so that no
// text is ever empty.
QString texto(int clave);

// The keys of the language sections that the windowed program and the
// engines read, in increasing order.
const QList<int>& claves_en_uso();

// The keys of claves_en_uso() that the first section named seccion lacks or
// holds with an empty value, in increasing order (all of them when the file
// cannot be read).
QList<int> claves_ausentes(const QString& fichero, const QString& seccion);

// The warning at start about a current language that lacks texts the
// program uses: the file, the first missing keys and what stands in for
// them, in fixed words. "" when nothing is missing, or when the file cannot
// be read or the current language has no section (problema_fichero and the
// first-language stand-in tell those).
QString aviso_claves_ausentes();

// Sets the key in the section (creating the section at the end when absent)
// and rewrites the file: the new content goes to a temporary file of a
// unique name, created anew beside the file (a link planted there is never
// followed), which takes the file's permissions and is renamed onto it. A
// language file that is a symbolic link has its target rewritten, and the
// link stays. False, and the file unchanged, when it cannot be read or
// written.
bool guardavalor(const QString& fichero, const QString& seccion, const QString& clave,
                 const QString& valor);

// Appends a CR CR LF line and "[seccion]" when no section has that name,
// rewriting the file as guardavalor does.
bool crearseccion(const QString& fichero, const QString& seccion);

bool existeseccion(const QString& fichero, const QString& seccion);

// Names of the sections after the first, in file order; returns their count,
// or -1 for a file without any section header (or that cannot be read).
std::int16_t leersecciones(const QString& fichero, QStringList& lista);

// Fills num_idiomas, lista_idiomas, idioma_actual, the language menu of the
// main window (loading that window) and the help file. When the recorded
// language is missing or has no section, idioma_actual is the first language
// of the file for this run: its texts and help serve, no menu item is marked
// (so that any language can be chosen and recorded) and the file is left as
// it is.
void carga_idiomas();

// Records nombre as the current language for the next start when it has a
// section, and tells the user either way.
bool cambia_idioma(const QString& nombre);

// Marks the language menu's item of nombre, the language recorded for the
// next start, and unmarks the other languages (none is marked when nombre
// has no item).
void marcar_idioma(const QString& nombre);

// "" when the language file can be used as it stands (a current language
// without a section counts as usable when there is a language to stand in
// for it); otherwise what is wrong with it, in fixed words (the file's own
// texts may be unusable).
QString problema_fichero(const QString& fichero);

}  // namespace idiomas
