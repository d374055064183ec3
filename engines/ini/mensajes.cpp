#include "ini/mensajes.hpp"

#include <algorithm>
#include <vector>

#include "ini/ini.hpp"
#include "io/registro.hpp"

namespace ini {

namespace {

// COMPARACADENA changes both of its arguments: it is given copies.
bool mismo(std::string a, std::string b) { return COMPARACADENA(a, b); }

// The end marker of the plot files: key 1106, "FIN" in every language.
constexpr int clave_fin = 1106;

} // namespace

void Mensajes::leer_seccion() {
    seccion_ = LEERVALOR(fichero_, "Idioma", "Idioma").substr(0, 10);
    std::vector<std::string> lenguas;
    for (const std::string& s : SECCIONES(fichero_))
        if (!mismo(s, "Idioma")) lenguas.push_back(s);
    const bool tiene_seccion =
        std::any_of(lenguas.begin(), lenguas.end(), [&](const std::string& s) { return mismo(s, seccion_); });
    if (!tiene_seccion && !lenguas.empty()) seccion_ = lenguas.front();
    otras_.clear();
    for (const std::string& s : lenguas)
        if (!mismo(s, seccion_)) otras_.push_back(s);
}

std::string Mensajes::texto(int clave) const {
    const std::string k = std::to_string(clave);
    std::string t = io::sin_blancos_finales(LEERVALOR(fichero_, seccion_, k));
    for (auto s = otras_.begin(); t.empty() && s != otras_.end(); ++s)
        t = io::sin_blancos_finales(LEERVALOR(fichero_, *s, k));
    if (!t.empty()) return t;
    if (clave == clave_fin) return "FIN";
    if (!avisado_) {
        avisado_ = true;
        *avisos_ << fichero_ << ": no language holds the text of key " << k
                 << "; a missing text is written as its key number in brackets\n";
    }
    return "[" + k + "]";
}

void Mensajes::escribir_no_finito(int que) {
    escribir(clave_no_finito, Disposicion::un_blanco);
    escribir(que, Disposicion::ocho_blancos);
}

void Mensajes::escribir(int clave, Disposicion d) {
    const std::string t = texto(clave);
    switch (d) {
    case Disposicion::un_blanco: consola_.escribir(io::linea(io::blancos(1), t)); break;
    case Disposicion::ocho_blancos: consola_.escribir(io::linea(io::blancos(8), t)); break;
    case Disposicion::linea_y_siete:
        consola_.escribir("");
        consola_.escribir(io::linea(io::blancos(7), t));
        break;
    }
}

} // namespace ini
