// The four engines on hostile and damaged inputs: counts far beyond the
// system's limits, NaN and infinity, lines of megabytes, NUL bytes, a file
// that ends inside a zone, eigen data of another basis. Each ends
// with its status and a message that names the file and the problem, and
// leaves the results of the previous run as they were.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>

#include "engines/lector_grafica.hpp"
#include "fixtures/carpeta.hpp"
#include "fixtures/problemas.hpp"

using namespace std::string_literals;

namespace {

struct Entradas {
    std::vector<std::string> problema = prueba::lineas_problema(prueba::dos_zonas(2));
    std::string dib_un_nivel = prueba::texto_dib("3", "2.500", {"1"});
    std::string dib_dos_niveles = prueba::texto_dib("3", "2.500", {"1", "2"});
    std::string datos = prueba::texto_datosdib({0.5, 2.0}, prueba::identidad(2));
    std::string idioma = prueba::idioma_graficas();
};

struct Esperado {
    int estado;         // as the shell sees it: 255 is calculos' -1
    std::string texto;  // found on the console or on the error stream
};

struct Caso {
    const char* que;
    std::function<void(Entradas&)> cambiar;
    std::optional<Esperado> calculos;  // none: the input is not one of calculos
    Esperado graficas;                 // funciones, niveles and probs alike
};

// Line 1 is the header; the zones of dos_zonas start at line 8.
void valor(Entradas& e, int linea, const std::string& v) {
    std::string& l = e.problema[static_cast<size_t>(linea - 1)];
    l = l.substr(0, l.find('=') + 1) + " " + v;
}

const std::string danado = "the file is damaged or is not a text file of the system";

std::vector<Caso> casos() {
    return {
        {"a basis of 10^9 functions", [](Entradas& e) { valor(e, 4, "1000000000"); },
         Esperado{255, " M1067\n        M1068 1000000000\n        M1070 "},
         {255, " M1067\n        M1068 1000000000\n        M1070 "}},
        {"a basis of 100000 functions", [](Entradas& e) { valor(e, 4, "100000"); },
         Esperado{255, " M1067\n        M1068 100000\n        M1070 "},
         {255, " M1067\n        M1068 100000\n        M1070 "}},
        {"a mass of 90 zeros and 1.000, past column 80", [](Entradas& e) { valor(e, 3, std::string(90, '0') + "1.000"); },
         Esperado{2, "p.dat, line 3: the line of the mass is longer than 80 characters"},
         {2, "p.dat, line 3: the line of the mass is longer than 80 characters"}},
        {"a zone type past column 80", [](Entradas& e) { valor(e, 8, std::string(85, ' ') + "1"); },
         Esperado{2, "p.dat, line 8: the line of the potential type of a zone is longer than 80 characters"},
         {2, "p.dat, line 8: the line of the potential type of a zone is longer than 80 characters"}},
        {"a scale factor past column 80",
         [](Entradas& e) {
             const std::string escala = std::string(90, '0') + "2.500";
             e.dib_un_nivel = prueba::texto_dib("3", escala, {"1"});
             e.dib_dos_niveles = prueba::texto_dib("3", escala, {"1", "2"});
         },
         std::nullopt, {2, "DIB, line 2: the line of the scale factor is longer than 80 characters"}},
        {"a polygonal zone of 10^6 vertices",
         [](Entradas& e) {
             valor(e, 8, "2");
             valor(e, 11, "1000000");
         },
         Esperado{255, "M1044"}, {255, "M1044"}},
        {"a NaN mass", [](Entradas& e) { valor(e, 3, "NaN"); }, Esperado{2, "p.dat, line 3: expected the mass, found \"NaN\""},
         {2, "p.dat, line 3: expected the mass, found \"NaN\""}},
        {"an infinite limit", [](Entradas& e) { valor(e, 9, "-Infinity"); },
         Esperado{2, "p.dat, line 9: expected the left limit of a zone, found \"-Infinity\""},
         {2, "p.dat, line 9: expected the left limit of a zone, found \"-Infinity\""}},
        {"a potential beyond a double", [](Entradas& e) { valor(e, 16, "1e999"); },
         Esperado{2, "p.dat, line 16: the value \"1e999\" of the constant potential V0 is out of range"},
         {2, "p.dat, line 16: the value \"1e999\" of the constant potential V0 is out of range"}},
        {"a box too long for a double",
         [](Entradas& e) {
             valor(e, 9, "-1e308");
             valor(e, 10, "1e308");
             valor(e, 14, "1e308");
             valor(e, 15, "1.5e308");
         },
         Esperado{2, "p.dat: the box from -1e+308 to 1.5e+308 is too long: its length is not a finite number"},
         {2, "p.dat: the box from -1e+308 to 1.5e+308 is too long: its length is not a finite number"}},
        {"a title line of megabytes", [](Entradas& e) { valor(e, 2, std::string(3 << 20, 'x')); },
         Esperado{2, "p.dat, line 2: the line is longer than 65536 characters; " + danado},
         {2, "p.dat, line 2: the line is longer than 65536 characters; " + danado}},
        {"a NUL byte in the title", [](Entradas& e) { valor(e, 2, "Caja\0"s); },
         Esperado{2, "p.dat, line 2: the line holds a NUL byte; " + danado},
         {2, "p.dat, line 2: the line holds a NUL byte; " + danado}},
        {"a file that ends inside a zone", [](Entradas& e) { e.problema.resize(15); },
         Esperado{2, "p.dat, line 16: the file ends early; expected the constant potential V0"},
         {2, "p.dat, line 16: the file ends early; expected the constant potential V0"}},
        {"eigen data of a smaller basis",
         [](Entradas& e) { e.datos = prueba::texto_datosdib({0.5}, prueba::identidad(1)); }, std::nullopt,
         {255, "M1064"}},
        {"eigen data of a larger basis",
         [](Entradas& e) { e.datos = prueba::texto_datosdib({0.5, 2.0, 4.5}, prueba::identidad(3)); }, std::nullopt,
         {255, "M1064"}},
        {"eigen data with a NUL byte", [](Entradas& e) { e.datos.insert(1, 1, '\0'); }, std::nullopt,
         {2, "DatosDIB, line 1: the line holds a NUL byte; " + danado}},
        {"10^9 plot points per zone",
         [](Entradas& e) {
             e.dib_un_nivel = prueba::texto_dib("1000000000", "2.500", {"1"});
             e.dib_dos_niveles = prueba::texto_dib("1000000000", "2.500", {"1", "2"});
         },
         std::nullopt, {255, "M1048"}},
        {"a NaN scale",
         [](Entradas& e) {
             e.dib_un_nivel = prueba::texto_dib("3", "nan", {"1"});
             e.dib_dos_niveles = prueba::texto_dib("3", "nan", {"1", "2"});
         },
         std::nullopt, {2, "DIB, line 2: expected the scale factor, found \"nan\""}},
        {"a language file with a NUL byte", [](Entradas& e) { e.idioma.insert(12, 1, '\0'); },
         Esperado{2, "idioma.lng, line 2: the line holds a NUL byte; " + danado},
         {2, "idioma.lng, line 2: the line holds a NUL byte; " + danado}},
    };
}

// The results an earlier run left.
const std::vector<std::pair<std::string, std::string>> anteriores = {
    {"RES.tot", "informe anterior\r\n"}, {"FUNCION", "funcion anterior\r\n"},
    {"nivel", "niveles anteriores\r\n"}, {"prob", "densidad anterior\r\n"}};

TEST(EntradasMalas, EveryEngineStopsWithAMessageAndLeavesThePreviousResults) {
    const std::pair<const char*, const char*> programas[] = {
        {"calculos", CALCULOS_EXE}, {"funciones", FUNCIONES_EXE}, {"niveles", NIVELES_EXE}, {"probs", PROBS_EXE}};
    for (const Caso& c : casos()) {
        Entradas e;
        c.cambiar(e);
        for (const auto& [nombre, exe] : programas) {
            const bool calculos = std::string(nombre) == "calculos";
            if (calculos && !c.calculos) continue;
            const Esperado& esperado = calculos ? *c.calculos : c.graficas;
            prueba::CarpetaTemporal dir;
            dir.escribir("p.dat", prueba::con_crlf(e.problema));
            dir.escribir("dib", std::string(nombre) == "niveles" ? e.dib_dos_niveles : e.dib_un_nivel);
            dir.escribir("DatosDIB", calculos ? "datos anteriores\r\n" : e.datos);
            dir.escribir("idioma.lng", e.idioma);
            for (const auto& [f, bytes] : anteriores) dir.escribir(f, bytes);

            const prueba::Resultado r = prueba::ejecutar(exe, dir.ruta(), {"p.dat"});
            const std::string que = std::string(c.que) + ", " + nombre;
            EXPECT_EQ(r.estado, esperado.estado) << que << "\n" << r.salida << r.errores;
            EXPECT_NE((r.salida + r.errores).find(esperado.texto), std::string::npos)
                << que << "\n" << r.salida << r.errores;
            for (const auto& [f, bytes] : anteriores) EXPECT_EQ(dir.leer(f), bytes) << que << ": " << f;
            if (calculos) {
                EXPECT_EQ(dir.leer("DatosDIB"), "datos anteriores\r\n") << que;
            }
        }
    }
}

// One argument is a file name, even an empty or a blank one: a file that
// cannot be opened. Only two or more arguments take the problem from
// standard input.
TEST(EntradasMalas, AnEmptyOrBlankArgumentIsAFileThatCannotBeOpened) {
    const std::pair<const char*, const char*> programas[] = {
        {"calculos", CALCULOS_EXE}, {"funciones", FUNCIONES_EXE}, {"niveles", NIVELES_EXE}, {"probs", PROBS_EXE}};
    Entradas e;
    for (const auto& [nombre, exe] : programas) {
        for (const std::string argumento : {"", "   "}) {
            prueba::CarpetaTemporal dir;
            dir.escribir("dib", std::string(nombre) == "niveles" ? e.dib_dos_niveles : e.dib_un_nivel);
            dir.escribir("DatosDIB", e.datos);
            dir.escribir("idioma.lng", e.idioma);
            for (const auto& [f, bytes] : anteriores) dir.escribir(f, bytes);
            const prueba::Resultado r =
                prueba::ejecutar(exe, dir.ruta(), {argumento}, prueba::con_crlf(e.problema));
            const std::string que = std::string(nombre) + " \"" + argumento + "\"";
            EXPECT_EQ(r.estado, 2) << que << "\n" << r.salida << r.errores;
            EXPECT_NE(r.errores.find("cannot be opened"), std::string::npos) << que << "\n" << r.errores;
            for (const auto& [f, bytes] : anteriores) EXPECT_EQ(dir.leer(f), bytes) << que << ": " << f;
        }
    }
}

} // namespace
