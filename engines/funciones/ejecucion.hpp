#pragma once
// The run of the wave-function plot engine: the plot file FUNCION of one
// state (the potential, the wave function drawn around its energy, the level
// line), from the problem file, the plot parameters DIB and the eigen data
// DatosDIB of an earlier calculos run.
#include <iosfwd>
#include <string>
#include <vector>

#include "graficas/grafica.hpp"

namespace funciones {

// Writes FUNCION for the parameters read; a level outside 1 to the basis
// size, or a point count the plot cannot have, is refused with a message.
void dibujar(const graficas::Datos& d, ini::Mensajes& m);

// Runs in the current folder and returns the exit status as
// graficas::ejecutar does: 0 after a complete plot file, -1 after every
// refusal, 2 after an error of the input and output layer.
int ejecutar(const std::vector<std::string>& argumentos, std::istream& entrada, std::ostream& consola,
             std::ostream& errores);

} // namespace funciones
