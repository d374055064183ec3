#pragma once
// Where the engines write: files of records ended by CR LF, written to a
// temporary name and renamed into place so that a complete file is never
// replaced by a half-written one; and the console, in UTF-8.
//
// An engine ended by SIGTERM, SIGINT or SIGHUP while it writes leaves no
// temporary behind: the temporaries alive at that moment are removed and the
// signal then ends the process as it would have (a signal that the process
// ignores when its first file is created stays ignored).
#include <filesystem>
#include <fstream>
#include <iosfwd>
#include <string>
#include <string_view>

namespace io {

class FicheroSalida {
public:
    // The target is `nombre`, or the existing file that it names ignoring case.
    explicit FicheroSalida(const std::string& nombre);
    FicheroSalida(const FicheroSalida&) = delete;
    FicheroSalida& operator=(const FicheroSalida&) = delete;
    ~FicheroSalida();

    // One record: its bytes, then CR LF.
    void escribir(std::string_view registro);
    // Closes the file and checks that every record reached it; the target
    // is not touched yet.
    void cerrar();
    // Closes the file (when cerrar has not) and puts it in place of the target.
    void confirmar();

    const std::filesystem::path& destino() const { return destino_; }

private:
    std::filesystem::path destino_;
    std::filesystem::path temporal_;
    std::ofstream f_;
    int plaza_ = -1;  // where the temporary is known to the signal handler
    bool cerrado_ = false;
    bool confirmado_ = false;
};

// Windows-1252 bytes as UTF-8 text.
std::string cp1252_a_utf8(std::string_view t);

// The console of the engine: each line converted from Windows-1252 to UTF-8.
class Consola {
public:
    explicit Consola(std::ostream& os) : os_(&os) {}
    void escribir(std::string_view linea_cp1252);
    // Clears the terminal; nothing when the output is not a terminal.
    void limpiar();
    std::ostream& flujo() { return *os_; }

private:
    std::ostream* os_;
};

} // namespace io
