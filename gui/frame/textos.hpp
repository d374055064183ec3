#pragma once
// The few texts that stay in the program whatever the language.
#include <QString>

namespace textos {

inline const QString titulo = QStringLiteral("Tarvo-Olvex");

// The two fixed lines under the warning of the start-up window and the about box.
inline const QString aviso_1 = QStringLiteral("Este programa se ofrece tal cual, sin garantía de ningún tipo.");
inline const QString aviso_2 = QStringLiteral("This program is provided as is, without warranty of any kind.");

}  // namespace textos
