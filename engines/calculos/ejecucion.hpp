#pragma once
// The run of the level solver: from the command line to the exit status.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "io/salida.hpp"
#include "problema/memoria.hpp"
#include "problema/problema.hpp"

namespace calculos {

// The work arrays of a run, created after the checks in this order.
struct Trabajo {
    problema::Matriz HAM, VPOT, TCIN, XMAT, VECT;
    std::vector<double> ENER;
    std::vector<double> XMALLA, VMALLA;  // NPUNTOS × NZONAS samples, zone after zone

    explicit Trabajo(const problema::Problema& p);
};

// The problem file named by the arguments after the program name: none gives
// "DATOS.DAT", one gives its first 80 characters; with two or more the
// problem is read from standard input (an empty name).
std::optional<std::string> fichero_problema(const std::vector<std::string>& argumentos);

// Runs the level solver in the current folder and returns its exit status:
// 0 after a complete run, -1 after a stop on bad input or exhausted memory,
// 2 after an error of the input and output layer (diagnostic on `errores`).
int ejecutar(const std::vector<std::string>& argumentos, std::istream& entrada, std::ostream& consola,
             std::ostream& errores);

} // namespace calculos
