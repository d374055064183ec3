#include "io/ficheros.hpp"

#include <system_error>

namespace fs = std::filesystem;

namespace io {

std::string nombre_comparable(std::string_view nombre) {
    std::string s(nombre);
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return s;
}

std::optional<fs::path> buscar_sin_mayusculas(const fs::path& carpeta, const std::string& nombre) {
    std::error_code ec;
    const fs::path dir = carpeta.empty() ? fs::path(".") : carpeta;
    if (fs::exists(dir / nombre, ec) && !ec) {
        // Exact spelling first; it may also be the only match.
        for (fs::directory_iterator it(dir, ec), fin; !ec && it != fin; it.increment(ec))
            if (it->path().filename().string() == nombre) return carpeta / nombre;
    }
    const std::string clave = nombre_comparable(nombre);
    for (fs::directory_iterator it(dir, ec), fin; !ec && it != fin; it.increment(ec)) {
        const std::string n = it->path().filename().string();
        if (nombre_comparable(n) == clave) return carpeta / n;
    }
    return std::nullopt;
}

fs::path resolver(const std::string& nombre) {
    const fs::path p(nombre);
    const std::string hoja = p.filename().string();
    if (hoja.empty()) return p;
    if (auto encontrado = buscar_sin_mayusculas(p.parent_path(), hoja)) return *encontrado;
    return p;
}

} // namespace io
