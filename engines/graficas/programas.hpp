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

} // namespace niveles

namespace probs {

// The potential, |psi|² of the level of "dib" times ESCALA drawn around its
// energy, and the level line. A level outside 1 to N is refused.
void dibujar(const graficas::Datos& d, ini::Mensajes& m);
int ejecutar(const std::vector<std::string>& argumentos, std::istream& entrada, std::ostream& consola,
             std::ostream& errores);

} // namespace probs
