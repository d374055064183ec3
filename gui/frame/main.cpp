// Tarvo_Olvex: the start-up window is the program's start; the main window
// it hands over to ends the program when it unloads.
#include <QApplication>
#include <QDir>
#include <cstdio>

#include "editor/frmdatos.hpp"
#include "frame/frmAbout.hpp"
#include "frame/frmMain.hpp"
#include "frame/frmSplash.hpp"
#include "frame/global.hpp"
#include "frame/idiomas.hpp"
#include "platform/app.hpp"
#include "platform/cerrojo.hpp"
#include "platform/senales.hpp"
#include "platform/traducciones.hpp"

namespace {

using plataforma::App::Path;

// The message of a program folder that another program uses, in the language
// recorded in the language file (the language module is not loaded yet).
QString aviso_de_carpeta_ocupada() {
  using namespace idiomas;
  fichero_idioma = plataforma::App::en_carpeta("idioma.lng");
  idioma_actual = leervalor(fichero_idioma, "idioma", "idioma");
  QStringList lenguas;
  if (!existeseccion(fichero_idioma, idioma_actual) && leersecciones(fichero_idioma, lenguas) > 0)
    idioma_actual = lenguas.first();
  QString aviso = texto(240);
  if (aviso.isEmpty())
    aviso = QStringLiteral("La carpeta del programa ya la usa otro Tarvo-Olvex. / "
                           "The program folder is already in use by another Tarvo-Olvex.");
  return aviso + "\n" + QDir::toNativeSeparators(Path());
}

// Ended from outside (a logout, a kill) nobody can be asked whether to save:
// a problem with unsaved changes is kept in a new file of its own beside its
// file (or in the program folder), and the file itself stays as it was.
void guardar_copia(int) {
  if (!global::modificado || !frmMain::cargado() || !frmdatos::cargado()) return;
  frmMain& f = frmMain::instancia();
  const QString& archivo = global::archivo;
  QString copia = plataforma::nombre_de_copia(archivo, archivo.isEmpty() ? Path() : QString());
  bool hecho = f.escribir_datos(copia);
  if (!hecho && !archivo.isEmpty()) {
    copia = plataforma::nombre_de_copia(archivo, Path());
    hecho = f.escribir_datos(copia);
  }
  if (hecho)
    std::fprintf(stderr, "%s\n%s\n", idiomas::texto(241).toLocal8Bit().constData(),
                 QDir::toNativeSeparators(copia).toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication aplicacion(argc, argv);
  aplicacion.setQuitOnLastWindowClosed(false);
  // Qt's standard buttons and file dialogs in the desktop's language.
  plataforma::cargar_traducciones_qt();
  // One program per program folder, before anything is shown.
  if (!plataforma::tomar_carpeta(aviso_de_carpeta_ocupada)) return 1;
  plataforma::terminar_con_senales(guardar_copia);
  frmSplash::instancia();
  const int estado = aplicacion.exec();
  frmAbout::destruir();
  frmSplash::destruir();
  frmMain::destruir();
  plataforma::soltar_carpeta();
  // Ended by a signal, the program says so in its status, whatever the
  // windows did on their way out.
  if (const int senal = plataforma::senal_recibida(); senal != 0) return 128 + senal;
  return estado;
}
