// The four engines on what they must refuse: a problem-file name longer than
// they read, a plot request they cannot draw, an output the user made
// read-only. Each refusal ends with its status and its message, and leaves
// every file of the folder exactly as it was (content, mode, owner, the very
// file); only a complete run ends with 0.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <sys/stat.h>

#include "engines/lector_grafica.hpp"
#include "fixtures/carpeta.hpp"
#include "fixtures/problemas.hpp"

namespace fs = std::filesystem;

namespace {

const std::map<std::string, const char*> programas = {
    {"calculos", CALCULOS_EXE}, {"funciones", FUNCIONES_EXE}, {"niveles", NIVELES_EXE}, {"probs", PROBS_EXE}};

// A problem file whose name has exactly the 80 characters the engines read.
const std::string nombre80 = std::string(76, 'p') + ".dat";

std::vector<double> energias(int n) {
    std::vector<double> e;
    for (int k = 1; k <= n; ++k) e.push_back(0.5 * k * k);
    return e;
}

// A folder ready for every engine: the problem p.dat (and the same problem
// under the 80-character name), the plot parameters, the eigen data of its
// basis of 10, and the results of an earlier run.
void preparar(const prueba::CarpetaTemporal& dir, const std::string& programa, const std::string& puntos,
              const std::vector<std::string>& niveles) {
    dir.escribir("idioma.lng", prueba::idioma_graficas());
    prueba::preparar(dir, prueba::dos_zonas(10), puntos, "2.500", niveles, energias(10), prueba::identidad(10));
    if (programa == "niveles" && niveles.size() == 1) dir.escribir("dib", prueba::texto_dib(puntos, "2.500", {niveles[0], "2"}));
    dir.escribir(nombre80, dir.leer("p.dat"));
    dir.escribir("RES.tot", "informe anterior\r\n");
    dir.escribir("FUNCION", "funcion anterior\r\n");
    dir.escribir("nivel", "niveles anteriores\r\n");
    dir.escribir("prob", "densidad anterior\r\n");
}

// Everything a refusal must leave alone, file by file.
struct Huella {
    std::string bytes;
    mode_t modo;
    uid_t dueno;
    gid_t grupo;
    ino_t nodo;
    bool operator==(const Huella&) const = default;
};

std::map<std::string, Huella> huellas(const prueba::CarpetaTemporal& dir) {
    std::map<std::string, Huella> r;
    for (const auto& e : fs::directory_iterator(dir.ruta())) {
        struct stat st {};
        ::lstat(e.path().c_str(), &st);
        const std::string nombre = e.path().filename().string();
        r[nombre] = {dir.leer(nombre), st.st_mode, st.st_uid, st.st_gid, st.st_ino};
    }
    return r;
}

std::string listar(const std::map<std::string, Huella>& h) {
    std::string s;
    for (const auto& [nombre, x] : h) s += nombre.substr(0, 20) + " " + std::to_string(x.modo) + "; ";
    return s;
}

void solo_lectura(const prueba::CarpetaTemporal& dir, const std::string& nombre) {
    ASSERT_EQ(::chmod((dir / nombre).c_str(), 0444), 0);
}

struct Caso {
    std::string que;
    std::string programa;
    std::vector<std::string> argumentos;
    std::string puntos = "3";
    std::vector<std::string> niveles = {"1"};  // niveles: {first, last}; one alone is followed by 2
    std::function<void(const prueba::CarpetaTemporal&)> cambiar = [](const prueba::CarpetaTemporal&) {};
    int estado = 0;             // as the shell sees it: 255 is -1
    std::string salida = {};    // the console, whole
    std::string errores = {};   // the error stream, whole
};

const std::string solo_lectura_texto = ": the file is read-only; it is left as it was and no file of this run is written\n";

std::vector<Caso> casos() {
    std::vector<Caso> c;
    const std::string nombre90 = nombre80 + "0123456789";
    const std::string largo = ": the file name is longer than 80 characters, the most the engines read: give a shorter name or path\n";
    for (const auto& [programa, exe] : programas) {
        // Cut at 80, the name would be that of the problem beside it.
        c.push_back({.que = "a name of 90 characters", .programa = programa, .argumentos = {nombre90}, .estado = 2,
                     .errores = programa + ": " + nombre90 + largo});
        c.push_back({.que = "a name of 81 characters", .programa = programa, .argumentos = {nombre80 + "x"}, .estado = 2,
                     .errores = programa + ": " + nombre80 + "x" + largo});
    }
    // A complete run of each, for the contrast.
    c.push_back({.que = "a complete run", .programa = "calculos", .argumentos = {nombre80}, .estado = 0,
                 .salida = "\n       M1004\n"});
    for (const char* programa : {"funciones", "niveles", "probs"})
        c.push_back({.que = "a complete run", .programa = programa, .argumentos = {nombre80}, .estado = 0});

    struct Rechazo {
        const char* que;
        std::string puntos;
        std::vector<std::string> niveles;
        std::string salida;
    };
    const Rechazo rechazos[] = {
        {"level 99 of a basis of 10", "3", {"99"}, " M1047\n"},
        {"level 0", "3", {"0"}, " M1055\n"},
        {"level -1", "3", {"-1"}, " M1055\n"},
        {"0 points", "0", {"1"}, " M1057\n"},
        {"40000 points", "40000", {"1"}, " M1048\n"},
    };
    for (const char* programa : {"funciones", "probs", "niveles"})
        for (const Rechazo& r : rechazos) {
            std::vector<std::string> niveles = r.niveles;
            // niveles: the level given as the last one after level 1, or as the first one.
            if (std::string(programa) == "niveles") niveles = r.niveles[0] == "99" ? std::vector<std::string>{"1", "99"}
                                                                                 : std::vector<std::string>{r.niveles[0], "2"};
            c.push_back({.que = r.que, .programa = programa, .argumentos = {"p.dat"}, .puntos = r.puntos,
                         .niveles = niveles, .estado = 255, .salida = r.salida});
        }

    // Neither of calculos' files is replaced when one of them is read-only.
    for (const char* protegido : {"RES.tot", "DatosDIB"})
        c.push_back({.que = std::string(protegido) + " read-only", .programa = "calculos", .argumentos = {"p.dat"},
                     .cambiar = [=](const prueba::CarpetaTemporal& d) { solo_lectura(d, protegido); }, .estado = 2,
                     .errores = std::string("calculos: ") + protegido + solo_lectura_texto});
    const std::pair<const char*, const char*> graficas[] = {{"funciones", "FUNCION"}, {"niveles", "nivel"}, {"probs", "prob"}};
    for (const auto& [programa, fichero] : graficas)
        c.push_back({.que = std::string(fichero) + " read-only", .programa = programa, .argumentos = {"p.dat"},
                     .cambiar = [f = std::string(fichero)](const prueba::CarpetaTemporal& d) { solo_lectura(d, f); },
                     .estado = 2, .errores = std::string(programa) + ": " + fichero + solo_lectura_texto});
    return c;
}

TEST(NombresYEstados, EveryRefusalEndsWithItsStatusAndMessageAndLeavesTheFolderAsItWas) {
    for (const Caso& c : casos()) {
        prueba::CarpetaTemporal dir;
        preparar(dir, c.programa, c.puntos, c.niveles);
        c.cambiar(dir);
        const auto antes = huellas(dir);
        const prueba::Resultado r = prueba::ejecutar(programas.at(c.programa), dir.ruta(), c.argumentos);
        const std::string que = c.programa + ", " + c.que;
        EXPECT_EQ(r.estado, c.estado) << que << "\n" << r.salida << r.errores;
        EXPECT_EQ(r.salida, c.salida) << que;
        EXPECT_EQ(r.errores, c.errores) << que;
        const auto despues = huellas(dir);
        if (c.estado != 0) {
            EXPECT_TRUE(despues == antes) << que << "\nbefore: " << listar(antes) << "\nafter: " << listar(despues);
        } else {
            EXPECT_EQ(despues.size(), antes.size()) << que;  // no temporary left, no second file
            EXPECT_FALSE(despues == antes) << que;
        }
    }
}

} // namespace
