#include "comun.hpp"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace sondeo {

namespace {

fs::path crear() {
    std::string plantilla = (fs::temp_directory_path() / "tarvo-sondeo-XXXXXX").string();
    if (mkdtemp(plantilla.data()) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    return plantilla;
}

void borrar() {
    std::error_code ec;
    fs::remove_all(carpeta(), ec);
}

} // namespace

const fs::path& carpeta() {
    static const fs::path c = [] {
        fs::path p = crear();
        std::atexit(borrar);
        return p;
    }();
    return c;
}

std::string escribir(const std::string& nombre, std::string_view bytes) {
    const fs::path p = carpeta() / nombre;
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    f.close();
    if (!f) {
        std::fprintf(stderr, "cannot write %s\n", p.c_str());
        std::abort();
    }
    return p.string();
}

std::string_view primera_linea(std::string_view& resto) {
    const size_t fin = resto.find('\n');
    const std::string_view l = resto.substr(0, fin);
    resto = fin == std::string_view::npos ? std::string_view() : resto.substr(fin + 1);
    return l;
}

void fallo(const char* condicion, const char* fichero, int linea) {
    std::fprintf(stderr, "%s:%d: broken: %s\n", fichero, linea, condicion);
    std::abort();
}

} // namespace sondeo
