// Runs of the built calculos on small problems: its console, its exit status
// and the files it leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "fixtures/carpeta.hpp"
#include "fixtures/problemas.hpp"

using prueba::ProblemaPrueba;
using prueba::ZonaPrueba;

namespace {

class Calculos : public ::testing::Test {
protected:
    prueba::CarpetaTemporal dir;
    void SetUp() override { dir.escribir("idioma.lng", prueba::idioma_de_prueba()); }

    static ProblemaPrueba caja() {
        ProblemaPrueba p;
        p.zonas = {{1, 0, 10, {0.0}}};
        return p;
    }
    prueba::Resultado correr(const std::vector<std::string>& args, const std::string& entrada = "") {
        return prueba::ejecutar(CALCULOS_EXE, dir.ruta(), args, entrada);
    }
    // Starts calculos on `problema` in the folder, silent, and leaves it running.
    pid_t lanzar(const char* problema) {
        const pid_t hijo = fork();
        if (hijo == 0) {
            const int nulo = open("/dev/null", O_WRONLY);
            dup2(nulo, 1);
            dup2(nulo, 2);
            if (chdir(dir.ruta().c_str()) != 0) _exit(127);
            execl(CALCULOS_EXE, CALCULOS_EXE, problema, static_cast<char*>(nullptr));
            _exit(127);
        }
        return hijo;
    }
};

constexpr int estado_parada = 255;  // -1 as the shell sees it

TEST_F(Calculos, ReadsDatosDatWithoutArgumentsAndStartsTheCalculation) {
    dir.escribir("DATOS.DAT", prueba::texto_problema(caja()));
    const auto r = correr({});
    EXPECT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida, "\n       M1004\n");
    EXPECT_EQ(r.errores, "");
}

// A name of 80 characters is the longest taken (trailing blanks aside);
// a longer one is refused (see the names and statuses of every engine).
TEST_F(Calculos, TheArgumentNamesAProblemFileOfUpTo80Characters) {
    const std::string nombre80 = std::string(76, 'p') + ".dat";
    dir.escribir(nombre80, prueba::texto_problema(caja()));
    for (const std::string& argumento : {nombre80, nombre80 + "     "}) {
        std::filesystem::remove(dir / "RES.tot");
        const auto r = correr({argumento});
        EXPECT_EQ(r.estado, 0) << r.errores;
        EXPECT_EQ(r.salida, "\n       M1004\n");
        EXPECT_TRUE(dir.existe("RES.tot"));
    }
}

TEST_F(Calculos, TwoArgumentsReadTheProblemFromStandardInput) {
    const auto r = correr({"uno", "dos"}, prueba::texto_problema(caja()));
    EXPECT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida, "\n       M1004\n");
}

TEST_F(Calculos, StopsAndNoticesOnTheConsole) {
    auto con = [](auto cambio) {
        ProblemaPrueba p = caja();
        cambio(p);
        return p;
    };
    struct Caso {
        const char* que;
        ProblemaPrueba p;
        int estado;
        std::string salida;
    } casos[] = {
        {"11 zones", con([](ProblemaPrueba& p) { p.nzonas = "11"; }), estado_parada, " M1002\n"},
        {"zones 2e-6 apart", con([](ProblemaPrueba& p) { p.zonas = {{1, 0, 5, {0}}, {1, 5.000002, 10, {0}}}; }),
         estado_parada, " M1003\n"},
        {"zones 1e-7 apart", con([](ProblemaPrueba& p) { p.zonas = {{1, 0, 5, {0}}, {1, 5.0000001, 10, {0}}}; }), 0,
         "\n       M1004\n"},
        {"even points", con([](ProblemaPrueba& p) { p.npuntos = "1000"; }), 0, " M1000\n        M1001\n\n       M1004\n"},
        {"a vertex count above 100", con([](ProblemaPrueba& p) { p.zonas = {{2, 0, 10, {500}}}; }), estado_parada,
         " M1044\n"},
    };
    for (const auto& c : casos) {
        dir.escribir("p.dat", prueba::texto_problema(c.p));
        const auto r = correr({"p.dat"});
        EXPECT_EQ(r.estado, c.estado) << c.que << r.errores;
        EXPECT_EQ(r.salida, c.salida) << c.que;
    }
}

