#pragma once
// Ways an engine run ends early. Each is thrown where the engine stops and
// caught by the engine's main, which turns it into the exit status.
#include <cmath>
#include <span>
#include <stdexcept>
#include <string>

namespace io {

// An error of the input and output layer: a file that cannot be read or written, a value that is
// not a number, a file that ends early. The run ends with status 2 and this
// one-line diagnostic on standard error; no file of the run is written.
class ErrorFichero : public std::runtime_error {
public:
    ErrorFichero(const std::string& fichero, int linea, const std::string& que)
        : std::runtime_error(componer(fichero, linea, que)) {}
    static constexpr int estado = 2;

private:
    static std::string componer(const std::string& fichero, int linea, const std::string& que) {
        std::string s = fichero;
        if (linea > 0) s += ", line " + std::to_string(linea);
        return s + ": " + que;
    }
};

// A stop of the engine on bad input: its message has already been written on
// the console; the run ends with the given status.
struct Parada {
    int estado;
};

// A work array could not be created: the engine writes "INSUFFICIENT MEMORY".
// Where the size comes straight from the problem file, `detalle` names the
// file and the size, for the error stream.
struct SinMemoria {
    std::string detalle;
};

// A computed value is not a finite number (an overflow, or a result made of
// one): the run writes none of its files. `que` is the message key that names
// the quantity; the engine's main writes the refusal with that name
// (ini::Mensajes::escribir_no_finito) and ends as after its other refusals.
struct NoFinito {
    int que;
};

// Throws NoFinito{que} when the value, or one of the values, is not finite.
inline void exigir_finito(double v, int que) {
    if (!std::isfinite(v)) throw NoFinito{que};
}
inline void exigir_finitos(std::span<const double> v, int que) {
    for (double x : v) exigir_finito(x, que);
}

} // namespace io
