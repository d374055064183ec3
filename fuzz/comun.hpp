#pragma once
// What the fuzz targets share: a scratch folder of their own, files written
// into it, and the check that turns a broken promise of a reader into a crash
// that the fuzzer reports.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace sondeo {

// A folder made once per process under the system's temporary folder and
// removed at a normal exit.
const std::filesystem::path& carpeta();

// Writes `bytes` to `nombre` in the scratch folder and returns its path.
std::string escribir(const std::string& nombre, std::string_view bytes);

// The input as text.
inline std::string_view texto(const std::uint8_t* datos, std::size_t n) {
    return {reinterpret_cast<const char*>(datos), n};
}

// Splits off the input's first line (without its LF).
std::string_view primera_linea(std::string_view& resto);

[[noreturn]] void fallo(const char* condicion, const char* fichero, int linea);

} // namespace sondeo

#define COMPROBAR(c) ((c) ? (void)0 : ::sondeo::fallo(#c, __FILE__, __LINE__))
