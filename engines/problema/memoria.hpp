#pragma once
// Work arrays of the engines and the memory a problem needs. A problem that
// needs more than the machine has is refused before anything is allocated.
// The sizes of the arrays come from the problem; an array that cannot be
// created anyway (its size overflows, it would not fit in the
// machine's memory, or the allocation fails) throws io::SinMemoria, which the
// engine reports as "INSUFFICIENT MEMORY".
#include <cstddef>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ini {
class Mensajes;
}

namespace problema {

struct Problema;

// The machine's physical memory in bytes. The environment variable
// TARVO_MEMORIA_FISICA, a number of bytes, stands in for it, so that a
// small machine can be tried.
long double memoria_fisica();

// The memory a run needs at its peak, in bytes, by what makes it grow: the
// basis (its matrices, the eigen data) and the samples of the zones.
struct Necesidad {
    long double base = 0.0L;
    long double muestras = 0.0L;
    long double total() const { return base + muestras; }
};

// The needs of calculos: its five matrices, the work matrix of one step
// beside them (the largest of VMAT, JACOBI, TAT and CALPROB), its vectors,
// and the abscissae and potential of NPUNTOS samples per zone.
Necesidad necesidad_calculos(const Problema& p);
// The needs of the plotting engines: the eigen data of the basis (their
// samples stay within the 32767 points of a plot).
Necesidad necesidad_graficas(const Problema& p);

// Message keys of the refusal of a problem too large for the machine.
namespace claves_memoria {
constexpr int no_cabe = 1067;
constexpr int base = 1068;
constexpr int puntos = 1069;
constexpr int cifras = 1070;
} // namespace claves_memoria

// Refuses, before anything is allocated, a problem that needs more than
// `memoria` bytes: the message of key 1067, then what to lower (the basis
// when its part alone does not fit, the points when theirs does not, both
// when only their sum does not), then the memory needed and the memory of
// the machine in MB; the run stops with io::Parada{-1}.
void comprobar_memoria(const Problema& p, const Necesidad& n, ini::Mensajes& m,
                       long double memoria = memoria_fisica());

// n zeros; `n` is computed by the caller from 32-bit counts.
std::vector<double> reservar(long long n);
// a × b zeros, with the product checked for overflow.
std::vector<double> reservar(long long a, long long b);

// A square matrix of order n stored by columns, indexed from 1.
class Matriz {
public:
    Matriz() = default;
    explicit Matriz(int n) : n_(n), a_(reservar(n, n)) {}
    int orden() const { return n_; }
    double& operator()(int i, int j) { return a_[static_cast<size_t>(j - 1) * n_ + (i - 1)]; }
    double operator()(int i, int j) const { return a_[static_cast<size_t>(j - 1) * n_ + (i - 1)]; }
    double* datos() { return a_.data(); }
    const double* datos() const { return a_.data(); }
    std::span<const double> elementos() const { return a_; }

private:
    int n_ = 0;
    std::vector<double> a_;
};

// Memory that ran out (io::SinMemoria, or the library's own std::bad_alloc or
// std::length_error): " INSUFFICIENT MEMORY" on the console and the detail,
// when there is one, after the program's name on `errores`. Returns the
// status of the stop, -1.
int sin_memoria(ini::Mensajes& m, std::ostream& errores, std::string_view programa, const std::string& detalle = {});

} // namespace problema
