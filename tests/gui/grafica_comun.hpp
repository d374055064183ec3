#pragma once
// Shared pieces of the graph window's tests: plot files written the way the
// plotting engines write them, a language file with the viewer's keys, and
// a program folder in which the window opens on a plot file.
#include <QByteArray>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "comun.hpp"

class frmgraficos;

namespace prueba {

// One curve record of a plot file.
struct Curva {
  QString leyenda = "curva";
  double leyenda_x = -1, leyenda_y = -1;
  int marcas = 0, tipo = 1;
  std::optional<int> parametro;  // written only when set
  int grosor = 1, estilo_trazo = 0, color = 0;
  std::vector<QPointF> puntos;
  std::optional<int> npuntos;  // the count written, when it differs from the points
};

// A plot file: comment, x label, y label, the curves, then the end legend
// when `fin` is not empty. Every record begins with two blanks, numbers on
// a line stand two blanks apart, CR LF line ends.
QByteArray grafica(const std::vector<Curva>& curvas, const QString& fin = "FIN",
                   const QStringList& cabecera = {"comentario", "eje x", "eje y"});

// Points (k, f(k)) for k = 1 to n.
std::vector<QPointF> serie(int n, double (*f)(int) = nullptr);

// A language file whose current language "English" holds "en<key>" for the
// keys the viewer reads.
QByteArray idioma_visor();

// A program folder with the viewer's language; the graph data, the graph
// window and the printer start afresh, and a call to end the program is
// recorded instead of ending the tests.
class Visor {
 public:
  Visor();
  ~Visor();
  Visor(const Visor&) = delete;
  Visor& operator=(const Visor&) = delete;

  Carpeta carpeta;
  Guion guion;
  bool programa_terminado = false;

  // Writes the plot file under `nombre_fichero`, then loads and shows the
  // window on the name `nombre` (as the graph-data dialog asks for it).
  frmgraficos* abrir(const QByteArray& fichero, const QString& nombre = "funcion",
                     const QString& nombre_fichero = "FUNCION");
};

// Puts the graph window away and resets the graph data.
void limpiar_visor();

}  // namespace prueba
