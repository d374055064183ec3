#include "ini/ini.hpp"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "io/errores.hpp"
#include "io/ficheros.hpp"
#include "io/lectura.hpp"
#include "io/registro.hpp"
#include "io/salida.hpp"

namespace fs = std::filesystem;

namespace ini {

namespace {

std::string campo(std::string s) {
    s.resize(LONGITUD_CAMPO, ' ');
    return s;
}

size_t ultimo_no_blanco(const std::string& s) {  // index + 1; 0 for a blank text
    size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    return n;
}

// The section name of a header record, or nothing when the record is no header.
std::optional<std::string> nombre_seccion(const std::string& registro) {
    if (registro.empty() || registro[0] != '[') return std::nullopt;
    const size_t fin = ultimo_no_blanco(registro);  // the last non-blank is dropped
    if (fin <= 2) return campo("");
    return campo(registro.substr(1, fin - 2));
}

bool iguales(std::string candidato, const std::string& buscado) {
    std::string b = campo(buscado);
    return COMPARACADENA(candidato, b);
}

// The key of a key record; a record without "=" has none.
std::optional<std::string> clave_de(const std::string& registro) {
    const size_t igual = registro.find('=');
    if (igual == std::string::npos) return std::nullopt;
    return campo(registro.substr(0, igual));
}

struct Lineas {
    std::vector<std::string> l;
    bool termina_en_salto = true;
};

Lineas leer_todo(const fs::path& ruta) {
    Lineas r;
    auto f = io::Fuente::abrir(ruta.string());
    while (auto s = f.siguiente()) r.l.push_back(*s);
    std::ifstream b(ruta, std::ios::binary | std::ios::ate);
    if (b && b.tellg() > 0) {
        b.seekg(-1, std::ios::end);
        const int c = b.get();
        r.termina_en_salto = c == '\n' || c == '\r';
    }
    return r;
}

} // namespace

void CMAYMIN(std::string& s, int modo) {
    const size_t n = ultimo_no_blanco(s);
    for (size_t i = 0; i < n; ++i) {
        char& c = s[i];
        if (modo == 1 && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        else if (modo == 0 && c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
}

bool COMPARACADENA(std::string& a, std::string& b) {
    CMAYMIN(a, 1);
    CMAYMIN(b, 1);
    const size_t la = ultimo_no_blanco(a), lb = ultimo_no_blanco(b);
    return la == lb && a.compare(0, la, b, 0, la) == 0;
}

std::string LEERVALOR(const std::string& fichero, const std::string& seccion, const std::string& clave) {
    auto f = io::Fuente::abrir(fichero);
    bool en_seccion = false;
    while (auto linea = f.siguiente()) {
        const std::string registro = campo(*linea);
        const auto nombre = nombre_seccion(registro);
        if (!en_seccion) {
            en_seccion = nombre && iguales(*nombre, seccion);
            continue;
        }
        if (nombre) break;  // the next section: the key is not there
        const auto k = clave_de(registro);
        if (k && iguales(*k, clave)) {
            const size_t igual = registro.find('=');
            const size_t fin = ultimo_no_blanco(registro);
            return campo(fin > igual ? registro.substr(igual + 1, fin - igual - 1) : "");
        }
    }
    return campo("");
}

std::vector<std::string> SECCIONES(const std::string& fichero) {
    std::vector<std::string> r;
    auto f = io::Fuente::abrir(fichero);
    while (auto linea = f.siguiente())
        if (const auto nombre = nombre_seccion(campo(*linea))) r.push_back(io::sin_blancos_finales(*nombre));
    return r;
}

int LEERVALOR_INT(const std::string& fichero, const std::string& seccion, const std::string& clave) {
    const std::string v = LEERVALOR(fichero, seccion, clave);
    if (ultimo_no_blanco(v) == 0) return 0;
    return io::entero_de(fichero, 0, v, "an integer");
}

double LEERVALOR_REAL(const std::string& fichero, const std::string& seccion, const std::string& clave) {
    const std::string v = LEERVALOR(fichero, seccion, clave);
    if (ultimo_no_blanco(v) == 0) return 0.0;
    return io::real_de(fichero, 0, v, "a real number");
}

std::string INTTOSTR(int n) { return campo(std::to_string(n)); }

std::string REALTOSTR(double x) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, r.ptr);
}

void CREARSECCION(const std::string& fichero, const std::string& seccion) {
    const fs::path ruta = io::resolver(fichero);
    std::error_code ec;
    if (!fs::exists(ruta, ec)) {
        std::ofstream nuevo(ruta, std::ios::binary);
        if (!nuevo) throw io::ErrorFichero(fichero, 0, "cannot be created");
    }
    const Lineas todo = leer_todo(ruta);
    for (const auto& l : todo.l) {
        const auto nombre = nombre_seccion(campo(l));
        if (nombre && iguales(*nombre, seccion)) return;
    }
    std::ofstream f(ruta, std::ios::binary | std::ios::app);
    if (!todo.termina_en_salto) f << "\r\n";
    f << "\r\n[" << io::sin_blancos_finales(seccion) << "]\r\n";
    f.close();
    if (f.fail()) throw io::ErrorFichero(fichero, 0, "cannot be written");
}

void GUARDAVALOR(const std::string& fichero, const std::string& seccion, const std::string& clave,
                 const std::string& valor) {
    CREARSECCION(fichero, seccion);
    const fs::path ruta = io::resolver(fichero);
    const std::vector<std::string> entrada = leer_todo(ruta).l;
    const std::string nueva = io::sin_blancos_finales(clave) + "=" + io::sin_blancos_finales(valor);

    std::vector<std::string> salida;
    std::vector<std::string> blancas;  // blank lines held back inside the section
    bool en_seccion = false, hecho = false;
    auto soltar_blancas = [&] {
        salida.insert(salida.end(), blancas.begin(), blancas.end());
        blancas.clear();
    };
    for (const auto& l : entrada) {
        const std::string registro = campo(l);
        const auto nombre = nombre_seccion(registro);
        if (hecho || (!en_seccion && !(nombre && iguales(*nombre, seccion)))) {
            salida.push_back(l);
            continue;
        }
        if (!en_seccion) {  // the header of the section
            en_seccion = true;
            salida.push_back(l);
            continue;
        }
        if (nombre) {  // the next header: the key goes before the blank lines
            salida.push_back(nueva);
            soltar_blancas();
            salida.push_back(l);
            hecho = true;
            continue;
        }
        if (ultimo_no_blanco(l) == 0) {
            blancas.push_back(l);
            continue;
        }
        soltar_blancas();
        const auto k = clave_de(registro);
        if (k && iguales(*k, clave)) {
            salida.push_back(nueva);
            hecho = true;
        } else {
            salida.push_back(l);
        }
    }
    if (!hecho) {
        salida.push_back(nueva);
        soltar_blancas();
    }

    // A temporary of its own beside the file, created anew (never through a
    // link), then renamed onto it.
    io::FicheroSalida f(ruta.string());
    for (const auto& l : salida) f.escribir(l);
    f.confirmar();
}

} // namespace ini
