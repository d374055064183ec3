// Damaged and hostile input files at the engines' readers: NUL bytes, lines
// that never end, values quoted in diagnostics, boxes too long for a double,
// and language files the INI routines must not rewrite.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <sstream>
#include <streambuf>

#include "engines/lector_grafica.hpp"
#include "fixtures/carpeta.hpp"
#include "fixtures/problemas.hpp"
#include "ini/ini.hpp"
#include "io/errores.hpp"
#include "io/lectura.hpp"
#include "problema/problema.hpp"

namespace {

using namespace std::string_literals;

template <class F>
std::string error(F f) {
    try {
        f();
    } catch (const io::ErrorFichero& e) {
        return e.what();
    }
    return "no error";
}

// The lines the source gives, until the end or its error.
std::string lineas_de(const std::string& bytes) {
    std::istringstream is(bytes);
    io::Fuente f = io::Fuente::flujo(is, "p.dat");
    return error([&] {
        while (f.siguiente()) {
        }
    });
}

TEST(FuenteDanada, ANulByteOrALineBeyondTheLimitIsAnInputErrorAtItsLine) {
    const std::string largo(io::LINEA_MAXIMA, 'x');
    const std::string danado = "the file is damaged or is not a text file of the system";
    struct Caso {
        const char* que;
        std::string bytes, error;
    } casos[] = {
        {"a NUL inside a line", "uno\r\ndo\0s\r\ntres\r\n"s, "p.dat, line 2: the line holds a NUL byte; " + danado},
        {"a NUL for a line end", "uno\0dos\r\n"s, "p.dat, line 1: the line holds a NUL byte; " + danado},
        {"a NUL as the last byte", "uno\r\n\0"s, "p.dat, line 2: the line holds a NUL byte; " + danado},
        {"a line of the longest length", "uno\r\n" + largo + "\r\n", "no error"},
        {"the same without its line end", "uno\r\n" + largo, "no error"},
        {"one character more", "uno\r\n" + largo + "x\r\ntres\r\n",
         "p.dat, line 2: the line is longer than 65536 characters; " + danado},
    };
    for (const auto& c : casos) EXPECT_EQ(lineas_de(c.bytes), c.error) << c.que;
}

// A stream of one line without a line end, as a file of gigabytes that holds
// no line end (it does end, after 64 MB, so that a reader without the limit
// fails the test rather than hanging it).
class Interminable : public std::streambuf {
public:
    Interminable() { std::fill(std::begin(buf_), std::end(buf_), 'x'); }
    long long leidos = 0;

protected:
    int_type underflow() override {
        if (leidos >= (64LL << 20)) return traits_type::eof();
        setg(buf_, buf_, buf_ + sizeof buf_);
        leidos += sizeof buf_;
        return 'x';
    }

private:
    char buf_[4096];
};

TEST(FuenteDanada, AnEndlessLineIsRefusedWithoutReadingIt) {
    Interminable b;
    std::istream is(&b);
    io::Fuente f = io::Fuente::flujo(is, "standard input");
    EXPECT_EQ(error([&] { f.siguiente(); }),
              "standard input, line 1: the line is longer than 65536 characters; the file is damaged or is not a "
              "text file of the system");
    EXPECT_LT(b.leidos, 2 * static_cast<long long>(io::LINEA_MAXIMA));
}

TEST(ValorCitado, TheDiagnosticQuotesOneShortReadableLine) {
    struct Caso {
        const char* que;
        std::string valor, error;
    } casos[] = {
        {"a control byte", "1.0\x1b", "expected the mass, found \"1.0\\x1B\""},
        {"Windows-1252 letters", "ma\xf1" "ana", "expected the mass, found \"mañana\""},
        {"a value of megabytes", "1" + std::string(1 << 20, 'x'),
         "expected the mass, found \"1" + std::string(39, 'x') + "...\""},
        {"escapes count toward the cut", std::string(30, '\x01'),
         "expected the mass, found \"" + [] {
             std::string s;
             for (int i = 0; i < 10; ++i) s += "\\x01";
             return s;
         }() + "...\""},
    };
    for (const auto& c : casos)
        EXPECT_EQ(error([&] { io::real_de("p.dat", 3, c.valor, "the mass"); }), "p.dat, line 3: " + c.error) << c.que;
}

class CajaEnorme : public ::testing::Test {
protected:
    prueba::CarpetaTemporal dir;
    std::ostringstream consola;
    ini::Mensajes m{io::Consola(consola), (dir / "idioma.lng").string()};
    void SetUp() override { dir.escribir("idioma.lng", prueba::idioma_de_prueba()); }

    std::string leer(double a, double b, double c) {
        prueba::ProblemaPrueba p;
        p.zonas = {{1, a, b, {0.0}}, {1, b, c, {0.0}}};
        std::istringstream is(prueba::texto_problema(p));
        io::Fuente f = io::Fuente::flujo(is, "p.dat");
        return error([&] { problema::leer_problema(f, m, problema::reglas_calculos()); });
    }
};

TEST_F(CajaEnorme, ABoxLongerThanADoubleHoldsIsAnInputError) {
    EXPECT_EQ(leer(-5e307, 0.0, 5e307), "no error");
    EXPECT_EQ(leer(-1e308, 1e308, 1.5e308),
              "p.dat: the box from -1e+308 to 1.5e+308 is too long: its length is not a finite number");
    EXPECT_EQ(consola.str(), "");
}

class IdiomaDanado : public ::testing::Test {
protected:
    prueba::CarpetaTemporal dir;
    std::string ruta() const { return (dir / "idioma.lng").string(); }
};

TEST_F(IdiomaDanado, LookupsStopAtTheDamageAndTheRewriteLeavesTheFileAlone) {
    const std::string danado = "the file is damaged or is not a text file of the system";
    struct Caso {
        const char* que;
        std::string bytes, error;
    } casos[] = {
        {"a NUL byte", "[Idioma]\r\nIdioma=Es\0pa\r\n"s, ", line 2: the line holds a NUL byte; " + danado},
        {"a line of megabytes", "[Idioma]\r\n" + std::string(3 << 20, '=') + "\r\nIdioma=Prueba\r\n",
         ", line 2: the line is longer than 65536 characters; " + danado},
    };
    for (const auto& c : casos) {
        dir.escribir("idioma.lng", c.bytes);
        EXPECT_EQ(error([&] { ini::LEERVALOR(ruta(), "Idioma", "Idioma"); }), ruta() + c.error) << c.que;
        EXPECT_EQ(error([&] { ini::GUARDAVALOR(ruta(), "Idioma", "Idioma", "English"); }), ruta() + c.error)
            << c.que;
        EXPECT_EQ(dir.leer("idioma.lng"), c.bytes) << c.que;
        EXPECT_FALSE(dir.existe("TMPFILE.INI")) << c.que;
    }
}

} // namespace
