// The Jacobi diagonalisation: pivots and results bit for bit those of the
// search of the whole triangle, and the cases its rules decide.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <sstream>

#include "calculos/jacobi.hpp"
#include "engines/literal.hpp"
#include "engines/motor.hpp"
#include "io/registro.hpp"

using problema::Matriz;

namespace {

struct Resultado {
    Matriz V;
    std::vector<double> E;
    std::vector<calculos::Pivote> pivotes;
    std::string consola;
    bool convergido = false;
};

Resultado jacobi(const Matriz& A, int IORD, double TOL = 1e-7, long limite = calculos::LIMITE_ROTACIONES) {
    const int N = A.orden();
    Resultado r{Matriz(N), std::vector<double>(static_cast<size_t>(N)), {}, {}};
    std::ostringstream os;
    io::Consola c(os);
    r.convergido = calculos::JACOBI(N, A, r.V, r.E, TOL, IORD, c, {limite, &r.pivotes});
    r.consola = os.str();
    return r;
}

Matriz de_filas(const std::vector<std::vector<double>>& filas) {
    Matriz A(static_cast<int>(filas.size()));
    for (int i = 1; i <= A.orden(); ++i)
        for (int j = 1; j <= A.orden(); ++j) A(i, j) = filas[i - 1][j - 1];
    return A;
}

// Random lower triangles (the upper one filled with noise that must be
// ignored); `valores` > 0 draws from that many small integers, so that
// magnitudes tie all the time.
Matriz aleatoria(int N, std::mt19937_64& g, int valores = 0) {
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::uniform_int_distribution<int> k(-valores, valores);
    Matriz A(N);
    for (int j = 1; j <= N; ++j)
        for (int i = 1; i <= N; ++i) A(i, j) = i >= j ? (valores > 0 ? k(g) : u(g)) : 1e6 * u(g);
    return A;
}

void como_el_literal(const Matriz& A, int IORD, const std::string& que, long limite = calculos::LIMITE_ROTACIONES) {
    const Resultado r = jacobi(A, IORD, 1e-7, limite);
    const literal::Jacobi l = literal::JACOBI(A.orden(), A, 1e-7, IORD, limite);
    EXPECT_EQ(r.pivotes, l.pivotes) << que;
    EXPECT_TRUE(prueba::mismos_bits(r.E, l.E)) << que;
    EXPECT_TRUE(prueba::mismos_bits(r.V, l.V)) << que;
}

TEST(Jacobi, PivotsAndResultsAreThoseOfTheWholeTriangleSearch) {
    std::mt19937_64 g(20240611);
    for (int N : {1, 2, 3, 5, 8, 17, 40, 64}) {
        for (int IORD : {-1, 0, 1}) {
            como_el_literal(aleatoria(N, g), IORD, "random N=" + std::to_string(N) + " IORD=" + std::to_string(IORD));
            como_el_literal(aleatoria(N, g, 2), IORD, "ties N=" + std::to_string(N) + " IORD=" + std::to_string(IORD));
        }
    }
    // Symmetries that keep magnitudes tied through the rotations: equal
    // off-diagonal elements, a tridiagonal Toeplitz band, and a matrix whose
    // rows and columns come in identical pairs.
    for (int N : {3, 6, 12, 25}) {
        Matriz iguales(N), banda(N), pares(2 * N);
        const Matriz B = aleatoria(N, g, 3);
        for (int j = 1; j <= N; ++j) {
            for (int i = j; i <= N; ++i) {
                iguales(i, j) = i == j ? 1.0 : -0.5;
                banda(i, j) = i == j ? 2.0 : i == j + 1 ? -1.0 : 0.0;
                for (int a = 0; a < 2; ++a)
                    for (int b = 0; b < 2; ++b) pares(2 * i - a, 2 * j - b) = B(i, j);
            }
        }
        for (int IORD : {-1, 1}) {
            como_el_literal(iguales, IORD, "equal elements N=" + std::to_string(N));
            como_el_literal(banda, IORD, "band N=" + std::to_string(N));
            como_el_literal(pares, IORD, "pairs N=" + std::to_string(2 * N));
        }
    }
    // Patterns of a few values, whose rotations keep producing equal
    // magnitudes in one row: a checkerboard and a sign pattern.
    for (int N = 4; N <= 30; ++N) {
        Matriz damero(N), signos(N);
        for (int j = 1; j <= N; ++j)
            for (int i = 1; i <= N; ++i) {
                damero(i, j) = (i + j) % 2 ? 1.0 : 0.0;
                signos(i, j) = i == j ? 0.0 : (i * j) % 2 ? 1.0 : -1.0;
            }
        como_el_literal(damero, -1, "checkerboard N=" + std::to_string(N));
        como_el_literal(signos, -1, "signs N=" + std::to_string(N));
    }
    // Diagonal and nearly diagonal matrices, with repeated eigenvalues.
    for (int N : {1, 4, 9}) {
        Matriz D(N);
        for (int i = 1; i <= N; ++i) D(i, i) = (i * 7) % 3;
        for (int IORD : {-1, 0, 1}) como_el_literal(D, IORD, "diagonal N=" + std::to_string(N));
        if (N > 1) D(N, 1) = 1e-3;
        como_el_literal(D, -1, "one element N=" + std::to_string(N));
    }
}

TEST(Jacobi, ARotationThatTiesARowKeepsItsFirstLargestColumn) {
    // Zero diagonals make the first rotation's c = sqrt(0.5) and s = -0.5/c,
    // and row 4 is set up so that it leaves two equal largest magnitudes in
    // that row, which then holds the next pivot: the first of the two is it.
    const double M = std::sqrt(0.5) + 0.5 / std::sqrt(0.5);
    struct Caso {
        const char* que;
        Matriz A;
        calculos::Pivote segundo;
    } casos[] = {
        // (4, 2) rises to equal (4, 3), until then the largest.
        {"a changed element reaches the largest", de_filas({{0, 2, 0, 1}, {2, 0, 0, 1}, {0, 0, 0, M}, {1, 1, M, 0}}),
         {2, 4, M}},
        // (4, 1) was the largest, tied with (4, 2); it falls and (4, 3) rises to 1.
        {"the largest falls, another rises to a tie",
         de_filas({{0, 0, 2, 1}, {0, 0, 0, 1}, {2, 0, 0, 0.41421356237309503}, {1, 1, 0.41421356237309503, 0}}),
         {2, 4, 1.0}},
    };
    for (const auto& c : casos) {
        const auto r = jacobi(c.A, -1);
        ASSERT_GE(r.pivotes.size(), 2u) << c.que;
        EXPECT_EQ(r.pivotes[1], c.segundo) << c.que;
        como_el_literal(c.A, -1, c.que);
    }
}

TEST(Jacobi, TheEdgeCasesOfTheRotationAndTheOrder) {
    const double r = std::sqrt(0.5);
    auto dos = jacobi(de_filas({{0, 1}, {1, 0}}), -1);
    EXPECT_EQ(dos.E, (std::vector<double>{-1, 1}));
    EXPECT_DOUBLE_EQ(dos.V(1, 1), r);
    EXPECT_DOUBLE_EQ(dos.V(2, 1), -r);
    EXPECT_DOUBLE_EQ(dos.V(1, 2), r);
    EXPECT_DOUBLE_EQ(dos.V(2, 2), r);

    // Equal values are exchanged too.
    auto iguales = jacobi(de_filas({{2, 0}, {0, 2}}), -1);
    EXPECT_EQ(iguales.E, (std::vector<double>{2, 2}));
    EXPECT_TRUE(prueba::mismos_bits(iguales.V, de_filas({{0, 1}, {1, 0}})));
    EXPECT_TRUE(iguales.pivotes.empty());

    const auto uno = jacobi(de_filas({{-4.5}}), -1);
    EXPECT_EQ(uno.E, std::vector<double>{-4.5});
    EXPECT_EQ(uno.V(1, 1), 1.0);

    // Diagonal input (the off-diagonal elements below TOL): no rotation, only the order.
    const Matriz D = de_filas({{3, 0, 5e-8}, {0, 1, 0}, {-5e-8, 0, 2}});
    const Matriz P = de_filas({{0, 0, 1}, {1, 0, 0}, {0, 1, 0}});
    auto sube = jacobi(D, -1);
    EXPECT_EQ(sube.E, (std::vector<double>{1, 2, 3}));
    EXPECT_TRUE(prueba::mismos_bits(sube.V, P));
    EXPECT_TRUE(sube.pivotes.empty());
    EXPECT_EQ(jacobi(D, 1).E, (std::vector<double>{3, 2, 1}));
    EXPECT_EQ(jacobi(D, 0).E, (std::vector<double>{3, 1, 2}));

    // A comparison with a NaN never exchanges.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto con_nan = jacobi(de_filas({{3, 0, 0}, {0, nan, 0}, {0, 0, 1}}), -1);
    EXPECT_EQ(con_nan.E[0], 1.0);
    EXPECT_TRUE(std::isnan(con_nan.E[1]));
    EXPECT_EQ(con_nan.E[2], 3.0);
    EXPECT_EQ(con_nan.consola, "");
}

TEST(Jacobi, OnlyTheLowerTriangleIsRead) {
    const Matriz A = de_filas({{1, 99, -7}, {2, 3, 5}, {4, 0.5, -2}});
    const Matriz S = de_filas({{1, 2, 4}, {2, 3, 0.5}, {4, 0.5, -2}});
    const auto a = jacobi(A, -1), s = jacobi(S, -1);
    EXPECT_TRUE(prueba::mismos_bits(a.E, s.E));
    EXPECT_TRUE(prueba::mismos_bits(a.V, s.V));
    EXPECT_EQ(A(1, 2), 99.0);  // A itself is not changed
}

TEST(Jacobi, AtTheRotationLimitItSaysSoAndDeliversTheOrderedResults) {
    std::mt19937_64 g(7);
    const Matriz A = aleatoria(6, g);
    const auto r = jacobi(A, -1, 1e-7, 3);
    const literal::Jacobi l = literal::JACOBI(6, A, 1e-7, -1, 3);
    ASSERT_FALSE(l.convergido);
    EXPECT_FALSE(r.convergido);
    EXPECT_EQ(r.pivotes, l.pivotes);
    EXPECT_TRUE(prueba::mismos_bits(r.E, l.E));
    EXPECT_TRUE(prueba::mismos_bits(r.V, l.V));
    for (size_t k = 1; k < r.E.size(); ++k) EXPECT_LE(r.E[k - 1], r.E[k]);
    // The largest magnitude reported is that of the third search.
    EXPECT_EQ(l.max, l.pivotes[2].max);
    std::string max = io::linea(io::E(12, 6, l.max));
    EXPECT_EQ(r.consola, " TRAS       3 ITERACIONES NO SE HA LOGRADO LA PRECISION REQUERIDA (0.100000E-06)\n"
                         "\n"
                         " EL VALOR MAXIMO DE LOS ELEMENTOS NO DIAGONALES ES TODAVIA:" +
                             max + "\n");
}

// The limit counts the searches that may lead to a rotation: a matrix whose
// last search, the one that finds it converged, falls within the limit
// converges; with one search fewer it stops at the limit, even though its
// last rotation left it converged.
TEST(Jacobi, TheCallTellsWhetherTheRotationsConvergedBeforeTheLimit) {
    std::mt19937_64 g(11);
    const Matriz A = aleatoria(5, g);
    const auto libre = jacobi(A, -1);
    ASSERT_TRUE(libre.convergido);
    EXPECT_EQ(libre.consola, "");
    const long necesarias = static_cast<long>(libre.pivotes.size());
    ASSERT_GT(necesarias, 1);
    const auto justa = jacobi(A, -1, 1e-7, necesarias + 1);
    EXPECT_TRUE(justa.convergido);
    EXPECT_EQ(justa.consola, "");
    EXPECT_TRUE(prueba::mismos_bits(justa.E, libre.E));
    const auto corta = jacobi(A, -1, 1e-7, necesarias);
    EXPECT_FALSE(corta.convergido);
    EXPECT_NE(corta.consola.find(" ITERACIONES NO SE HA LOGRADO LA PRECISION REQUERIDA"), std::string::npos);
    // Order 1 has nothing to rotate.
    Matriz uno(1);
    uno(1, 1) = 3.0;
    EXPECT_TRUE(jacobi(uno, -1).convergido);
}

} // namespace