// A problem whose answer is not a set of finite numbers is refused, and the
// files of the earlier run stay as they were, with no temporary beside them.
TEST_F(Calculos, RefusesAProblemWithoutAFiniteAnswerAndKeepsTheEarlierFiles) {
    auto serie = [](double xini, double xfin, int potencia, double coeficiente) {
        std::vector<double> c(13, 0.0);  // Y0, Y1 to Y6, YM1 to YM6
        c[static_cast<size_t>(potencia < 0 ? 6 - potencia : potencia)] = coeficiente;
        return ZonaPrueba{4, xini, xfin, c};
    };
    auto con = [](std::vector<ZonaPrueba> zonas, const char* masa = "1.000", const char* puntos = "1001") {
        ProblemaPrueba p;
        p.zonas = std::move(zonas);
        p.masa = masa;
        p.npuntos = puntos;
        return p;
    };
    const std::string calculando = "\n       M1004\n";
    struct Caso {
        const char* que;
        ProblemaPrueba p;
        int estado;
        std::string salida;
    } casos[] = {
        // No sample falls on 0 here (1000 points become 1001, a step of 0.0099).
        {"1/x^2 on [-4.9, 5]", con({serie(-4.9, 5, -2, -1)}, "1.000", "1000"), estado_parada, " M1000\n        M1001\n M1060\n"},
        {"1/x^2 on [0, 5]", con({serie(0, 5, -2, -1)}), estado_parada, " M1060\n"},
        {"1/x^6 on [-5, 0]", con({serie(-5, 0, -6, 1)}), estado_parada, " M1060\n"},
        {"1/x in the second zone", con({{1, -5, -1, {0}}, serie(-1, 5, -1, 2)}), estado_parada, " M1060\n"},
        {"1/x^2 on [0.5, 5]", con({serie(0.5, 5, -2, -1)}), 0, calculando},
        {"x^2 on [-4.9, 5]", con({serie(-4.9, 5, 2, 1)}), 0, calculando},
        {"a potential of 1e308", con({{1, 0, 10, {1e308}}}), estado_parada, calculando + " M1061\n        M1024\n"},
        {"a mass of 1e-300", con({{1, 0, 10, {0}}}, "1e-300"), estado_parada, calculando + " M1061\n        M1062\n"},
    };
    for (const auto& c : casos) {
        prueba::CarpetaTemporal d;
        d.escribir("idioma.lng", prueba::idioma_de_prueba());
        d.escribir("p.dat", prueba::texto_problema(c.p));
        d.escribir("RES.tot", "informe anterior\r\n");
        d.escribir("DatosDIB", "datos anteriores\r\n");
        const auto r = prueba::ejecutar(CALCULOS_EXE, d.ruta(), {"p.dat"});
        EXPECT_EQ(r.estado, c.estado) << c.que << r.errores;
        EXPECT_EQ(r.salida, c.salida) << c.que;
        std::vector<std::string> ficheros;
        for (const auto& e : std::filesystem::directory_iterator(d.ruta())) ficheros.push_back(e.path().filename());
        std::sort(ficheros.begin(), ficheros.end());
        EXPECT_EQ(ficheros, (std::vector<std::string>{"DatosDIB", "RES.tot", "idioma.lng", "p.dat"})) << c.que;
        if (c.estado != 0) {
            EXPECT_EQ(d.leer("RES.tot"), "informe anterior\r\n") << c.que;
            EXPECT_EQ(d.leer("DatosDIB"), "datos anteriores\r\n") << c.que;
        } else {
            EXPECT_NE(d.leer("RES.tot"), "informe anterior\r\n") << c.que;
        }
    }
}

