// Developer's tool, not part of the program: opens the graph window on a
// plot file of a program folder, as the graph-data dialog will.
//   ver_grafica <program folder> <plot-file name>
#include <QApplication>
#include <cstdio>

#include "frame/idiomas.hpp"
#include "platform/app.hpp"
#include "platform/numeros.hpp"
#include "viewer/frmgraficos.hpp"
#include "viewer/graficos.hpp"

int main(int argc, char* argv[]) {
  QApplication aplicacion(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: ver_grafica <program folder> <plot-file name>\n");
    return 2;
  }
  plataforma::numeros_c_en_proceso();
  plataforma::App::fijar_Path(QString::fromLocal8Bit(argv[1]));
  idiomas::fichero_idioma = plataforma::App::en_carpeta("idioma.lng");
  idiomas::idioma_actual = idiomas::leervalor(idiomas::fichero_idioma, "idioma", "idioma");
  graficos::fichero_grafico = QString::fromLocal8Bit(argv[2]);
  frmgraficos::instancia().Show();
  return aplicacion.exec();
}
