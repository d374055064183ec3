#include <cmath>
#include <gtest/gtest.h>
#include <limits>

#include "io/registro.hpp"

using namespace io;

namespace {

struct Caso {
    Campo campo;
    const char* esperado;
};

void PrintTo(const Caso& c, std::ostream* os) { *os << '"' << c.esperado << '"'; }

class CamposTest : public ::testing::TestWithParam<Caso> {};

TEST_P(CamposTest, RendersTheField) { EXPECT_EQ(GetParam().campo.s, GetParam().esperado); }

INSTANTIATE_TEST_SUITE_P(
    Enteros, CamposTest,
    ::testing::Values(Caso{I(3, 7), "  7"}, Caso{I(2, 10), "10"}, Caso{I(2, 100), "**"}, Caso{I(3, -5), " -5"},
                      Caso{I(2, -10), "**"}, Caso{I(5, 0), "    0"}));

INSTANTIATE_TEST_SUITE_P(
    Fijos, CamposTest,
    ::testing::Values(Caso{F(7, 3, 10.0), " 10.000"}, Caso{F(7, 3, -2.5), " -2.500"}, Caso{F(7, 3, 0.0005), "  0.001"},
                      Caso{F(7, 3, 1.23449), "  1.234"}, Caso{F(7, 3, 999.9996), "*******"},
                      Caso{F(7, 3, 1000.0), "*******"}, Caso{F(7, 3, -99.9994), "-99.999"},
                      // negative values that round to zero keep their sign
                      Caso{F(7, 3, -0.0001), " -0.000"}, Caso{F(6, 3, -0.0001), "-0.000"},
                      // the zero before the point goes only when the width needs it
                      Caso{F(5, 3, 0.5), "0.500"}, Caso{F(4, 3, 0.5), ".500"}, Caso{F(5, 3, -0.5), "-.500"},
                      Caso{F(4, 3, -0.5), "****"}, Caso{F(5, 0, 3.0), "   3."}, Caso{F(20, 7, 1.0 / 3.0), "           0.3333333"},
                      Caso{F(7, 3, std::numeric_limits<double>::quiet_NaN()), "    NaN"},
                      Caso{F(3, 1, std::numeric_limits<double>::infinity()), "Inf"}));

INSTANTIATE_TEST_SUITE_P(
    Exponentes, CamposTest,
    ::testing::Values(Caso{E(14, 7, 10.0), " 0.1000000E+02"}, Caso{E(14, 7, -10.0), "-0.1000000E+02"},
                      Caso{E(14, 7, 0.0), " 0.0000000E+00"}, Caso{E(14, 7, 1.0), " 0.1000000E+01"},
                      Caso{E(14, 7, 0.099999999), " 0.1000000E+00"}, Caso{E(14, 7, 9.99999996), " 0.1000000E+02"},
                      Caso{E(14, 7, 1.5e-5), " 0.1500000E-04"}, Caso{E(14, 7, 2.0e120), " 0.2000000+121"},
                      Caso{E(12, 6, 123456.7), "0.123457E+06"}, Caso{E(13, 7, -1.0), "-.1000000E+01"},
                      Caso{E(12, 7, -1.0), "************"}, Caso{E(14, 7, 1e-300), " 0.1000000-299"}));

INSTANTIATE_TEST_SUITE_P(
    Textos, CamposTest,
    ::testing::Values(Caso{A(8, "Vertices"), "Vertices"}, Caso{A(8, "Vértices largos"), "V\xc3\xa9rtice"},
                      Caso{A(8, "Nodos"), "   Nodos"}, Caso{A(3, ""), "   "}, Caso{blancos(3), "   "},
                      Caso{blancos(0), ""}, Caso{repetir(4, '*'), "****"}));

TEST(Linea, FieldsFollowEachOtherWithoutSeparators) {
    EXPECT_EQ(linea(blancos(32), F(7, 3, 0.0), "   <  x  < ", F(7, 3, 10.0)),
              "                                  0.000   <  x  <  10.000");
    EXPECT_EQ(linea(blancos(14), texto("")), std::string(14, ' '));  // a missing text keeps the blanks
    EXPECT_EQ(linea(), "");
}

TEST(Linea, TrailingBlanksOfATextAreRemovedOnlyOnRequest) {
    EXPECT_EQ(sin_blancos_finales("Nivel   "), "Nivel");
    EXPECT_EQ(sin_blancos_finales("  "), "");
    EXPECT_EQ(sin_blancos_finales(" a b "), " a b");
}

} // namespace