// Ended while it writes its report, the engine leaves no temporary file and
// the files of the earlier run as they were.
TEST_F(Calculos, ASignalWhileTheReportIsWrittenLeavesNoTemporary) {
    ProblemaPrueba p = caja();
    p.nbase = "800";
    p.zonas = {{1, 0, 5, {0.0}}, {1, 5, 10, {1.0}}};
    dir.escribir("p.dat", prueba::texto_problema(p));
    dir.escribir("RES.tot", "informe anterior\r\n");
    dir.escribir("DatosDIB", "datos anteriores\r\n");
    auto temporales = [&] {
        int n = 0;
        for (const auto& e : std::filesystem::directory_iterator(dir.ruta()))
            n += e.path().filename().string().find(".tmp") != std::string::npos;
        return n;
    };
    const pid_t hijo = lanzar("p.dat");
    ASSERT_GE(hijo, 0);
    // Polled with a bound far beyond any machine's time, so that a fault
    // fails the test instead of hanging it.
    auto esperar = [](auto hecho) {
        for (int i = 0; i < 60000; ++i) {
            if (hecho()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    };
    int estado = 0;
    bool terminado = false;
    const bool escribiendo = esperar([&] {
        terminado = terminado || waitpid(hijo, &estado, WNOHANG) == hijo;
        return terminado || temporales() > 0;
    });
    ASSERT_TRUE(escribiendo && !terminado) << "the report was not being written; status " << estado;
    kill(hijo, SIGTERM);
    if (!esperar([&] { return waitpid(hijo, &estado, WNOHANG) == hijo; })) {
        kill(hijo, SIGKILL);
        waitpid(hijo, &estado, 0);
        FAIL() << "calculos did not end on SIGTERM";
    }
    EXPECT_TRUE(WIFSIGNALED(estado) && WTERMSIG(estado) == SIGTERM) << "status " << estado;
    EXPECT_EQ(temporales(), 0);
    EXPECT_EQ(dir.leer("RES.tot"), "informe anterior\r\n");
    EXPECT_EQ(dir.leer("DatosDIB"), "datos anteriores\r\n");
}

// Outputs that others planted as links in a folder they may write, one to
// an existing file and one dangling: the run replaces the links with its
// files and writes through neither.
TEST_F(Calculos, LinksPlantedAsItsOutputsAreReplacedNeverWrittenThrough) {
    namespace fs = std::filesystem;
    const std::pair<const char*, const char*> casos[] = {{"RES.tot", "DatosDIB"}, {"DatosDIB", "RES.tot"}};
    for (const auto& [a_fichero, colgante] : casos) {
        prueba::CarpetaTemporal otra;
        otra.escribir("victima", "intacta\r\n");
        fs::remove(dir / "RES.tot");
        fs::remove(dir / "DatosDIB");
        fs::create_symlink(otra / "victima", dir / a_fichero);
        fs::create_symlink(otra / "creada", dir / colgante);
        dir.escribir("p.dat", prueba::texto_problema(caja()));
        const auto r = correr({"p.dat"});
        EXPECT_EQ(r.estado, 0) << a_fichero << r.errores;
        EXPECT_EQ(otra.leer("victima"), "intacta\r\n") << a_fichero;
        EXPECT_FALSE(fs::exists(fs::symlink_status(otra / "creada"))) << a_fichero;
        for (const char* salida : {"RES.tot", "DatosDIB"})
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / salida))) << salida;
        EXPECT_EQ(dir.leer("DatosDIB").substr(0, 1), " ");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.ruta()), {}), 4) << a_fichero;  // no temporary
    }
}

// SIGTERM sent the moment the new report takes the old one's place, while
// the old eigen data still stand: the engine puts the eigen data in place
// before the signal ends it, so both files come from one run.
TEST_F(Calculos, ASignalRightAfterTheReportIsReplacedLeavesBothFilesOfOneRun) {
    ProblemaPrueba p = caja();
    p.nbase = "60";
    dir.escribir("p.dat", prueba::texto_problema(p));
    dir.escribir("RES.tot", "informe anterior\r\n");
    dir.escribir("DatosDIB", "datos anteriores\r\n");
    const int vigia = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    ASSERT_GE(vigia, 0);
    ASSERT_GE(inotify_add_watch(vigia, dir.ruta().c_str(), IN_MOVED_TO), 0);
    const pid_t hijo = lanzar("p.dat");
    ASSERT_GE(hijo, 0);
    int estado = 0;
    bool terminado = false, enviada = false;
    // Bounded far beyond any machine's time, so that a fault fails the test instead of hanging it.
    for (int i = 0; i < 600000 && !terminado && !enviada; ++i) {
        pollfd espera{vigia, POLLIN, 0};
        if (poll(&espera, 1, 10) > 0) {
            alignas(inotify_event) char bufer[4096];
            const ssize_t n = read(vigia, bufer, sizeof bufer);
            for (ssize_t k = 0; k < n && !enviada;) {
                const auto* e = reinterpret_cast<const inotify_event*>(bufer + k);
                if (e->len > 0 && std::string(e->name) == "RES.tot") enviada = kill(hijo, SIGTERM) == 0;
                k += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
            }
        }
        terminado = !enviada && waitpid(hijo, &estado, WNOHANG) == hijo;
    }
    close(vigia);
    if (!terminado) waitpid(hijo, &estado, 0);
    ASSERT_TRUE(enviada) << "the report was not replaced; status " << estado;
    // Ended by the signal, or ended on its own just before it came.
    EXPECT_TRUE((WIFSIGNALED(estado) && WTERMSIG(estado) == SIGTERM) || (WIFEXITED(estado) && WEXITSTATUS(estado) == 0))
        << "status " << estado;
    EXPECT_NE(dir.leer("RES.tot"), "informe anterior\r\n");
    EXPECT_NE(dir.leer("DatosDIB"), "datos anteriores\r\n");
    EXPECT_EQ(prueba::lineas(dir.leer("DatosDIB")).size(), 60u * 61u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.ruta()), {}), 4);  // no temporary
}

