#include "io/salida.hpp"

#include <array>
#include <cstdio>
#include <iostream>
#include <random>
#include <system_error>
#include <unistd.h>

#include "io/errores.hpp"
#include "io/ficheros.hpp"

namespace fs = std::filesystem;

namespace io {

FicheroSalida::FicheroSalida(const std::string& nombre) : destino_(resolver(nombre)) {
    std::random_device rd;
    for (int intento = 0; intento < 100 && !f_.is_open(); ++intento) {
        fs::path t = destino_;
        t += ".tmp" + std::to_string(rd() % 1000000);
        std::error_code ec;
        if (fs::exists(t, ec)) continue;
        temporal_ = t;
        f_.open(temporal_, std::ios::binary | std::ios::trunc);
    }
    if (!f_.is_open()) throw ErrorFichero(destino_.string(), 0, "cannot be created");
}

FicheroSalida::~FicheroSalida() {
    if (!confirmado_) {
        f_.close();
        std::error_code ec;
        fs::remove(temporal_, ec);
    }
}

void FicheroSalida::escribir(std::string_view registro) {
    f_.write(registro.data(), static_cast<std::streamsize>(registro.size()));
    f_.write("\r\n", 2);
}

void FicheroSalida::cerrar() {
    if (cerrado_) return;
    cerrado_ = true;
    f_.close();
    if (f_.fail()) throw ErrorFichero(destino_.string(), 0, "could not be written completely");
}

void FicheroSalida::confirmar() {
    cerrar();
    std::error_code ec;
    fs::rename(temporal_, destino_, ec);
    if (ec) throw ErrorFichero(destino_.string(), 0, "cannot be replaced: " + ec.message());
    confirmado_ = true;
}

std::string cp1252_a_utf8(std::string_view t) {
    // Code points of the bytes 0x80 to 0x9F; the five unassigned ones stay as U+0080 etc.
    static constexpr std::array<char16_t, 32> alto = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::string r;
    r.reserve(t.size());
    for (unsigned char c : t) {
        char32_t u = c < 0x80 ? c : (c < 0xA0 ? alto[c - 0x80] : c);
        if (u < 0x80) {
            r += static_cast<char>(u);
        } else if (u < 0x800) {
            r += static_cast<char>(0xC0 | (u >> 6));
            r += static_cast<char>(0x80 | (u & 0x3F));
        } else {
            r += static_cast<char>(0xE0 | (u >> 12));
            r += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            r += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return r;
}

void Consola::escribir(std::string_view linea_cp1252) {
    *os_ << cp1252_a_utf8(linea_cp1252) << '\n';
    os_->flush();
}

void Consola::limpiar() {
    if (os_ == &std::cout && isatty(STDOUT_FILENO)) {
        *os_ << "\033[H\033[2J";
        os_->flush();
    }
}

} // namespace io
