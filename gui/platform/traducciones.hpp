#pragma once
// Qt's own texts (the standard buttons Yes, No, Cancel; the file dialogs'
// labels) in the language of the desktop, as the system's own dialogs show
// them. The program's texts come from its language file, not from here.
#include <QLocale>
#include <QString>

class QTranslator;

namespace plataforma {

// The folder of Qt's translation catalogues on this system.
QString carpeta_traducciones_qt();

// Installs Qt's catalogue for `idioma` (its first language that has one)
// from `carpeta` into the application. Returns the installed translator,
// which belongs to the application (deleting it uninstalls it), or nullptr
// when there is none for that language: Qt's texts then stay in English.
QTranslator* cargar_traducciones_qt(const QLocale& idioma = QLocale::system(),
                                    const QString& carpeta = carpeta_traducciones_qt());

}  // namespace plataforma