TEST_F(Calculos, InputErrorsEndWithStatus2AndADiagnostic) {
    struct Caso {
        const char* que;
        std::string fichero;  // empty: no problem file
        std::string error;
    } casos[] = {
        {"missing file", "", "calculos: falta.dat: the file cannot be opened for reading\n"},
        {"non-numeric mass", "****\r\nT = x\r\nMasa (u.a.) = uno\r\n",
         "calculos: falta.dat, line 3: expected the mass, found \"uno\"\n"},
        {"early end", "****\r\nT = x\r\nMasa = 1\r\n",
         "calculos: falta.dat, line 4: the file ends early; expected the number of basis functions\n"},
        {"huge number", "****\r\nT = x\r\nMasa = 1e999\r\n", "calculos: falta.dat, line 3: the value \"1e999\" of the mass is out of range\n"},
    };
    for (const auto& c : casos) {
        std::filesystem::remove(dir / "falta.dat");
        if (!c.fichero.empty()) dir.escribir("falta.dat", c.fichero);
        const auto r = correr({"falta.dat"});
        EXPECT_EQ(r.estado, 2) << c.que;
        EXPECT_EQ(r.errores, c.error) << c.que;
        EXPECT_EQ(r.salida, "") << c.que;
    }
}

TEST_F(Calculos, WithoutALanguageFileTheRunEndsWithADiagnostic) {
    std::filesystem::remove(dir / "idioma.lng");
    dir.escribir("p.dat", prueba::texto_problema(caja()));
    const auto r = correr({"p.dat"});
    EXPECT_EQ(r.estado, 2);
    EXPECT_EQ(r.errores, "calculos: idioma.lng: the file cannot be opened for reading\n");
}

// The example oscillator with K2 written as 90 zeros and 1.000: its first
// 80 columns read 0, a free particle. The line is refused and nothing is
// written; a title line of 200 characters is read as before.
TEST_F(Calculos, AValueWrittenPastColumn80IsRefusedAndALongTitleIsCut) {
    dir.copiar_dato("oscilador.dat");
    std::string texto = dir.leer("oscilador.dat");
    const std::string k2 = "K2 = 1.000\r\n";
    ASSERT_NE(texto.find(k2), std::string::npos);
    texto.replace(texto.find(k2), k2.size(), "K2 = " + std::string(90, '0') + "1.000\r\n");
    dir.escribir("oscilador.dat", texto);
    dir.escribir("RES.tot", "informe anterior\r\n");
    auto r = correr({"oscilador.dat"});
    EXPECT_EQ(r.estado, 2);
    EXPECT_EQ(r.errores, "calculos: oscilador.dat, line 13: the line of a force constant is longer than 80 "
                         "characters: its value must end by column 80, the last one read\n");
    EXPECT_EQ(r.salida, "");
    EXPECT_EQ(dir.leer("RES.tot"), "informe anterior\r\n");
    EXPECT_FALSE(dir.existe("DatosDIB"));

    ProblemaPrueba p = caja();
    p.titulo = std::string(100, 'a') + std::string(91, 'b');  // a line of 200 characters
    dir.escribir("p.dat", prueba::texto_problema(p));
    r = correr({"p.dat"});
    EXPECT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida, "\n       M1004\n");
    EXPECT_NE(dir.leer("RES.tot").find("      " + std::string(49, 'a') + "     "), std::string::npos);  // its 50 columns
}

