#pragma once
// The few texts that stay in the program whatever the language.
#include <QString>

namespace textos {

inline const QString titulo = QStringLiteral("Tarvo-Olvex");

// The two fixed lines under the warning of the start-up window and the about box.
inline const QString aviso_1 = QStringLiteral("Este programa se ofrece tal cual, sin garantía de ningún tipo.");
inline const QString aviso_2 = QStringLiteral("This program is provided as is, without warranty of any kind.");

// The text of a key that no language of the language file holds. The menus
// and what the language menu answers have English texts of their own, so
// that the menus can be read and another language chosen whatever the file
// holds; any other text is its key number in brackets, which says which text
// is missing and never leaves a caption or a message empty.
inline QString de_reserva(int clave) {
  switch (clave) {
    case 1: return QStringLiteral("File");
    case 2: return QStringLiteral("View");
    case 3: return QStringLiteral("Language");
    case 4: return QStringLiteral("Window");
    case 5: return QStringLiteral("Help");
    case 6: return QStringLiteral("New");
    case 7: return QStringLiteral("Open");
    case 8: return QStringLiteral("Save");
    case 9: return QStringLiteral("Save As");
    case 10: return QStringLiteral("Print");
    case 11: return QStringLiteral("Exit");
    case 12: return QStringLiteral("Toolbar");
    case 13: return QStringLiteral("Status bar");
    case 18: return QStringLiteral("Other languages");
    case 19: return QStringLiteral("New window");
    case 20: return QStringLiteral("Cascade");
    case 21: return QStringLiteral("Tile horizontally");
    case 22: return QStringLiteral("Tile vertically");
    case 23: return QStringLiteral("Arrange icons");
    case 24: return QStringLiteral("Contents");
    case 25: return QStringLiteral("About");
    case 184: return QStringLiteral("This language has no section in the language file.");
    case 185: return QStringLiteral("The language has been recorded: the program starts in it next time.");
    case 186: return QStringLiteral("A language is added as a section of its own in the language file idioma.lng.");
    default: return QStringLiteral("[%1]").arg(clave);
  }
}

}  // namespace textos
