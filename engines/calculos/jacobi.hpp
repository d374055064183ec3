#pragma once
// Eigenvalues and eigenvectors of a real symmetric matrix by the classical
// Jacobi method: every rotation annihilates the largest off-diagonal element.
#include <vector>

#include "io/salida.hpp"
#include "problema/memoria.hpp"

namespace calculos {

constexpr long LIMITE_ROTACIONES = 999999;

// A rotation's pivot: the element (q, p) of the lower triangle, p < q, and
// its magnitude.
struct Pivote {
    int p, q;
    double max;
    bool operator==(const Pivote&) const = default;
};

struct OpcionesJacobi {
    long limite = LIMITE_ROTACIONES;          // rotations before giving up
    std::vector<Pivote>* pivotes = nullptr;   // when given, every pivot in turn
};

// The convergence threshold of JACOBI for the order-N matrix A, from TOL,
// the threshold of a matrix on the scale of 1: TOL itself when the largest
// magnitude S of A's diagonal and lower triangle is at least 1 (or 0, a
// matrix with nothing to rotate), and TOL · S · 1e-3 below 1. Below 1 the
// threshold follows A, so that A/λ rotates as far as A, to the relative
// precision that TOL gives a matrix whose elements reach 1000: a Hamiltonian
// of hartree fractions (a heavy particle in a shallow well) then gives the
// same vectors as the one of its problem scaled up to hartrees.
double umbral_relativo(int N, const problema::Matriz& A, double TOL);

// Diagonalises the order-N matrix A, of which only the diagonal and the
// lower triangle are read (A is not changed). Column k of V (order N) is the
// eigenvector of eigenvalue E(k) (E holds N values). IORD < 0 orders them
// ascending, IORD > 0 descending, 0 leaves the order of the rotations.
// Rotations go on while the largest off-diagonal magnitude is at least TOL;
// when the limit is reached first, two records saying so are written to
// `informe` and the results are ordered and delivered all the same.
// Returns whether the rotations converged before the limit.
// The work matrix that cannot be created throws io::SinMemoria.
bool JACOBI(int N, const problema::Matriz& A, problema::Matriz& V, std::vector<double>& E, double TOL, int IORD,
            io::Consola& informe, const OpcionesJacobi& opciones = {});

} // namespace calculos