// Ten constant zones of ±500 hartree, a mass of 9999 and a basis of 800:
// the Hamiltonian's two clusters of nearly equal levels keep the rotations
// going to the limit. The run says so, writes its report and eigen data all
// the same, and ends with status 3: results that have not converged.
TEST_F(Calculos, ADiagonalisationStoppedAtTheRotationLimitEndsWithStatus3) {
    ProblemaPrueba p;
    p.masa = "9999.000";
    p.nbase = "800";
    p.npuntos = "201";
    for (int i = 0; i < 10; ++i) p.zonas.push_back({1, double(i), double(i + 1), {i % 2 == 0 ? 500.0 : -500.0}});
    dir.escribir("p.dat", prueba::texto_problema(p));
    dir.escribir("RES.tot", "informe anterior\r\n");
    const auto r = correr({"p.dat"});
    EXPECT_EQ(r.estado, 3) << r.errores;
    const auto l = prueba::lineas(r.salida);
    ASSERT_EQ(l.size(), 5u) << r.salida;
    EXPECT_EQ(l[1], "       M1004");
    EXPECT_EQ(l[2], " TRAS  999999 ITERACIONES NO SE HA LOGRADO LA PRECISION REQUERIDA (0.100000E-06)");
    EXPECT_EQ(l[3], "");
    EXPECT_EQ(l[4].substr(0, 59), " EL VALOR MAXIMO DE LOS ELEMENTOS NO DIAGONALES ES TODAVIA:");
    EXPECT_EQ(r.errores, "");
    EXPECT_NE(dir.leer("RES.tot"), "informe anterior\r\n");
    EXPECT_EQ(prueba::lineas(dir.leer("DatosDIB")).size(), 800u * 801u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.ruta()), {}), 4);  // no temporary
}

// The memory a problem needs is told from its counts, before anything is
// allocated, against the machine's physical memory (TARVO_MEMORIA_FISICA
// stands in for it): the problem is refused at once, whatever it asks.
TEST_F(Calculos, AProblemTooLargeForTheMachineIsRefusedBeforeAnythingIsAllocated) {
    struct Caso {
        const char* que;
        const char* nbase;
        const char* npuntos;
        const char* memoria;  // bytes of the machine; null: this machine's
        std::string salida;   // the console; up to the MB line on this machine
    } casos[] = {
        {"a basis of 2e9 functions", "2000000000", "1001", nullptr, " M1067\n        M1068 2000000000\n"},
        {"a basis of 100000 functions", "100000", "1001", nullptr, " M1067\n        M1068 100000\n"},
        {"2e9 points per zone on a machine of 16 GB", "10", "2000000000", "17179869184",
         " M1000\n        M1001\n M1067\n        M1069 2000000001\n        M1070 30518  16384\n"},
        {"a basis of 200 on a machine of 1 MB", "200", "1001", "1048576",
         " M1067\n        M1068 200\n        M1070 2  1\n"},
    };
    for (const Caso& c : casos) {
        ProblemaPrueba p = caja();
        p.nbase = c.nbase;
        p.npuntos = c.npuntos;
        dir.escribir("p.dat", prueba::texto_problema(p));
        dir.escribir("RES.tot", "informe anterior\r\n");
        dir.escribir("DatosDIB", "datos anteriores\r\n");
        if (c.memoria) setenv("TARVO_MEMORIA_FISICA", c.memoria, 1);
        const auto r = correr({"p.dat"});
        unsetenv("TARVO_MEMORIA_FISICA");
        EXPECT_EQ(r.estado, estado_parada) << c.que;
        if (c.memoria) {
            EXPECT_EQ(r.salida, c.salida) << c.que;
        } else {
            EXPECT_EQ(r.salida.substr(0, c.salida.size()), c.salida) << c.que;
            const auto l = prueba::lineas(r.salida);
            EXPECT_EQ(l.size(), prueba::lineas(c.salida).size() + 1) << c.que << "\n" << r.salida;
            EXPECT_EQ(l.back().substr(0, 14), "        M1070 ") << c.que;
        }
        EXPECT_EQ(r.errores, "") << c.que;
        EXPECT_EQ(dir.leer("RES.tot"), "informe anterior\r\n") << c.que;
        EXPECT_EQ(dir.leer("DatosDIB"), "datos anteriores\r\n") << c.que;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.ruta()), {}), 4) << c.que;  // no temporary
    }
    // The same basis of 200 fits a machine of 4 MB.
    ProblemaPrueba p = caja();
    p.nbase = "200";
    dir.escribir("p.dat", prueba::texto_problema(p));
    setenv("TARVO_MEMORIA_FISICA", "4194304", 1);
    const auto r = correr({"p.dat"});
    unsetenv("TARVO_MEMORIA_FISICA");
    EXPECT_EQ(r.estado, 0) << r.salida << r.errores;
    EXPECT_EQ(r.salida, "\n       M1004\n");
}

