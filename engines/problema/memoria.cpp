#include "problema/memoria.hpp"

#include <fstream>
#include <new>
#include <string>
#include <unistd.h>

#include "io/errores.hpp"

namespace problema {

namespace {

// What the machine can hold: its physical memory. A larger request would be
// granted lazily by the system and then kill the process while it is filled.
long long memoria_fisica() {
    const long paginas = sysconf(_SC_PHYS_PAGES), tam = sysconf(_SC_PAGE_SIZE);
    if (paginas <= 0 || tam <= 0) return 1LL << 62;
    return static_cast<long long>(paginas) * tam;
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
    if (disponible < 0) return memoria_fisica();
    return (disponible + swap) * 1024;
}

// Requests up to this size are only checked against the physical memory.
constexpr long long PEQUENO = (64LL << 20) / static_cast<long long>(sizeof(double));

} // namespace

std::vector<double> reservar(long long n) {
    if (n < 0) throw io::SinMemoria{};
    const long long limite = memoria_fisica() / static_cast<long long>(sizeof(double));
    if (n > limite) throw io::SinMemoria{};
    if (n > PEQUENO && n > memoria_disponible() / static_cast<long long>(sizeof(double))) throw io::SinMemoria{};
    try {
        return std::vector<double>(static_cast<size_t>(n), 0.0);
    } catch (const std::bad_alloc&) {
        throw io::SinMemoria{};
    } catch (const std::length_error&) {
        throw io::SinMemoria{};
    }
}

std::vector<double> reservar(long long a, long long b) {
    if (a < 0 || b < 0) throw io::SinMemoria{};
    long long n;
    if (__builtin_mul_overflow(a, b, &n)) throw io::SinMemoria{};
    return reservar(n);
}

} // namespace problema
