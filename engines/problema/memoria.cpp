#include "problema/memoria.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <ostream>
#include <string>
#include <unistd.h>

#include "ini/mensajes.hpp"
#include "io/errores.hpp"
#include "io/registro.hpp"
#include "problema/problema.hpp"

namespace problema {

// What the machine can hold: its physical memory. A larger request would be
// granted lazily by the system and then kill the process while it is filled.
long double memoria_fisica() {
    if (const char* e = std::getenv("TARVO_MEMORIA_FISICA"); e != nullptr && *e != '\0') {
        char* fin = nullptr;
        const long double v = std::strtold(e, &fin);
        if (*fin == '\0' && v >= 0.0L && std::isfinite(v)) return v;
    }
    const long paginas = sysconf(_SC_PHYS_PAGES), tam = sysconf(_SC_PAGE_SIZE);
    if (paginas <= 0 || tam <= 0) return 0x1p62L;
    return static_cast<long double>(paginas) * static_cast<long double>(tam);
}

namespace {

constexpr long double BYTES = sizeof(double);

// Bytes as whole MB: the need rounded up, the machine's memory down.
std::string megas(long double bytes, bool arriba) {
    const long double mb = bytes / (1024.0L * 1024.0L);
    char s[64];
    std::snprintf(s, sizeof s, "%.0Lf", arriba ? std::ceil(mb) : std::floor(mb));
    return s;
}

// The physical memory in doubles, as the largest array granted (at most
// 2^59, so that it still counts in bytes).
long long dobles_fisicos() {
    const long double d = memoria_fisica() / BYTES;
    return d >= 0x1p59L ? 1LL << 59 : static_cast<long long>(d);
}

// What the machine can still give: the memory the system counts as available
// and the free swap. Each of the five matrices of a large basis may fit in
// the machine while together they do not; as every array is filled when it
// is created, the earlier ones are no longer counted here.
long long memoria_disponible() {
    std::ifstream f("/proc/meminfo");
    long long disponible = -1, swap = 0;
    std::string clave;
    long long kb;
    while (f >> clave >> kb) {
        if (clave == "MemAvailable:") disponible = kb;
        if (clave == "SwapFree:") swap = kb;
        f.ignore(64, '\n');
    }
    if (disponible < 0) return dobles_fisicos() * static_cast<long long>(sizeof(double));
    return (disponible + swap) * 1024;
}

// Requests up to this size are only checked against the physical memory.
constexpr long long PEQUENO = (64LL << 20) / static_cast<long long>(sizeof(double));

} // namespace

std::vector<double> reservar(long long n) {
    if (n < 0) throw io::SinMemoria{};
    if (n > dobles_fisicos()) throw io::SinMemoria{};
    if (n > PEQUENO && n > memoria_disponible() / static_cast<long long>(sizeof(double))) throw io::SinMemoria{};
    try {
        return std::vector<double>(static_cast<size_t>(n), 0.0);
    } catch (const std::bad_alloc&) {
        throw io::SinMemoria{};
    } catch (const std::length_error&) {
        throw io::SinMemoria{};
    }
}

Necesidad necesidad_calculos(const Problema& p) {
    const long double N = p.NBASE, zonas = p.NZONAS, puntos = p.NPUNTOS;
    // HAM, VPOT, TCIN, XMAT, VECT and one more matrix of work; ENER and the
    // vectors of the steps, some of them one per zone or a few dozen samples.
    const long double base = (6.0L * N * N + (zonas + 80.0L) * N) * BYTES;
    return {base, 2.0L * puntos * zonas * BYTES};
}

Necesidad necesidad_graficas(const Problema& p) {
    const long double N = p.NBASE;
    return {(N * N + N) * BYTES, 0.0L};
}

void comprobar_memoria(const Problema& p, const Necesidad& n, ini::Mensajes& m, long double memoria) {
    if (!(n.total() > memoria)) return;
    m.escribir(claves_memoria::no_cabe);
    const bool base = n.base > memoria, puntos = n.muestras > memoria;
    auto escribir = [&](int clave, const std::string& valor) {
        m.consola().escribir(io::linea(io::blancos(8), m.texto(clave), " ", valor));
    };
    if (base || !puntos) escribir(claves_memoria::base, std::to_string(p.NBASE));
    if (puntos || !base) escribir(claves_memoria::puntos, std::to_string(p.NPUNTOS));
    escribir(claves_memoria::cifras, megas(n.total(), true) + "  " + megas(memoria, false));
    throw io::Parada{-1};
}

std::vector<double> reservar(long long a, long long b) {
    if (a < 0 || b < 0) throw io::SinMemoria{};
    long long n;
    if (__builtin_mul_overflow(a, b, &n)) throw io::SinMemoria{};
    return reservar(n);
}

int sin_memoria(ini::Mensajes& m, std::ostream& errores, std::string_view programa, const std::string& detalle) {
    m.consola().escribir(" INSUFFICIENT MEMORY");
    if (!detalle.empty()) errores << programa << ": " << detalle << '\n';
    return -1;
}

} // namespace problema
