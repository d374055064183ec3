#pragma once
// The matrix and vector printers of the report, the change of a matrix to
// the eigenbasis, and the eigen data file DatosDIB that funciones reads.
#include <string>
#include <vector>

#include "calculos/informe.hpp"
#include "problema/memoria.hpp"

namespace calculos {

// Prints the n × n matrix A in blocks of `columnas` columns: a header of
// column numbers, then every row with its label and F9.4 values.
void MATOUT(int n, const problema::Matriz& A, int columnas, Canal& destino);

// Prints column k of C (the coefficients of state k) in blocks of
// `componentes` components.
void VECTOUT(int n, const problema::Matriz& C, int k, int componentes, Canal& destino);

// A := Cᵀ · A · C, exactly symmetric (the lower triangle is computed and
// mirrored). Computed as the product A · C followed by the triangle of
// Cᵀ · (A · C), in O(n³) with one work matrix; the result differs from the
// element-by-element double sum only in the last bits. A work matrix that
// cannot be created throws io::SinMemoria.
void TAT(int n, problema::Matriz& A, const problema::Matriz& C);

// One value of DatosDIB: a blank, then the double with 17 significant
// digits, so that reading it back gives the same double.
std::string valor_libre(double v);

// DatosDIB: for j = 1 to n, ENER(j), then row j of VECT (component j of
// every state, state by state); one value per record, n · (n + 1) records.
void escribir_datosdib(int n, const std::vector<double>& ENER, const problema::Matriz& VECT, Canal& destino);

} // namespace calculos
