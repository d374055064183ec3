#pragma once
// The plain versions of the matrix build and of the Jacobi diagonalisation,
// written step by step as the algorithms are defined: one VMAT call per
// element with its own sines, and a search of the whole triangle before
// every rotation. The engine's faster versions must give the same bits.
#include <vector>

#include "calculos/jacobi.hpp"
#include "problema/memoria.hpp"
#include "problema/problema.hpp"

namespace literal {

// The potential element between phi_n and phi_m (NPUNTOS odd).
double VMAT(int n, int m, const problema::Problema& p, const std::vector<double>& XMALLA,
            const std::vector<double>& VMALLA, int NPUNTOS);

struct Matrices {
    problema::Matriz TCIN, VPOT, XMAT, HAM;
};
Matrices construir_matrices(const problema::Problema& p, const std::vector<double>& XMALLA,
                            const std::vector<double>& VMALLA);

struct Jacobi {
    problema::Matriz V;
    std::vector<double> E;
    std::vector<calculos::Pivote> pivotes;
    bool convergido;
    double max;  // the largest magnitude the last search found
};
Jacobi JACOBI(int N, const problema::Matriz& A, double TOL, int IORD,
              long limite = calculos::LIMITE_ROTACIONES, bool anotar_pivotes = true);

} // namespace literal
