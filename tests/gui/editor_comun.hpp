#pragma once
// Shared pieces of the editor's tests: a language file with every text the
// editor and the problem file use, a new problem on screen, and scripted
// open and save dialogs.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <deque>

#include "comun.hpp"
#include "platform/dialogos.hpp"

class frmMain;
class frmdatos;

namespace prueba {

// Settings section naming English, then an English section whose key k holds
// "en<k>" for k = 1 to 231 and for every later key of
// idiomas::claves_en_uso(), so that no text the program uses is missing;
// CR LF line ends.
QByteArray idiomas_editor();

// A program folder with idiomas_editor() as its language, the main window
// loaded and New done: a fresh problem-data window with the initial problem.
struct Problema {
  Carpeta carpeta;
  Problema();
  frmMain& f();
  frmdatos& d();
};

// Answers the open and save dialogs in order with the given paths (then ""
// for Cancel), relative paths inside the folder given; records each dialog.
class GuionDialogos {
 public:
  struct Peticion {
    plataforma::DialogoComun::Tipo tipo;
    QString titulo;
    QString filtro;
    int indice;
    QString carpeta;
  };
  explicit GuionDialogos(std::deque<QString> rutas = {});
  ~GuionDialogos();
  GuionDialogos(const GuionDialogos&) = delete;
  GuionDialogos& operator=(const GuionDialogos&) = delete;
  QList<Peticion> peticiones;

 private:
  std::deque<QString> rutas_;
};

// Clicks an arrow of the zone-count spinner.
void subir_zonas(frmdatos& d, int veces = 1);
void bajar_zonas(frmdatos& d, int veces = 1);

}  // namespace prueba
