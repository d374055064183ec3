#pragma once
// What the program knows about itself: its folder, its title, its help file,
// and the way it ends at once.
#include <QString>
#include <functional>

namespace plataforma::App {

// The program folder: the folder of the executable, unless set (tests).
QString Path();
void fijar_Path(const QString& carpeta);

// The program folder joined with a file name.
QString en_carpeta(const QString& nombre);

// The application title: the name of the per-user settings and the default
// title of message boxes.
inline const QString Title = QStringLiteral("Zedevodero");

// The help file of the current language ("" until the language module sets it).
QString& HelpFile();

// Ends the program at once, without unloading any window. Tests replace it.
void End();
void fijar_End(std::function<void()> fin);

}  // namespace plataforma::App
