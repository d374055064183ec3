#pragma once
// The help window: shows one of the program's help files (HTML) at its start.
#include <QString>

class QTextBrowser;
class QWidget;

namespace plataforma {

// Opens the help file's contents in the help window, which stays open beside
// the program. Returns "" on success, otherwise a description of the failure.
QString mostrar_ayuda(QWidget* dueno, const QString& fichero);

// The help window while it is open (tests), otherwise nullptr.
QTextBrowser* ventana_ayuda();

}  // namespace plataforma
