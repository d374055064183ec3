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
// "dib", each with its number and energy; the legend places are written as
// F20.7, fine enough to keep legends apart in any view. Levels outside 1 to
// N, a last level below the first and more levels than the graph window
// holds are refused.
void dibujar(const graficas::Datos& d, ini::Mensajes& m);
int ejecutar(const std::vector<std::string>& argumentos, std::istream& entrada, std::ostream& consola,
             std::ostream& errores);

// The places of the legends `leyendas` of the level lines at `energias` in
// the view `v`, where the boxes `ocupadas` (the potential's legend) stand
// already. Every legend gets a box of its own inside the view, whatever the
// number of levels (up to 19) and however close their energies. A legend
// hangs under its line (its top edge at the level), lifted where it would
// fall below the view, unless that covers a legend placed before: then it
// takes the nearest place that covers none, in one of up to three columns
// side by side, as many as hold the longest legend.
std::vector<graficas::Punto> lugares_de_leyendas(const std::vector<double>& energias,
                                                 const std::vector<std::string>& leyendas, const graficas::Vista& v,
                                                 const std::vector<graficas::Caja>& ocupadas);

} // namespace niveles

namespace probs {

// The potential, |psi|² of the level of "dib" times ESCALA drawn around its
// energy, and the level line. A level outside 1 to N is refused.
void dibujar(const graficas::Datos& d, ini::Mensajes& m);
int ejecutar(const std::vector<std::string>& argumentos, std::istream& entrada, std::ostream& consola,
             std::ostream& errores);

} // namespace probs
