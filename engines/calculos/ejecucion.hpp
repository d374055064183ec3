#pragma once
// The run of the level solver: from the command line to the exit status.
#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "io/salida.hpp"
#include "problema/memoria.hpp"
#include "problema/problema.hpp"

namespace calculos {

// The keys whose texts name a computed quantity that is not finite (the
// report's headings where it has one).
namespace claves {
constexpr int potencial = 1103;
constexpr int potencial_senos = 1024;
constexpr int potencial_propia = 1026;
constexpr int cinetica_senos = 1027;
constexpr int cinetica_propia = 1028;
constexpr int hamiltoniano_senos = 1029;
constexpr int hamiltoniano_propia = 1030;
constexpr int posicion_senos = 1031;
constexpr int posicion_propia = 1032;
constexpr int energias = 1033;
constexpr int vectores = 1037;
constexpr int transiciones = 1062;
constexpr int probabilidades_zonas = 1063;
} // namespace claves

// The work arrays of a run, created after the checks in this order.
struct Trabajo {
    problema::Matriz HAM, VPOT, TCIN, XMAT, VECT;
    std::vector<double> ENER;
    std::vector<double> XMALLA, VMALLA;  // NPUNTOS × NZONAS samples, zone after zone

    explicit Trabajo(const problema::Problema& p);
};

// The longest problem-file name the engines take (trailing blanks aside).
constexpr std::size_t LONGITUD_NOMBRE = 80;

// The problem file named by the arguments after the program name: none gives
// "DATOS.DAT", one gives that name without trailing blanks (a longer name
// than LONGITUD_NOMBRE is an input-layer error); with two or more the
// problem is read from standard input (no name).
std::optional<std::string> fichero_problema(const std::vector<std::string>& argumentos);

// The exit status of a run whose diagonalisation stopped at its rotation
// limit: the report and the eigen data are written, of results that have
// not converged.
constexpr int estado_sin_convergencia = 3;

// Runs the level solver in the current folder and returns its exit status:
// 0 after a complete run, 3 after a complete run whose diagonalisation did
// not converge, -1 after a stop on bad input, a problem too large for the
// machine's memory, exhausted memory or a computed value that is not finite
// (no file is then replaced), 2 after an error of the input and output layer
// (diagnostic on `errores`): a file that cannot be read, a name too long, an
// output that cannot be written or that the user made read-only. RES.tot and
// DatosDIB are replaced together or not at all.
int ejecutar(const std::vector<std::string>& argumentos, std::istream& entrada, std::ostream& consola,
             std::ostream& errores);

} // namespace calculos
