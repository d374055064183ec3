#include "io/lectura.hpp"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <istream>

#include "io/errores.hpp"
#include "io/ficheros.hpp"
#include "io/salida.hpp"

namespace io {

namespace {
const std::string danado = "the file is damaged or is not a text file of the system";
}

Fuente Fuente::abrir(const std::string& nombre) {
    const auto ruta = resolver(nombre);
    auto f = std::make_unique<std::ifstream>(ruta, std::ios::binary);
    if (!f->is_open()) throw ErrorFichero(nombre, 0, "the file cannot be opened for reading");
    std::istream* p = f.get();
    return Fuente(std::move(f), p, nombre);
}

Fuente Fuente::flujo(std::istream& is, std::string nombre) { return Fuente(nullptr, &is, std::move(nombre)); }

std::optional<std::string> Fuente::siguiente() {
    std::string s;
    bool algo = false, nulo = false;
    for (int c; (c = is_->get()) != std::char_traits<char>::eof();) {
        algo = true;
        if (c == '\n') break;
        if (c == '\r') {
            if (is_->peek() == '\n') is_->get();
            break;
        }
        if (c == '\0') nulo = true;
        if (s.size() == LINEA_MAXIMA) {
            // The rest of the line is not read: the file may be of any size.
            ++numero_;
            error("the line is longer than " + std::to_string(LINEA_MAXIMA) + " characters; " + danado);
        }
        s += static_cast<char>(c);
    }
    if (is_->bad()) error("the file cannot be read");
    if (!algo) return std::nullopt;
    ++numero_;
    if (nulo) error("the line holds a NUL byte; " + danado);
    return s;
}

std::string Fuente::leer_linea(std::string_view que_se_esperaba) {
    auto l = siguiente();
    if (!l) {
        ++numero_;
        error("the file ends early; expected " + std::string(que_se_esperaba));
    }
    return *l;
}

void Fuente::error(const std::string& que) const { throw ErrorFichero(nombre_, numero_, que); }

namespace {

std::string_view primer_elemento(std::string_view t) {
    size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
    size_t j = i;
    while (j < t.size() && t[j] != ' ' && t[j] != '\t' && t[j] != ',') ++j;
    return t.substr(i, j - i);
}

bool es_digito(char c) { return c >= '0' && c <= '9'; }

// [sign] digits [. digits] or [sign] . digits, then an optional exponent
// letter E or D with an optional sign and digits.
bool forma_real(std::string_view s, bool& entera) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t dig = 0;
    while (i < s.size() && es_digito(s[i])) ++i, ++dig;
    entera = true;
    if (i < s.size() && s[i] == '.') {
        entera = false;
        ++i;
        while (i < s.size() && es_digito(s[i])) ++i, ++dig;
    }
    if (dig == 0) return false;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        entera = false;
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        size_t ed = 0;
        while (i < s.size() && es_digito(s[i])) ++i, ++ed;
        if (ed == 0) return false;
    }
    return i == s.size();
}

Real convertir(std::string_view item) {
    std::string s(item);
    for (char& c : s)
        if (c == 'D' || c == 'd') c = 'E';
    errno = 0;
    const double v = std::strtod(s.c_str(), nullptr);
    if (!std::isfinite(v) || (errno == ERANGE && std::fabs(v) > 1.0)) return {Lectura::fuera_de_rango};
    return {Lectura::bien, v};
}

// A value as the diagnostic quotes it: one short line of readable text,
// whatever bytes the file held. Control bytes (a NUL, an escape) show as
// \xNN, the rest of the Windows-1252 text as UTF-8, and a long value is cut.
std::string citar(std::string_view item) {
    constexpr size_t maximo = 40;
    std::string t;
    size_t i = 0;
    for (; i < item.size() && t.size() < maximo; ++i) {
        const unsigned char c = static_cast<unsigned char>(item[i]);
        if (c < 0x20 || c == 0x7F) {
            static constexpr char hex[] = "0123456789ABCDEF";
            t += "\\x";
            t += hex[c >> 4];
            t += hex[c & 0xF];
        } else {
            t += cp1252_a_utf8(item.substr(i, 1));
        }
    }
    if (i < item.size()) t += "...";
    return t;
}

std::string describir(Lectura e, std::string_view texto, std::string_view que) {
    const std::string t = citar(primer_elemento(texto));
    switch (e) {
    case Lectura::vacio: return "expected " + std::string(que) + ", found no value";
    case Lectura::no_numero: return "expected " + std::string(que) + ", found \"" + t + "\"";
    default: return "the value \"" + t + "\" of " + std::string(que) + " is out of range";
    }
}

} // namespace

Real leer_real(std::string_view texto) {
    const auto item = primer_elemento(texto);
    if (item.empty()) return {Lectura::vacio};
    bool entera;
    if (!forma_real(item, entera)) return {Lectura::no_numero};
    return convertir(item);
}

Entero leer_entero(std::string_view texto) {
    const auto item = primer_elemento(texto);
    if (item.empty()) return {Lectura::vacio};
    bool entera;
    if (!forma_real(item, entera)) return {Lectura::no_numero};
    const Real r = convertir(item);
    if (r.estado != Lectura::bien) return {r.estado};
    const double t = std::trunc(r.valor);
    if (t < -2147483648.0 || t > 2147483647.0) return {Lectura::fuera_de_rango};
    return {Lectura::bien, static_cast<int>(t)};
}

double real_de(const std::string& fichero, int linea, std::string_view texto, std::string_view que) {
    const Real r = leer_real(texto);
    if (r.estado != Lectura::bien) throw ErrorFichero(fichero, linea, describir(r.estado, texto, que));
    return r.valor;
}

int entero_de(const std::string& fichero, int linea, std::string_view texto, std::string_view que) {
    const Entero r = leer_entero(texto);
    if (r.estado != Lectura::bien) throw ErrorFichero(fichero, linea, describir(r.estado, texto, que));
    return r.valor;
}

} // namespace io
