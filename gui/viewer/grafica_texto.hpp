#pragma once
// The plot-file reader without the window: from the bytes of a plot file to
// its header texts and its curves, with their settings and the points kept.
//
// A plot file: three text fields (comment, x label, y label), then curves,
// each a legend text field followed by number tokens: legend x and y,
// npuntos, marcas, tipo, parametro (only for tipo above 3), grosor,
// estilo_trazo, color, then x and y of every point. A legend "FIN" in any
// case, or the end of the file where a legend is due, ends it.
#include <QByteArray>
#include <QString>
#include <vector>

#include "viewer/graficos.hpp"

namespace grafica_texto {

// Curves of kinds 2 to 7 longer than this are thinned to it: their fitting
// and interpolation expect no more. Kinds 0 and 1 keep every point.
inline constexpr int puntos_aclarado = 100;

struct Grafica {
  QString comentario;
  QString etiqueta_x;
  QString etiqueta_y;
  // At most 20 curves, all active; parametro only set for tipo above 3.
  std::vector<graficos::tcurva> curvas;
};

struct Lectura {
  Grafica grafica;     // complete only when leida
  bool leida = false;  // read to its end
  qsizetype fallo = -1;  // when not leida: the byte offset where reading stopped
};

Lectura leer(QByteArray bytes);

}  // namespace grafica_texto
