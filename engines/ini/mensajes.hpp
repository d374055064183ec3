#pragma once
// The engines' messages: the text of a decimal key in the current language
// section of idioma.lng, with its trailing blanks removed, written on the
// console in one of the three layouts of the engines.
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

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
    // Notices about the language file go to `avisos`.
    explicit Mensajes(io::Consola consola, std::string fichero = "idioma.lng", std::ostream& avisos = std::cerr)
        : consola_(consola), fichero_(std::move(fichero)), avisos_(&avisos) {}

    // SECCIDIOMA: the first 10 characters of the current language's name,
    // read from key Idioma of section Idioma. When no language section has
    // that name, the first language section of the file (the first section
    // other than Idioma) is taken, so that no message is blank while the file
    // holds a language. Also notes the other language sections, in file
    // order, for the texts that the current one lacks.
    void leer_seccion();
    const std::string& SECCIDIOMA() const { return seccion_; }

    // The text of key `clave`. A key that is missing or blank in the current
    // language is taken from the first other language section, in file
    // order, that has it. When none has it, key 1106 (the end marker of the
    // plot files, the same in every language) is "FIN", and any other key
    // is its number in brackets ("[1033]"), so that no report label or
    // message is blank; the first such key of a run is told on `avisos`.
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
    std::ostream* avisos_;
    std::string seccion_ = std::string(10, ' ');
    std::vector<std::string> otras_;  // the other language sections, in file order
    mutable bool avisado_ = false;
};

} // namespace ini
