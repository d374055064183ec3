#include "calculos/matout.hpp"

#include <algorithm>
#include <cstdio>

#include "io/registro.hpp"

namespace calculos {

using io::blancos;
using io::F;
using io::I;
using io::linea;
using problema::Matriz;

namespace {

// Row labels keep the values at one column: "   fila(9):" and "  fila(10):"
// are the same width.
std::string etiqueta_fila(int i) {
    if (i < 10) return linea(blancos(3), "fila(", I(1, i), "):");
    if (i < 100) return linea(blancos(2), "fila(", I(2, i), "):");
    if (i < 1000) return linea(blancos(1), "fila(", I(3, i), "):");
    return linea("fila(", I(4, i), "):");
}

// "T (k,K) :" and the gap before the values, which narrows as k widens.
std::string etiqueta_estado(int k) {
    if (k < 10) return linea(blancos(4), "T (", I(1, k), ",K) :", blancos(2));
    if (k < 100) return linea(blancos(4), "T (", I(2, k), ",K) :", blancos(1));
    if (k < 1000) return linea(blancos(4), "T (", I(3, k), ",K) :", blancos(1));
    return linea(blancos(4), "T (", I(4, k), ",K) :");
}

} // namespace

void MATOUT(int n, const Matriz& A, int columnas, Canal& destino) {
    for (int primera = 1; primera <= n; primera += columnas) {
        const int ultima = std::min(n, primera + columnas - 1);
        destino.escribir("");
        destino.escribir("");
        std::string cabecera = linea(blancos(3), "COLUMNA:", blancos(1), I(7, primera));
        for (int j = primera + 1; j <= ultima; ++j) cabecera += linea(blancos(2), I(7, j));
        destino.escribir(cabecera);
        for (int i = 1; i <= n; ++i) {
            std::string fila = linea(etiqueta_fila(i), blancos(2));
            for (int j = primera; j <= ultima; ++j) fila += F(9, 4, A(i, j)).s;
            destino.escribir(fila);
        }
    }
}

void VECTOUT(int n, const Matriz& C, int k, int componentes, Canal& destino) {
    for (int primera = 1; primera <= n; primera += componentes) {
        const int ultima = std::min(n, primera + componentes - 1);
        destino.escribir("");
        std::string indices = linea(blancos(8), " K  :");
        for (int j = primera; j <= ultima; ++j) indices += I(9, j).s;
        destino.escribir(indices);
        std::string valores = etiqueta_estado(k);
        for (int j = primera; j <= ultima; ++j) valores += F(9, 4, C(j, k)).s;
        destino.escribir(valores);
    }
}

void TAT(int n, Matriz& A, const Matriz& C) {
    Matriz W(n);  // A · C
    for (int j = 1; j <= n; ++j) {
        double* w = &W(1, j);
        for (int l = 1; l <= n; ++l) {
            const double c = C(l, j);
            const double* a = &A(1, l);
            for (int i = 0; i < n; ++i) w[i] += a[i] * c;
        }
    }
    // A is no longer read: the triangle of Cᵀ · W goes straight into it.
    for (int j = 1; j <= n; ++j) {
        const double* w = &W(1, j);
        for (int i = j; i <= n; ++i) {
            const double* c = C.datos() + static_cast<size_t>(i - 1) * static_cast<size_t>(n);
            // Four partial sums, joined in a fixed order: the same bits on every machine.
            double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
            int k = 0;
            for (; k + 4 <= n; k += 4) {
                s0 += c[k] * w[k];
                s1 += c[k + 1] * w[k + 1];
                s2 += c[k + 2] * w[k + 2];
                s3 += c[k + 3] * w[k + 3];
            }
            for (; k < n; ++k) s0 += c[k] * w[k];
            const double s = (s0 + s1) + (s2 + s3);
            A(i, j) = s;
            A(j, i) = s;
        }
    }
}

std::string valor_libre(double v) {
    char b[40];
    std::snprintf(b, sizeof b, " %.16E", v);
    return b;
}

void escribir_datosdib(int n, const std::vector<double>& ENER, const Matriz& VECT, Canal& destino) {
    for (int j = 1; j <= n; ++j) {
        destino.escribir(valor_libre(ENER[static_cast<size_t>(j - 1)]));
        for (int i = 1; i <= n; ++i) destino.escribir(valor_libre(VECT(j, i)));
    }
}

} // namespace calculos
