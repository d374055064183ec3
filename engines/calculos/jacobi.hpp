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
