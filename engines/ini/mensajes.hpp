#pragma once
// The engines' messages: the text of a decimal key in the current language
// section of idioma.lng, with its trailing blanks removed, written on the
// console in one of the three layouts of the engines.
#include <string>
#include <string_view>

#include "io/salida.hpp"

namespace ini {

// The refusal of a computed value that is not a finite number; the name of
// the quantity follows it on the next line.
constexpr int clave_no_finito = 1061;

enum class Disposicion {
    un_blanco,       // one blank and the text
    ocho_blancos,    // eight blanks and the text
    linea_y_siete,   // an empty line, then seven blanks and the text
};

class Mensajes {
public:
    explicit Mensajes(io::Consola consola, std::string fichero = "idioma.lng")
        : consola_(consola), fichero_(std::move(fichero)) {}

    // SECCIDIOMA: the first 10 characters of the current language's name,
    // read from key Idioma of section Idioma. When no language section has
    // that name, the first language section of the file (the first section
    // other than Idioma) is taken, so that no message is blank while the file
    // holds a language.
    void leer_seccion();
    const std::string& SECCIDIOMA() const { return seccion_; }

    // The text of key `clave` (empty when the key is missing).
    std::string texto(int clave) const;
    void escribir(int clave, Disposicion d = Disposicion::un_blanco);
    // The text of key 1061 after one blank, then on the next line the text
    // of key `que`, the quantity that is not finite (io::NoFinito), after
    // eight blanks.
    void escribir_no_finito(int que);
    io::Consola& consola() { return consola_; }

private:
    io::Consola consola_;
    std::string fichero_;
    std::string seccion_ = std::string(10, ' ');
};

} // namespace ini
