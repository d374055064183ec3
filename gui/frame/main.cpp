// Tarvo_Olvex: the start-up window is the program's start; the main window
// it hands over to ends the program when it unloads.
#include <QApplication>

#include "frame/frmAbout.hpp"
#include "frame/frmMain.hpp"
#include "frame/frmSplash.hpp"
#include "platform/traducciones.hpp"

int main(int argc, char* argv[]) {
  QApplication aplicacion(argc, argv);
  aplicacion.setQuitOnLastWindowClosed(false);
  // Qt's standard buttons and file dialogs in the desktop's language.
  plataforma::cargar_traducciones_qt();
  frmSplash::instancia();
  const int estado = aplicacion.exec();
  frmAbout::destruir();
  frmSplash::destruir();
  frmMain::destruir();
  return estado;
}
