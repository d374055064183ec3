#include "io/salida.hpp"

#include <array>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <random>
#include <system_error>
#include <unistd.h>

#include "io/errores.hpp"
#include "io/ficheros.hpp"

namespace fs = std::filesystem;

namespace io {

namespace {

// The temporaries being written, as absolute paths ready for unlink: the
// signal handler may neither allocate nor build a path. An engine has at
// most a few files open at once.
constexpr int PLAZAS = 32;
std::atomic<char*> temporales_vivos[PLAZAS];
constexpr int senales_finales[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void borrar_temporales_y_terminar(int senal) {
    for (auto& plaza : temporales_vivos)
        if (const char* ruta = plaza.load()) unlink(ruta);
    // The signal again, now with its default action, so that the process
    // ends as the signal says.
    struct sigaction por_defecto {};
    por_defecto.sa_handler = SIG_DFL;
    sigemptyset(&por_defecto.sa_mask);
    sigaction(senal, &por_defecto, nullptr);
    sigset_t esta;
    sigemptyset(&esta);
    sigaddset(&esta, senal);
    sigprocmask(SIG_UNBLOCK, &esta, nullptr);
    raise(senal);
    _exit(128 + senal);
}

void vigilar_senales() {
    static const bool instalado = [] {
        struct sigaction a {};
        a.sa_handler = borrar_temporales_y_terminar;
        sigemptyset(&a.sa_mask);
        for (int s : senales_finales) sigaddset(&a.sa_mask, s);
        for (int s : senales_finales) {
            struct sigaction antes {};
            if (sigaction(s, nullptr, &antes) == 0 && antes.sa_handler == SIG_IGN) continue;
            sigaction(s, &a, nullptr);
        }
        return true;
    }();
    (void)instalado;
}

// The slot of the new temporary, or -1 when every slot is taken (the file is
// then written all the same, without the removal on a signal).
int registrar_temporal(const fs::path& ruta) {
    vigilar_senales();
    const std::string texto = fs::absolute(ruta).string();
    char* c = new char[texto.size() + 1];
    std::memcpy(c, texto.c_str(), texto.size() + 1);
    for (int i = 0; i < PLAZAS; ++i) {
        char* libre = nullptr;
        if (temporales_vivos[i].compare_exchange_strong(libre, c)) return i;
    }
    delete[] c;
    return -1;
}

void olvidar_temporal(int& plaza) {
    if (plaza < 0) return;
    delete[] temporales_vivos[plaza].exchange(nullptr);
    plaza = -1;
}

} // namespace

FicheroSalida::FicheroSalida(const std::string& nombre) : destino_(resolver(nombre)) {
    std::random_device rd;
    for (int intento = 0; intento < 100 && !f_.is_open(); ++intento) {
        fs::path t = destino_;
        t += ".tmp" + std::to_string(rd() % 1000000);
        std::error_code ec;
        if (fs::exists(t, ec)) continue;
        temporal_ = t;
        // Known to the handler before it exists, so that no moment leaves it behind.
        plaza_ = registrar_temporal(temporal_);
        f_.open(temporal_, std::ios::binary | std::ios::trunc);
        if (!f_.is_open()) olvidar_temporal(plaza_);
    }
    if (!f_.is_open()) throw ErrorFichero(destino_.string(), 0, "cannot be created");
}

FicheroSalida::~FicheroSalida() {
    if (!confirmado_) {
        f_.close();
        std::error_code ec;
        fs::remove(temporal_, ec);
    }
    olvidar_temporal(plaza_);
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
    olvidar_temporal(plaza_);
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
