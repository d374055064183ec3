#pragma once
// The engines' input: a source of text lines (a file or standard input) that
// counts its lines for diagnostics, and the free-form reading of one value.
#include <fstream>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace io {

// The longest line a source gives: the system's text files have short lines,
// so a longer one means a damaged file.
constexpr std::size_t LINEA_MAXIMA = 65536;

class Fuente {
public:
    // Opens a file by name (matched ignoring case); a missing or unreadable
    // file is an input-layer error.
    static Fuente abrir(const std::string& nombre);
    // Reads from a stream the caller keeps alive (standard input).
    static Fuente flujo(std::istream& is, std::string nombre);

    // The next line without its line end (LF or CR LF; a lone CR ends a line
    // too); empty when the source has ended. A line longer than LINEA_MAXIMA
    // or holding a NUL byte is an input-layer error.
    std::optional<std::string> siguiente();
    // The next line; the end of the source is an input-layer error saying
    // what was expected.
    std::string leer_linea(std::string_view que_se_esperaba);

    const std::string& nombre() const { return nombre_; }
    int numero_linea() const { return numero_; }

    // An input-layer error at the current line.
    [[noreturn]] void error(const std::string& que) const;

private:
    Fuente(std::unique_ptr<std::istream> propio, std::istream* is, std::string nombre)
        : propio_(std::move(propio)), is_(is), nombre_(std::move(nombre)) {}
    std::unique_ptr<std::istream> propio_;
    std::istream* is_;
    std::string nombre_;
    int numero_ = 0;
};

// Free-form reading of the first item of a value text: leading blanks are
// skipped and the item ends at a blank, a comma or the end.
enum class Lectura { bien, vacio, no_numero, fuera_de_rango };

struct Real {
    Lectura estado;
    double valor = 0.0;
};
struct Entero {
    Lectura estado;
    int valor = 0;
};

// A real with or without point or exponent (E or D).
Real leer_real(std::string_view texto);
// An integer; a count written in real form (3.000, 2.9, 1e2) gives its
// integer part, truncated toward zero. Values beyond 32 bits are out of range.
Entero leer_entero(std::string_view texto);

// The same, where a failure is an input-layer error at line `linea` of
// `fichero` (0: no line), or at the source's current line.
double real_de(const std::string& fichero, int linea, std::string_view texto, std::string_view que);
int entero_de(const std::string& fichero, int linea, std::string_view texto, std::string_view que);
inline double real_de(const Fuente& f, std::string_view texto, std::string_view que) {
    return real_de(f.nombre(), f.numero_linea(), texto, que);
}
inline int entero_de(const Fuente& f, std::string_view texto, std::string_view que) {
    return entero_de(f.nombre(), f.numero_linea(), texto, que);
}

} // namespace io
