#include <gtest/gtest.h>
#include <sstream>

#include "io/errores.hpp"
#include "io/lectura.hpp"
#include "problema/problema.hpp"

using namespace io;

namespace {

struct CasoReal {
    const char* texto;
    Lectura estado;
    double valor;
};

void PrintTo(const CasoReal& c, std::ostream* os) { *os << '"' << c.texto << '"'; }

class RealTest : public ::testing::TestWithParam<CasoReal> {};

TEST_P(RealTest, ReadsTheFirstItem) {
    const Real r = leer_real(GetParam().texto);
    EXPECT_EQ(r.estado, GetParam().estado) << GetParam().texto;
    if (r.estado == Lectura::bien) {
        EXPECT_EQ(r.valor, GetParam().valor) << GetParam().texto;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, RealTest,
    ::testing::Values(CasoReal{"1.000", Lectura::bien, 1.0}, CasoReal{"   2.5   ", Lectura::bien, 2.5},
                      CasoReal{"3", Lectura::bien, 3.0}, CasoReal{"-.25", Lectura::bien, -0.25},
                      CasoReal{"+4.", Lectura::bien, 4.0}, CasoReal{"1e3", Lectura::bien, 1000.0},
                      CasoReal{"1.5D-1", Lectura::bien, 0.15}, CasoReal{"2E+2", Lectura::bien, 200.0},
                      CasoReal{"1.000,2.000", Lectura::bien, 1.0}, CasoReal{"1,5", Lectura::bien, 1.0},
                      CasoReal{"7 8", Lectura::bien, 7.0}, CasoReal{"\t6", Lectura::bien, 6.0},
                      CasoReal{"", Lectura::vacio, 0}, CasoReal{"     ", Lectura::vacio, 0},
                      CasoReal{",5", Lectura::vacio, 0}, CasoReal{"abc", Lectura::no_numero, 0},
                      CasoReal{"1.0x", Lectura::no_numero, 0}, CasoReal{"1e", Lectura::no_numero, 0},
                      CasoReal{".", Lectura::no_numero, 0}, CasoReal{"-", Lectura::no_numero, 0},
                      CasoReal{"nan", Lectura::no_numero, 0}, CasoReal{"inf", Lectura::no_numero, 0},
                      CasoReal{"1e999", Lectura::fuera_de_rango, 0}, CasoReal{"-1e999", Lectura::fuera_de_rango, 0}));

struct CasoEntero {
    const char* texto;
    Lectura estado;
    int valor;
};

void PrintTo(const CasoEntero& c, std::ostream* os) { *os << '"' << c.texto << '"'; }

class EnteroTest : public ::testing::TestWithParam<CasoEntero> {};

TEST_P(EnteroTest, CountsInRealFormAreTruncated) {
    const Entero r = leer_entero(GetParam().texto);
    EXPECT_EQ(r.estado, GetParam().estado) << GetParam().texto;
    if (r.estado == Lectura::bien) {
        EXPECT_EQ(r.valor, GetParam().valor) << GetParam().texto;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, EnteroTest,
    ::testing::Values(CasoEntero{"10", Lectura::bien, 10}, CasoEntero{" 3.000", Lectura::bien, 3},
                      CasoEntero{"2.9", Lectura::bien, 2}, CasoEntero{"-2.9", Lectura::bien, -2},
                      CasoEntero{"1e2", Lectura::bien, 100}, CasoEntero{"1001", Lectura::bien, 1001},
                      CasoEntero{"2147483647", Lectura::bien, 2147483647},
                      CasoEntero{"2147483648", Lectura::fuera_de_rango, 0},
                      CasoEntero{"1e10", Lectura::fuera_de_rango, 0}, CasoEntero{"uno", Lectura::no_numero, 0},
                      CasoEntero{"", Lectura::vacio, 0}));


// LEEDATO: 80-column records, the value after the first "=".
struct CasoDato {
    const char* linea;
    const char* valor;  // without the blank padding
};

void PrintTo(const CasoDato& c, std::ostream* os) { *os << '"' << c.linea << '"'; }

class LeedatoTest : public ::testing::TestWithParam<CasoDato> {};

TEST_P(LeedatoTest, ReturnsTheTextAfterTheFirstEquals) {
    std::istringstream is(std::string(GetParam().linea) + "\r\n");
    Fuente f = Fuente::flujo(is, "prueba");
    std::string LINEA;
    const std::string v = problema::LEEDATO(f, LINEA, "x");
    ASSERT_EQ(v.size(), 80u);
    ASSERT_EQ(LINEA.size(), 80u);
    const std::string esperado = std::string(GetParam().valor);
    EXPECT_EQ(v, esperado + std::string(80 - esperado.size(), ' '));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, LeedatoTest,
    ::testing::Values(CasoDato{"Masa (u.a.) = 1.000", " 1.000"}, CasoDato{"Titulo =  Dos palabras  ", "  Dos palabras"},
                      CasoDato{"a=b=c", "b=c"}, CasoDato{"sin igual", ""}, CasoDato{"", ""},
                      CasoDato{"x =", ""}, CasoDato{"=5", "5"},
                      // only the first 80 columns of a record count
                      CasoDato{"T = 0123456789012345678901234567890123456789012345678901234567890123456789012345678901234",
                               " 0123456789012345678901234567890123456789012345678901234567890123456789012345"},
                      CasoDato{"                                                                                = 5", ""}));

TEST(Fuente, AcceptsLfCrLfAndLoneCr) {
    std::istringstream is("uno\r\ndos\ntres\rcuatro");
    Fuente f = Fuente::flujo(is, "prueba");
    EXPECT_EQ(f.leer_linea("x"), "uno");
    EXPECT_EQ(f.leer_linea("x"), "dos");
    EXPECT_EQ(f.leer_linea("x"), "tres");
    EXPECT_EQ(f.leer_linea("x"), "cuatro");
    EXPECT_EQ(f.numero_linea(), 4);
    EXPECT_FALSE(f.siguiente().has_value());
}

TEST(Fuente, AnEarlyEndNamesTheFileTheLineAndWhatWasExpected) {
    std::istringstream is("uno\n");
    Fuente f = Fuente::flujo(is, "DATOS.DAT");
    f.leer_linea("x");
    try {
        f.leer_linea("the mass");
        FAIL();
    } catch (const ErrorFichero& e) {
        EXPECT_STREQ(e.what(), "DATOS.DAT, line 2: the file ends early; expected the mass");
    }
}

TEST(Fuente, AValueThatIsNotANumberNamesTheLine) {
    std::istringstream is("a\nb = uno\n");
    Fuente f = Fuente::flujo(is, "p.dat");
    f.leer_linea("x");
    f.leer_linea("x");
    try {
        real_de(f, " uno", "the mass");
        FAIL();
    } catch (const ErrorFichero& e) {
        EXPECT_STREQ(e.what(), "p.dat, line 2: expected the mass, found \"uno\"");
    }
}

} // namespace
