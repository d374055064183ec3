// The matrix and vector printers, the change to the eigenbasis and the eigen
// data file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "calculos/matout.hpp"
#include "fixtures/canal.hpp"
#include "io/lectura.hpp"

using calculos::MATOUT;
using calculos::TAT;
using calculos::VECTOUT;
using problema::Matriz;
using prueba::b;
using prueba::CanalMemoria;

namespace {

Matriz aleatoria(int n, unsigned semilla, bool simetrica) {
    std::mt19937_64 g(semilla);
    std::uniform_real_distribution<double> u(-3.0, 3.0);
    Matriz a(n);
    for (int j = 1; j <= n; ++j)
        for (int i = 1; i <= n; ++i) a(i, j) = u(g);
    if (simetrica)
        for (int j = 1; j <= n; ++j)
            for (int i = 1; i < j; ++i) a(i, j) = a(j, i);
    return a;
}

// W(i, j) = Σ_k Σ_l C(k, i) A(k, l) C(l, j), element by element.
Matriz tat_literal(const Matriz& A, const Matriz& C) {
    const int n = A.orden();
    Matriz r(n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= i; ++j) {
            double s = 0.0;
            for (int k = 1; k <= n; ++k)
                for (int l = 1; l <= n; ++l) s = s + C(k, i) * A(k, l) * C(l, j);
            r(i, j) = s;
            r(j, i) = s;
        }
    return r;
}

// An orthogonal matrix: a product of plane rotations.
Matriz ortogonal(int n, unsigned semilla) {
    std::mt19937_64 g(semilla);
    std::uniform_real_distribution<double> u(-3.0, 3.0);
    Matriz q(n);
    for (int i = 1; i <= n; ++i) q(i, i) = 1.0;
    for (int p = 1; p <= n; ++p)
        for (int r = p + 1; r <= n; ++r) {
            const double t = u(g), c = std::cos(t), s = std::sin(t);
            for (int k = 1; k <= n; ++k) {
                const double a = q(k, p), bb = q(k, r);
                q(k, p) = c * a - s * bb;
                q(k, r) = s * a + c * bb;
            }
        }
    return q;
}

TEST(Matout, PrintsBlocksOfSevenColumnsWithRowLabels) {
    Matriz a(2);
    a(1, 1) = 1.5, a(1, 2) = -2.25, a(2, 1) = 1e4, a(2, 2) = -0.00004;
    CanalMemoria c;
    MATOUT(2, a, 7, c);
    const std::vector<std::string> esperado = {
        "",
        "",
        "   COLUMNA:       1        2",
        "   fila(1):     1.5000  -2.2500",
        "   fila(2):  *********  -0.0000",
    };
    EXPECT_EQ(c.lineas, esperado);
}

TEST(Matout, AnOrderBeyondTheBlockStartsANewBlock) {
    for (int n : {7, 8, 10}) {
        CanalMemoria c;
        MATOUT(n, Matriz(n), 7, c);
        const int bloques = (n + 6) / 7;
        ASSERT_EQ(c.lineas.size(), static_cast<size_t>(bloques * (3 + n))) << n;
        EXPECT_EQ(c.lineas[2], "   COLUMNA:       1        2        3        4        5        6        7");
        if (bloques == 2) {
            const std::string segunda = n == 8 ? "   COLUMNA:       8" : "   COLUMNA:       8        9       10";
            EXPECT_EQ(c.lineas[static_cast<size_t>(3 + n + 2)], segunda) << n;
            EXPECT_EQ(c.lineas.back().size(), 13u + 9u * static_cast<size_t>(n - 7)) << n;
        }
    }
}

TEST(Matout, RowLabelsKeepTheFirstValueAtOneColumn) {
    const int n = 1000;
    Matriz a(n);
    for (int i = 1; i <= n; ++i) a(i, 1) = i;
    CanalMemoria c;
    MATOUT(n, a, 1, c);  // one column per block: the first block is checked
    struct Caso {
        int fila;
        const char* etiqueta;
    } casos[] = {{1, "   fila(1):  "},     {9, "   fila(9):  "},     {10, "  fila(10):  "},   {99, "  fila(99):  "},
                 {100, " fila(100):  "},   {999, " fila(999):  "},   {1000, "fila(1000):  "}};
    for (const auto& k : casos) {
        const std::string& l = c.lineas[static_cast<size_t>(2 + k.fila)];
        EXPECT_EQ(l.substr(0, 13), k.etiqueta);
        EXPECT_EQ(l.size(), 22u) << k.fila;
    }
}

TEST(Vectout, PrintsOneStateInBlocksOfSevenComponents) {
    Matriz v(10);
    for (int j = 1; j <= 10; ++j) v(j, 3) = j / 8.0;
    v(2, 3) = -0.5;
    CanalMemoria c;
    VECTOUT(10, v, 3, 7, c);
    const std::vector<std::string> esperado = {
        "",
        "         K  :        1        2        3        4        5        6        7",
        "    T (3,K) :     0.1250  -0.5000   0.3750   0.5000   0.6250   0.7500   0.8750",
        "",
        "         K  :        8        9       10",
        "    T (3,K) :     1.0000   1.1250   1.2500",
    };
    EXPECT_EQ(c.lineas, esperado);
}

TEST(Vectout, TheStateLabelWidensAndTheGapNarrows) {
    struct Caso {
        int k;
        std::string inicio;
    } casos[] = {{9, "    T (9,K) :  "},    {10, "    T (10,K) : "},   {99, "    T (99,K) : "},
                 {100, "    T (100,K) : "}, {999, "    T (999,K) : "}, {1000, "    T (1000,K) :"}};
    Matriz v(1000);
    for (const auto& k : casos) {
        v(1, k.k) = 1.0;
        CanalMemoria c;
        VECTOUT(k.k, v, k.k, 7, c);
        EXPECT_EQ(c.lineas[2], k.inicio + "   1.0000   0.0000   0.0000   0.0000   0.0000   0.0000   0.0000") << k.k;
    }
}

TEST(Tat, TheIdentityLeavesTheMatrixAsItIs) {
    for (int n : {1, 4, 6}) {
        Matriz a = aleatoria(n, 7, true), uno(n);
        for (int i = 1; i <= n; ++i) uno(i, i) = 1.0;
        const Matriz antes = a;
        TAT(n, a, uno);
        EXPECT_EQ(std::memcmp(a.datos(), antes.datos(), sizeof(double) * static_cast<size_t>(n * n)), 0) << n;
    }
}

TEST(Tat, AgreesWithTheDoubleSumAndIsExactlySymmetric) {
    for (int n : {1, 2, 3, 5, 8, 13}) {
        for (bool simetrica : {true, false}) {
            Matriz a = aleatoria(n, 11u + static_cast<unsigned>(n), simetrica);
            const Matriz c = aleatoria(n, 97u + static_cast<unsigned>(n), false);
            const Matriz oraculo = tat_literal(a, c);
            double escala = 0.0;
            for (int j = 1; j <= n; ++j)
                for (int i = 1; i <= n; ++i) escala = std::max(escala, std::fabs(oraculo(i, j)));
            TAT(n, a, c);
            for (int j = 1; j <= n; ++j)
                for (int i = 1; i <= n; ++i) {
                    EXPECT_NEAR(a(i, j), oraculo(i, j), 1e-13 * n * n * escala) << n << " " << i << "," << j;
                    EXPECT_EQ(a(i, j), a(j, i));
                }
        }
    }
}

TEST(Tat, TheEigenvectorsOfASymmetricMatrixMakeItDiagonal) {
    const int n = 9;
    const Matriz q = ortogonal(n, 5);
    // A = Q D Qᵀ with D = diag(1, -2, 3, ...).
    Matriz a(n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            for (int k = 1; k <= n; ++k) a(i, j) += q(i, k) * (k % 2 ? k : -k) * q(j, k);
    TAT(n, a, q);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) EXPECT_NEAR(a(i, j), i == j ? (i % 2 ? i : -i) : 0.0, 1e-12) << i << "," << j;
}

TEST(DatosDib, EachEnergyIsFollowedByItsRowOfTheEigenvectors) {
    Matriz v(2);
    v(1, 1) = 0.25, v(1, 2) = -0.5, v(2, 1) = 0.75, v(2, 2) = 1.0;
    CanalMemoria c;
    calculos::escribir_datosdib(2, {-1.5, 2.0}, v, c);
    const std::vector<std::string> esperado = {
        " -1.5000000000000000E+00", " 2.5000000000000000E-01", " -5.0000000000000000E-01",
        " 2.0000000000000000E+00",  " 7.5000000000000000E-01", " 1.0000000000000000E+00",
    };
    EXPECT_EQ(c.lineas, esperado);
}

TEST(DatosDib, ReadingAValueBackGivesTheSameDouble) {
    const double valores[] = {0.1,
                              1.0 / 3.0,
                              -2.0 / 3.0,
                              0.0,
                              -0.0,
                              123456789.123456789,
                              -1e-300,
                              std::numeric_limits<double>::denorm_min(),
                              std::numeric_limits<double>::max(),
                              std::nextafter(1.0, 2.0),
                              0.70710678118654757};
    for (double v : valores) {
        const std::string t = calculos::valor_libre(v);
        ASSERT_EQ(t[0], ' ') << t;
        const io::Real r = io::leer_real(t);
        ASSERT_EQ(r.estado, io::Lectura::bien) << t;
        EXPECT_EQ(std::memcmp(&r.valor, &v, sizeof v), 0) << t;
    }
}

TEST(DatosDib, ItsRecordsReproduceTheEnergiesAndEigenvectorsBitwise) {
    const int n = 6;
    const Matriz v = ortogonal(n, 3);
    std::vector<double> e(n);
    for (int j = 0; j < n; ++j) e[static_cast<size_t>(j)] = std::sqrt(j + 2.0) / 7.0 - 0.3;
    CanalMemoria c;
    calculos::escribir_datosdib(n, e, v, c);
    ASSERT_EQ(c.lineas.size(), static_cast<size_t>(n * (n + 1)));
    size_t k = 0;
    auto leer = [&] { return io::leer_real(c.lineas[k++]).valor; };
    for (int j = 1; j <= n; ++j) {
        EXPECT_EQ(leer(), e[static_cast<size_t>(j - 1)]);
        for (int i = 1; i <= n; ++i) EXPECT_EQ(leer(), v(j, i)) << j << "," << i;
    }
}

} // namespace
