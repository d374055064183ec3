#pragma once
// The help window: shows one of the program's help files (HTML) at its start.
#include <QRect>
#include <QString>

class QTextBrowser;
class QWidget;

namespace plataforma {

// Opens the help file's contents in the help window, a window of dueno that
// stays in front of it while open. Returns "" on success, otherwise a
// description of the failure.
QString mostrar_ayuda(QWidget* dueno, const QString& fichero);

// The help window while it is open (tests), otherwise nullptr.
QTextBrowser* ventana_ayuda();

// The help window's place, without its frame: `tam` or less, so that with
// the window manager's frame it lies inside `disponible` (the screen less
// its panels), centred in it.
QRect lugar_de_ayuda(const QRect& disponible, QSize tam);

}  // namespace plataforma
