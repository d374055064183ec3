#include "io/salida.hpp"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <random>
#include <set>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

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

// Holds SIGTERM, SIGINT and SIGHUP while it lives; one that came meanwhile
// takes effect when it ends.
class SenalesRetenidas {
public:
    SenalesRetenidas() {
        sigset_t s;
        sigemptyset(&s);
        for (int x : senales_finales) sigaddset(&s, x);
        sigprocmask(SIG_BLOCK, &s, &antes_);
    }
    ~SenalesRetenidas() { sigprocmask(SIG_SETMASK, &antes_, nullptr); }
    SenalesRetenidas(const SenalesRetenidas&) = delete;
    SenalesRetenidas& operator=(const SenalesRetenidas&) = delete;

private:
    sigset_t antes_;
};

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

std::string motivo(int e) { return std::strerror(e); }

// The state of the target: false when there is none.
bool estado_de(const fs::path& destino, struct stat& st) { return ::lstat(destino.c_str(), &st) == 0; }

// A target that a new file may not take the place of: a folder, or a file
// the user made read-only. Read-only is what the user may not write, and for
// a user who may write anything (root) a file without any write permission,
// so that a file protected by its mode stays protected. A symbolic link is
// replaced by the file, never written through. Nothing when there is no target.
void comprobar_destino(const fs::path& destino) {
    struct stat st {};
    if (!estado_de(destino, st)) return;
    if (S_ISDIR(st.st_mode)) throw ErrorFichero(destino.string(), 0, "cannot be replaced: " + motivo(EISDIR));
    if (!S_ISREG(st.st_mode)) return;
    if (::access(destino.c_str(), W_OK) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        throw ErrorFichero(destino.string(), 0,
                           "the file is read-only; it is left as it was and no file of this run is written");
}

// A name of the form "<target>.tmp<digits>" beside the target.
fs::path nombre_temporal(const fs::path& destino, unsigned numero) {
    fs::path t = destino;
    t += ".tmp" + std::to_string(numero % 1000000);
    return t;
}

// Writes the entries of a folder (empty: the current one) through to the
// disk. A folder that cannot be opened or synced (a file system without it)
// is left to the system: the files are in place already.
void sincronizar_carpeta(const fs::path& carpeta) {
    const int fd = ::open(carpeta.empty() ? "." : carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

// The old target of a file, kept under a second name until the step that
// replaces it is over, so that it can come back when a later file of the
// step cannot be put in place.
struct Respaldo {
    bool habia = false;  // the target existed
    fs::path copia;      // its second name; empty when the file system has no hard links
};

Respaldo respaldar(const fs::path& destino) {
    Respaldo r;
    struct stat st {};
    r.habia = estado_de(destino, st);
    if (!r.habia) return r;
    std::random_device rd;
    for (int intento = 0; intento < 100; ++intento) {
        const fs::path c = nombre_temporal(destino, rd());
        if (::link(destino.c_str(), c.c_str()) == 0) {
            r.copia = c;
            break;
        }
        if (errno != EEXIST) break;
    }
    return r;
}

// Puts the old target back: its second name takes its place again, or the
// new file goes where there was none. False when that cannot be done.
bool devolver(const fs::path& destino, const Respaldo& r) {
    if (!r.habia) return ::unlink(destino.c_str()) == 0;
    return !r.copia.empty() && ::rename(r.copia.c_str(), destino.c_str()) == 0;
}

} // namespace

void exigir_reemplazable(const std::string& nombre) { comprobar_destino(resolver(nombre)); }

FicheroSalida::FicheroSalida(const std::string& nombre, const Sufijos& sufijos) : destino_(resolver(nombre)) {
    comprobar_destino(destino_);
    struct stat anterior {};
    const bool existe = estado_de(destino_, anterior);
    std::random_device rd;
    int e = EEXIST;
    for (int intento = 0; intento < 100 && fd_ < 0 && e == EEXIST; ++intento) {
        const fs::path t = nombre_temporal(destino_, sufijos ? sufijos() : rd());
        // Created only when no entry of that name exists, a link included,
        // and known to the handler before a signal can end the process.
        const SenalesRetenidas retenidas;
        fd_ = ::open(t.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            e = errno;
            continue;
        }
        temporal_ = t;
        plaza_ = registrar_temporal(temporal_);
    }
    if (fd_ < 0) throw ErrorFichero(destino_.string(), 0, "cannot be created: " + motivo(e));
    if (existe && S_ISREG(anterior.st_mode)) {
        // The owner and group of the old file where the user may set them,
        // then its permissions (a change of owner clears the set-id bits).
        if (::fchown(fd_, anterior.st_uid, anterior.st_gid) != 0)
            (void)::fchown(fd_, static_cast<uid_t>(-1), anterior.st_gid);
        (void)::fchmod(fd_, anterior.st_mode & 07777);
    }
}

FicheroSalida::~FicheroSalida() {
    if (fd_ >= 0) ::close(fd_);
    if (!confirmado_ && !temporal_.empty()) ::unlink(temporal_.c_str());
    olvidar_temporal(plaza_);
}

void FicheroSalida::vaciar() {
    const char* p = pendiente_.data();
    size_t quedan = pendiente_.size();
    while (quedan > 0 && error_ == 0) {
        const ssize_t n = ::write(fd_, p, quedan);
        if (n < 0) {
            if (errno != EINTR) error_ = errno;
            continue;
        }
        p += n;
        quedan -= static_cast<size_t>(n);
    }
    pendiente_.clear();
}

void FicheroSalida::escribir(std::string_view registro) {
    pendiente_.append(registro);
    pendiente_.append("\r\n");
    if (pendiente_.size() >= (1u << 16)) vaciar();
}

void FicheroSalida::cerrar() {
    if (cerrado_) return;
    cerrado_ = true;
    vaciar();
    if (error_ == 0 && ::fsync(fd_) != 0) error_ = errno;
    if (::close(fd_) != 0 && error_ == 0) error_ = errno;
    fd_ = -1;
    if (error_ != 0) throw ErrorFichero(destino_.string(), 0, "could not be written completely");
}

void FicheroSalida::confirmar() { confirmar_juntos({this}); }

void confirmar_juntos(std::initializer_list<FicheroSalida*> ficheros, const std::function<void()>& entre) {
    for (FicheroSalida* f : ficheros) f->cerrar();
    // The targets may have changed since the files were begun.
    for (FicheroSalida* f : ficheros) comprobar_destino(f->destino_);

    const SenalesRetenidas retenidas;
    struct Paso {
        FicheroSalida* f;
        Respaldo r;
    };
    std::vector<Paso> hechos;
    const std::vector<FicheroSalida*> todos(ficheros);
    for (size_t i = 0; i < todos.size(); ++i) {
        FicheroSalida& f = *todos[i];
        if (i > 0 && entre) entre();
        // Only a target that a later file could leave alone needs a way back.
        const Respaldo r = i + 1 < todos.size() ? respaldar(f.destino_) : Respaldo{};
        if (::rename(f.temporal_.c_str(), f.destino_.c_str()) == 0) {
            hechos.push_back({&f, r});
            continue;
        }
        const int e = errno;
        if (!r.copia.empty()) ::unlink(r.copia.c_str());
        // The targets replaced in this step get their old files back (or
        // none, where there was none), the last one first.
        std::string vueltos;
        for (auto p = hechos.rbegin(); p != hechos.rend(); ++p) {
            p->f->temporal_.clear();  // its name is the target's now
            if (devolver(p->f->destino_, p->r)) {
                vueltos += (vueltos.empty() ? "; " : ", ") + p->f->destino_.string();
            } else if (!p->r.copia.empty()) {
                ::unlink(p->r.copia.c_str());
            }
        }
        if (!vueltos.empty()) vueltos += " left as it was";
        throw ErrorFichero(f.destino_.string(), 0, "cannot be replaced: " + motivo(e) + vueltos);
    }
    std::set<fs::path> carpetas;
    for (const Paso& p : hechos) carpetas.insert(p.f->destino_.parent_path());
    for (const fs::path& c : carpetas) sincronizar_carpeta(c);
    for (Paso& p : hechos) {
        if (!p.r.copia.empty()) ::unlink(p.r.copia.c_str());
        p.f->confirmado_ = true;
        p.f->temporal_.clear();
        olvidar_temporal(p.f->plaza_);
    }
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
