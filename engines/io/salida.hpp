#pragma once
// Where the engines write: files of records ended by CR LF, written to a
// temporary name and renamed into place so that a complete file is never
// replaced by a half-written one; and the console, in UTF-8.
//
// A temporary is "<target>.tmp<digits>", created anew (never through a name
// that exists already, a symbolic link included), with the mode a new file
// gets. A target that exists keeps its owner, group and permissions, as far
// as the user may set them; a target the user made read-only is never
// replaced (an input-layer error: the run ends with status 2).
//
// An engine ended by SIGTERM, SIGINT or SIGHUP while it writes leaves no
// temporary behind: the temporaries alive at that moment are removed and the
// signal then ends the process as it would have (a signal that the process
// ignores when its first file is created stays ignored). While files take
// their targets' places together, those signals wait until all of them are
// in place.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <string>
#include <string_view>

namespace io {

class FicheroSalida {
public:
    // The digits of the temporaries' names: random; tests give their own.
    using Sufijos = std::function<unsigned()>;

    // The target is `nombre`, or the existing file that it names ignoring case.
    explicit FicheroSalida(const std::string& nombre, const Sufijos& sufijos = {});
    FicheroSalida(const FicheroSalida&) = delete;
    FicheroSalida& operator=(const FicheroSalida&) = delete;
    ~FicheroSalida();

    // One record: its bytes, then CR LF.
    void escribir(std::string_view registro);
    // Writes the file through to the disk, closes it and checks that every
    // record reached it; the target is not touched yet.
    void cerrar();
    // Closes the file (when cerrar has not) and puts it in place of the target.
    void confirmar();

    const std::filesystem::path& destino() const { return destino_; }

private:
    friend void confirmar_juntos(std::initializer_list<FicheroSalida*>, const std::function<void()>&);
    void vaciar();

    std::filesystem::path destino_;
    std::filesystem::path temporal_;  // empty once it is no longer ours to remove
    int fd_ = -1;
    std::string pendiente_;  // records not yet handed to the system
    int error_ = 0;          // the first write error (errno)
    int plaza_ = -1;         // where the temporary is known to the signal handler
    bool cerrado_ = false;
    bool confirmado_ = false;
};

// Puts the files in place of their targets as one step: either every target
// is replaced or none is. Each file is closed (written through to the disk)
// and every target checked before the first is replaced; SIGTERM, SIGINT and
// SIGHUP are held until all are in place and the folder is on the disk, and
// take effect right after. When a rename fails after an earlier one
// succeeded, the earlier targets get their old files back. `entre` runs
// between two renames (tests).
void confirmar_juntos(std::initializer_list<FicheroSalida*> ficheros, const std::function<void()>& entre = {});

// Refuses (as an input-layer error) to go on when the output `nombre`, or
// the existing file that it names ignoring case, could not be replaced: a
// file the user made read-only, or a folder.
void exigir_reemplazable(const std::string& nombre);

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