// Arrays that the machine cannot give although the problem fits its
// physical memory stop the run as well, without a crash and without a
// temporary file.
TEST_F(Calculos, WorkArraysThatCannotBeCreatedStopTheRun) {
    dir.escribir("RES.tot", "informe anterior\r\n");
    ProblemaPrueba p = caja();
    p.nbase = "150000";  // 5 matrices of 180 GB: more than any machine here has free
    dir.escribir("p.dat", prueba::texto_problema(p));
    setenv("TARVO_MEMORIA_FISICA", "1e30", 1);
    auto r = correr({"p.dat"});
    EXPECT_EQ(r.estado, estado_parada);
    EXPECT_EQ(r.salida, " INSUFFICIENT MEMORY\n");
    EXPECT_EQ(r.errores, "calculos: p.dat: a basis of 150000 functions with 1001 points per zone needs more memory than "
                         "this machine has\n");
#if !defined(__SANITIZE_ADDRESS__)
    // Matrices of 32 MB each, in an address space of 100 MB: the allocation
    // itself fails.
    p.nbase = "2000";
    dir.escribir("p.dat", prueba::texto_problema(p));
    r = prueba::ejecutar("/bin/sh", dir.ruta(), {"-c", "ulimit -v 100000 && exec \"$0\" p.dat", CALCULOS_EXE});
    EXPECT_EQ(r.estado, estado_parada) << r.salida << r.errores;
    EXPECT_EQ(r.salida, " INSUFFICIENT MEMORY\n");
#endif
    unsetenv("TARVO_MEMORIA_FISICA");
    EXPECT_EQ(dir.leer("RES.tot"), "informe anterior\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.ruta()), {}), 3);  // no temporary
}

// A recorded language without a section: the engine speaks the first
// language of the file, in its console and in its report.
TEST_F(Calculos, ALanguageWithoutASectionGivesTheFirstLanguagesTexts) {
    dir.escribir("idioma.lng", "[Idioma]\r\nIdioma=Deutsch\r\n[Uno]\r\n1004=Calculando\r\n1005=Cabecera uno\r\n"
                               "1009=Zona\r\n[Dos]\r\n1004=Calculating\r\n1005=Heading two\r\n1009=Zone\r\n");
    dir.escribir("p.dat", prueba::texto_problema(caja()));
    const auto r = correr({"p.dat"});
    EXPECT_EQ(r.estado, 0) << r.errores;
    EXPECT_EQ(r.salida, "\n       Calculando\n");
    const auto informe = prueba::lineas(dir.leer("RES.tot"));
    auto tiene = [&](const std::string& l) { return std::find(informe.begin(), informe.end(), l) != informe.end(); };
    EXPECT_TRUE(tiene("       ***  Cabecera uno" + std::string(14, ' ') + "***"));
    EXPECT_TRUE(tiene(std::string(41, ' ') + "Zona  1 :"));
}

TEST_F(Calculos, MessagesAreWrittenInUtf8) {
    dir.escribir("idioma.lng", "[Idioma]\r\nIdioma=Espa\xf1ol\r\n[Espa\xf1ol]\r\n1004=Calculando \x93niveles\x94 \xb4\r\n");
    dir.escribir("p.dat", prueba::texto_problema(caja()));
    const auto r = correr({"p.dat"});
    EXPECT_EQ(r.salida, "\n       Calculando \xe2\x80\x9cniveles\xe2\x80\x9d \xc2\xb4\n");
}

} // namespace
