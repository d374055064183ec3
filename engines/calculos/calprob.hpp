#pragma once
// Per state of the report: the spontaneous-emission table to every lower
// state with the state's lifetime, and, with more than one zone, the
// probability of finding the particle in each zone.
#include <vector>

#include "calculos/informe.hpp"
#include "problema/memoria.hpp"
#include "problema/problema.hpp"

namespace calculos {

// The Einstein factor: ΔE³ ⟨x⟩² in atomic units to a rate in 1/s.
constexpr double FACTOR_EINSTEIN = 21420012000.0;

// The sine-series store: NB coefficients of a state in the sine basis of a
// box of length L.
struct SerieSenos {
    int NB = 0;
    std::vector<double> C;  // C[k - 1] = C_k
    double L = 0.0;
};

// Σ C_k sin(k π x / L), k = 1 to NB, x measured from the left wall.
double SERSEN(const SerieSenos& s, double x);

// 1/n for odd n (negative included), 0 for even n.
double INVIMPAR(int n);
// f(i − j + k) + f(i + j − k) − f(i − j − k) − f(i + j + k), f = INVIMPAR.
double CORCHETE(int i, int j, int k);

// The zone probabilities of state I by Simpson's rule over the grid walk:
// NZONAS values, zone z at [z - 1]. The wave function at each grid point is
// the sine series of the state (SERSEN); `s` is loaded with its coefficients.
std::vector<double> probabilidades_estado(const problema::Problema& p, int I, const problema::Matriz& VECT,
                                          const std::vector<double>& XMALLA, SerieSenos& s);

// The zone probabilities of every state in one walk over the grid, with the
// same bits as probabilidades_estado: the sines of each grid point are
// computed once for all states instead of once per state.
class ProbabilidadesZonas {
public:
    ProbabilidadesZonas(const problema::Problema& p, const problema::Matriz& VECT, const std::vector<double>& XMALLA);
    // Zone z of state I.
    double operator()(int z, int I) const { return P_[static_cast<size_t>(I - 1) * nzonas_ + (z - 1)]; }

private:
    size_t nzonas_;
    std::vector<double> P_;
};

// Writes the sections of state I: the transitions to the lower states and
// the lifetime (I > 1), the rule, and the zone probabilities (NZONAS > 1),
// taken from `zonas` when given, else computed for this state alone.
void CALPROB(const problema::Problema& p, int I, const problema::Matriz& VECT, const problema::Matriz& XMAT,
             const std::vector<double>& ENER, const std::vector<double>& XMALLA, Canal& destino,
             const ProbabilidadesZonas* zonas = nullptr);

} // namespace calculos
