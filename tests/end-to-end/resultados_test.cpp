// What the built calculos writes into RES.tot and DatosDIB: whole files of
// small problems against checked-in expected files, the block structure the
// results dialog relies on, and physics that no layout can hide.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fixtures/carpeta.hpp"
#include "fixtures/problemas.hpp"
#include "io/lectura.hpp"

using prueba::ProblemaPrueba;
using prueba::ZonaPrueba;

namespace {

const std::string separador = "... / ...";

std::string b(int n) { return std::string(static_cast<size_t>(n), ' '); }

std::string leer_fixture(const std::string& nombre) {
    std::ifstream f(std::string(FIXTURES_DIR) + "/informes/" + nombre, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

std::string fecha(std::time_t t) {
    std::tm l{};
    localtime_r(&t, &l);
    char r[48];
    std::snprintf(r, sizeof r, "%2d/%2d/%4d", l.tm_mday, l.tm_mon + 1, l.tm_year + 1900);
    return r;
}

// The blocks of a report: each up to and including its "... / ..." line.
std::vector<std::vector<std::string>> bloques(const std::vector<std::string>& lineas) {
    std::vector<std::vector<std::string>> r(1);
    for (const auto& l : lineas) {
        r.back().push_back(l);
        if (l == separador) r.emplace_back();
    }
    return r;
}

bool contiene(const std::vector<std::string>& ls, const std::string& l) {
    return std::find(ls.begin(), ls.end(), l) != ls.end();
}

std::string F(int w, int d, double v) {
    char s[64];
    std::snprintf(s, sizeof s, "%*.*f", w, d, v);
    return s;
}

class Resultado : public ::testing::Test {
protected:
    prueba::CarpetaTemporal dir;
    std::time_t antes = 0, despues = 0;
    void SetUp() override { dir.escribir("idioma.lng", prueba::idioma_de_prueba()); }

    void correr_fichero(const std::string& nombre) {
        antes = std::time(nullptr);
        const auto r = prueba::ejecutar(CALCULOS_EXE, dir.ruta(), {nombre});
        despues = std::time(nullptr);
        ASSERT_EQ(r.estado, 0) << r.salida << r.errores;
        ASSERT_EQ(r.errores, "");
    }
    void correr(const ProblemaPrueba& p) {
        dir.escribir("p.dat", prueba::texto_problema(p));
        correr_fichero("p.dat");
    }
    std::vector<std::string> informe() const { return prueba::lineas(dir.leer("RES.tot")); }
    std::vector<double> datos() const {
        std::vector<double> v;
        for (const auto& l : prueba::lineas(dir.leer("DatosDIB"))) v.push_back(io::leer_real(l).valor);
        return v;
    }

    // RES.tot with its two lines of the clock masked, after checking their
    // layout: the elapsed time, and the date of the run after the title.
    std::string enmascarado() const {
        std::string t = dir.leer("RES.tot");
        const std::string tiempo = "\r\n" + b(17) + "M1039:";
        const size_t i = t.find(tiempo);
        EXPECT_NE(i, std::string::npos);
        if (i == std::string::npos) return t;
        const size_t fin = t.find("\r\n", i + 2);
        const std::string linea = t.substr(i + 2, fin - i - 2);
        // I3 hours, blank, "M1040", I3 minutes, "´", F5.1 seconds, "´´".
        EXPECT_EQ(linea.size(), 17u + 6u + 3u + 1u + 5u + 3u + 1u + 5u + 2u) << linea;
        EXPECT_EQ(linea.substr(23, 9), "  0 M1040") << linea;
        EXPECT_EQ(linea.substr(35, 1), "\xB4");
        EXPECT_EQ(linea.substr(41), "\xB4\xB4");
        t.replace(i + 2, fin - i - 2, "<elapsed time>");
        EXPECT_GE(t.size(), 12u);
        const std::string dia = t.substr(t.size() - 12, 10);
        EXPECT_TRUE(dia == fecha(antes) || dia == fecha(despues)) << dia;
        t.replace(t.size() - 12, 10, "dd/mm/yyyy");
        return t;
    }

    static ProblemaPrueba caja(int nbase, int npuntos = 21) {
        ProblemaPrueba p;
        p.nbase = std::to_string(nbase);
        p.npuntos = std::to_string(npuntos);
        p.zonas = {{1, 0, 10, {0.0}}};
        return p;
    }
};

// The expected files were checked line by line against the layouts of the
// report and the eigen data, and their numbers against an independent
// rendering of the same problems.
TEST_F(Resultado, SmallProblemsGiveTheExpectedFilesWhole) {
    for (const std::string nombre : {"caja2", "dos_zonas8", "poligonal3"}) {
        dir.escribir(nombre + ".dat", leer_fixture(nombre + ".dat"));
        correr_fichero(nombre + ".dat");
        EXPECT_EQ(enmascarado(), leer_fixture(nombre + ".tot")) << nombre;
        EXPECT_EQ(dir.leer("DatosDIB"), leer_fixture(nombre + ".dib")) << nombre;
    }
}

TEST_F(Resultado, FiveStatesGiveSixteenBlocks) {
    // Block 1, eight matrix blocks, the levels, five states and the closing
    // block: NBASE + 11, the count the reduced report relies on.
    correr(caja(5));
    const auto ls = informe();
    EXPECT_EQ(std::count(ls.begin(), ls.end(), separador), 15);
    const auto bl = bloques(ls);
    ASSERT_EQ(bl.size(), 16u);
    for (size_t k = 0; k + 1 < bl.size(); ++k) EXPECT_EQ(bl[k][bl[k].size() - 2], "") << k + 1;
    EXPECT_EQ(bl.back()[3], b(5) + "** M1038 " + std::string(56, '*'));
    EXPECT_EQ(bl.back().back().substr(0, 12), b(5) + " Prueba");
    EXPECT_EQ(prueba::lineas(dir.leer("DatosDIB")).size(), 30u);
}

TEST_F(Resultado, TheLayoutChangesAtOneHundredStates) {
    correr(caja(99));
    auto bl = bloques(informe());
    ASSERT_EQ(bl.size(), 110u);
    EXPECT_EQ(std::vector<std::string>(bl[1].begin(), bl[1].begin() + 3),
              (std::vector<std::string>{"", "", "  M1024 (M1025 = 99 ):"}));

    correr(caja(100, 1001));
    bl = bloques(informe());
    ASSERT_EQ(bl.size(), 111u);
    EXPECT_TRUE(contiene(bl[0], b(31) + "M1023 :   1001"));
    for (size_t k = 1; k <= 8; ++k) EXPECT_EQ(bl[k][0], "") << k + 1;
    EXPECT_EQ(bl[1][1], " M1024 (M1025 =  100 ):");
    EXPECT_EQ(bl[8][1], " M1032 (M1025 =  100 ):");
    const std::string raya = b(5) + std::string(75, '-');
    EXPECT_EQ(bl[10 + 98][3], raya);  // state 99
    EXPECT_EQ(bl[10 + 98][4].substr(0, 15), b(5) + "M1036(99) ");
    EXPECT_EQ(bl[10 + 99][3].substr(0, 16), b(5) + "M1036(100) ");  // state 100
    EXPECT_EQ(bl[10 + 99][4], raya);
    EXPECT_EQ(std::count(bl[10 + 99].begin(), bl[10 + 99].end(), raya), 1);
}

TEST_F(Resultado, ZoneProbabilitiesOnlyWithSeveralZones) {
    const std::string titulo = b(5) + "Con esta funcion de onda, La probabilidad de encontrar la particula:";
    correr(caja(4));
    EXPECT_FALSE(contiene(informe(), titulo));
    ProblemaPrueba p = caja(4);
    p.zonas = {{1, 0, 3, {0.0}}, {1, 3, 10, {0.25}}};
    correr(p);
    const auto bl = bloques(informe());
    for (size_t i = 1; i <= 4; ++i) {
        EXPECT_TRUE(contiene(bl[9 + i], titulo)) << i;
        EXPECT_EQ(std::count_if(bl[9 + i].begin(), bl[9 + i].end(),
                                [](const std::string& l) { return l.rfind(b(5) + "en la zona", 0) == 0; }),
                  2);
    }
}

TEST_F(Resultado, TheTablesAgreeWithTheEigenData) {
    // A step and an anharmonic well: the Hamiltonian in the eigenbasis is
    // diagonal with the energies that DatosDIB holds, and the eigenvector
    // listings show the rows that DatosDIB holds.
    ProblemaPrueba p;
    p.nbase = "8";
    p.npuntos = "41";
    p.zonas = {{1, 0, 4, {0.5}}, {3, 4, 10, {7, 0, 1, 0.1, 0.01}}};
    correr(p);
    const auto bl = bloques(informe());
    const auto d = datos();
    const int n = 8;
    ASSERT_EQ(d.size(), static_cast<size_t>(n * (n + 1)));
    auto E = [&](int j) { return d[static_cast<size_t>((j - 1) * (n + 1))]; };
    auto V = [&](int j, int i) { return d[static_cast<size_t>((j - 1) * (n + 1) + i)]; };
    const auto& ham = bl[6];  // block 7: HAM in the eigenbasis, columns 1 to 7 then 8
    for (int i = 1; i <= n; ++i) {
        const std::string& fila = ham[static_cast<size_t>(5 + i)];
        for (int j = 1; j <= 7; ++j) {
            const std::string v = fila.substr(static_cast<size_t>(13 + 9 * (j - 1)), 9);
            if (i == j)
                EXPECT_EQ(v, F(9, 4, E(i))) << i;
            else
                EXPECT_TRUE(v == "   0.0000" || v == "  -0.0000") << i << "," << j << ": " << v;
        }
    }
    for (int k = 1; k <= n; ++k) {
        EXPECT_TRUE(contiene(bl[9], b(19) + "M1034 (" + std::to_string(k) + ") = " + F(12, 6, E(k)) + b(3) +
                                        F(12, 1, E(k) * 219474.6307)))
            << k;
        const auto& estado = bl[static_cast<size_t>(9 + k)];
        const std::string valores = estado[12];  // components 1 to 7 of state k
        for (int j = 1; j <= 7; ++j)
            EXPECT_EQ(valores.substr(static_cast<size_t>(15 + 9 * (j - 1)), 9), F(9, 4, V(j, k))) << k << "," << j;
    }
}

TEST_F(Resultado, ABoxSymmetricAboutItsCentreKeepsParity) {
    // A triangular barrier in two mirror zones.
    ProblemaPrueba p;
    p.nbase = "10";
    p.npuntos = "101";
    p.zonas = {{2, 0, 5, {2, 0, 0, 5, 2}}, {2, 5, 10, {2, 5, 2, 10, 0}}};
    correr(p);
    const auto bl = bloques(informe());
    ASSERT_EQ(bl.size(), 21u);
    for (int i = 2; i <= 10; ++i) {
        const auto& estado = bl[static_cast<size_t>(9 + i)];
        int filas = 0;
        for (const auto& l : estado) {
            int ii = 0, k = 0;
            double x = 0;
            if (std::sscanf(l.c_str(), " %d -> %d %lf", &ii, &k, &x) != 3 || l.find("->") == std::string::npos)
                continue;
            ++filas;
            ASSERT_EQ(ii, i);
            if ((i - k) % 2 == 0)
                EXPECT_LT(std::fabs(x), 1e-9) << i << " -> " << k;
            else
                EXPECT_GT(std::fabs(x), 1e-4) << i << " -> " << k;
        }
        EXPECT_EQ(filas, i - 1);
    }
    for (int i = 1; i <= 10; ++i) {
        const auto& estado = bl[static_cast<size_t>(9 + i)];
        double P[2] = {-1, -1};
        for (const auto& l : estado) {
            int z = 0;
            double v = 0;
            if (std::sscanf(l.c_str(), " en la zona %d vale: %lf", &z, &v) == 2) P[z - 1] = v;
        }
        EXPECT_EQ(P[0], P[1]) << i;
        EXPECT_NEAR(P[0] + P[1], 1.0, 2e-4) << i;
    }
}

} // namespace
