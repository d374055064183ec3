#pragma once
// Our plotting programs beside funciones: niveles draws the energy levels
// from a first to a last level over the potential (plot file "nivel"), probs
// the probability density of one level around its energy (plot file "prob").
// Both are started like funciones, with the bare problem-file name, and read
// the problem, "dib" and "DatosDIB" of the current folder.
#include <iosfwd>
#include <string>
#include <vector>

#include "graficas/grafica.hpp"

namespace niveles {

// The potential and one line per level from the first to the last level of
// "dib", each with its number and energy. Levels outside 1 to N, a last level
// below the first and more levels than the graph window holds are refused.
void dibujar(const graficas::Datos& d, ini::Mensajes& m);
int ejecutar(const std::vector<std::string>& argumentos, std::istream& entrada, std::ostream& consola,
             std::ostream& errores);

// The height of a level legend as a fraction of the view's y extent: a label
// is under 1/20 of the plot's height on every screen the graph window fits.
constexpr double alto_leyenda = 0.05;
// The columns the level legends are staggered in, as fractions of the box
// length from its left end; each holds a legend of any language.
constexpr double columnas_leyenda[] = {0.01, 0.26, 0.51};

// The places of the legends of the level lines at `energias`, in a view from
// `ymin` to `ymax` over a box starting at `xizq` of length `L`. A legend
// hangs under its line (its top edge at the level), lifted where it would
// fall below the view. A legend closer than a legend's height to one already
// placed goes to the next column where it overlaps none; when every column is
// taken, to the one whose nearest legend is farthest.
std::vector<graficas::Punto> lugares_de_leyendas(const std::vector<double>& energias, double xizq, double L,
                                                 double ymin, double ymax);

} // namespace niveles

namespace probs {

// The potential, |psi|² of the level of "dib" times ESCALA drawn around its
// energy, and the level line. A level outside 1 to N is refused.
void dibujar(const graficas::Datos& d, ini::Mensajes& m);
int ejecutar(const std::vector<std::string>& argumentos, std::istream& entrada, std::ostream& consola,
             std::ostream& errores);

} // namespace probs
