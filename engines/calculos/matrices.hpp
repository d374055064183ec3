#pragma once
// The matrices of the particle-in-a-box sine basis:
// phi_n(x) = sqrt(2/L) · sin(n·π·(x − XIZQ)/L), n = 1 to NBASE.
#include <span>

#include "calculos/ejecucion.hpp"
#include "ini/mensajes.hpp"
#include "problema/memoria.hpp"
#include "problema/problema.hpp"

namespace calculos {

constexpr double PI = 3.141592653589793;
constexpr double PI2 = 9.869604401089358;  // π² of the position matrix

namespace claves {
constexpr int puntos_pares = 1100;
} // namespace claves

// VMAT(n, m) for every 1 ≤ n ≤ m ≤ NBASE, into VPOT(n, m): the potential
// element between phi_n and phi_m, by Simpson's rule over each zone's
// NPUNTOS samples. The lower triangle of VPOT is not touched. An even
// NPUNTOS writes key 1100 and stops the run (io::Parada{-1}).
void VMAT(const problema::Problema& p, std::span<const double> XMALLA, std::span<const double> VMALLA, int NPUNTOS,
          problema::Matriz& VPOT, ini::Mensajes& m);

// The kinetic matrix TCIN, the potential matrix VPOT, the position matrix
// XMAT and the Hamiltonian HAM = TCIN + VPOT, in both triangles, from the
// samples in t.XMALLA and t.VMALLA.
void construir_matrices(const problema::Problema& p, Trabajo& t, ini::Mensajes& m);

} // namespace calculos
