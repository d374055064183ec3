#pragma once
// File names compare without regard to case: a file written "RES.tot" is the
// one read as "res.tot". These helpers find the existing file that a bare
// name means, so that a reader opens it and a writer replaces it.
#include <filesystem>
#include <optional>
#include <string>

namespace io {

// Upper-case form of the ASCII letters of a name (the comparison key).
std::string nombre_comparable(std::string_view nombre);

// The existing entry of folder `carpeta` whose name equals `nombre` ignoring
// case; an exact match is preferred. Empty when there is none.
std::optional<std::filesystem::path> buscar_sin_mayusculas(const std::filesystem::path& carpeta,
                                                           const std::string& nombre);

// The path to open for `nombre` (relative to the current folder or with a
// folder of its own): the existing file whose last component matches ignoring
// case, or `nombre` itself when none exists.
std::filesystem::path resolver(const std::string& nombre);

} // namespace io
