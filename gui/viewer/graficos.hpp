#pragma once
// The graph data: the curves of the plot file being shown, its header texts,
// the bounds of the data and the current view, shared by the graph window,
// the curve routines and the graph-data dialog. They live for the whole run
// and are overwritten by each read.
#include <QString>
#include <array>
#include <cstdint>

#include "frame/global.hpp"

namespace graficos {

using global::tvertice;

struct tcurva {
  bool activa = false;          // takes part in bounds and drawing
  std::int16_t npuntos = 0;     // points held in puntos (kinds 2 to 7: at most 100 after reading)
  std::int16_t marcas = 0;      // non-zero: a filled circle at every point
  std::int16_t tipo = 0;        // 0 markers, 1 polyline, 2 spline, 3 polynomial, 4-6 fits, 7 Fourier
  std::int16_t parametro = 0;   // degree of the fit or number of harmonics (read for tipo > 3)
  std::int16_t grosor = 0;      // line width
  std::int16_t estilo_trazo = 0;  // line style
  std::int32_t color = 0;       // palette index 0 to 15
  global::lista_vertices puntos;
  QString leyenda;
  double leyenda_x = 0;  // legend place in plot units: (0, 0) none, (-1, -1) automatic
  double leyenda_y = 0;
  tvertice minimo_curva;
  tvertice maximo_curva;
};

// The 20 curves, indexed from 1.
class tabla_curvas {
 public:
  tcurva& operator()(int i) { return c_.at(static_cast<std::size_t>(i - 1)); }
  static constexpr int maximo = 20;

 private:
  std::array<tcurva, maximo> c_;
};

inline tabla_curvas curvas;
inline std::int16_t num_curvas = 0;  // curves 1 to num_curvas belong to the current file

inline QString comentario_grafico;
inline QString etiqueta_x;
inline QString etiqueta_y;

inline tvertice minimo_datos;  // corners of all active curves
inline tvertice maximo_datos;
inline tvertice minimo;  // corners of the current view
inline tvertice maximo;

// The bare plot-file name the graph-data dialog asks for; the reader makes
// it the full path.
inline QString fichero_grafico;

// The remembered text of the numeric edit boxes of the viewer.
inline QString textoanterior;

// The window caption: its base, and the file name it shows.
inline QString titulo_grafico;
inline QString nombre_grafico;

// Checks the view; when it is acceptable writes the corner labels, sets the
// plot's scale to it and clears the plot. Otherwise tells the user (keys 201
// to 205) and changes nothing.
bool escala_grafico(tvertice& minimo, tvertice& maximo);

}  // namespace graficos
