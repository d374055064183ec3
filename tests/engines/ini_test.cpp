#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "fixtures/carpeta.hpp"
#include "ini/ini.hpp"
#include "ini/mensajes.hpp"
#include "io/errores.hpp"
#include "io/registro.hpp"

using namespace ini;
using prueba::CarpetaTemporal;

namespace {

std::string valor(const std::string& fichero, const std::string& seccion, const std::string& clave) {
    const std::string v = LEERVALOR(fichero, seccion, clave);
    EXPECT_EQ(v.size(), 100u);
    return io::sin_blancos_finales(v);
}

TEST(Comparacadena, IgnoresAsciiCaseAndTrailingBlanksOnly) {
    struct Caso {
        std::string a, b;
        bool iguales;
    } casos[] = {
        {"Idioma", "IDIOMA", true},       {"idioma   ", "Idioma", true}, {" idioma", "idioma", false},
        {"", "   ", true},                {"ab", "abc", false},          {"Espa\xf1ol", "ESPA\xf1OL", true},
        {"Espa\xf1ol", "ESPA\xd1OL", false},  // accented letters are not folded
    };
    for (auto c : casos) {
        std::string a = c.a, b = c.b;
        EXPECT_EQ(COMPARACADENA(a, b), c.iguales) << c.a << " / " << c.b;
    }
}

TEST(Cmaymin, FoldsOnlyAsciiLettersUpToTheLastNonBlank) {
    std::string s = "abc \xe9Z ";
    CMAYMIN(s, 1);
    EXPECT_EQ(s, "ABC \xe9Z ");
    CMAYMIN(s, 0);
    EXPECT_EQ(s, "abc \xe9z ");
    CMAYMIN(s, 2);
    EXPECT_EQ(s, "abc \xe9z ");
}

class LeervalorTest : public ::testing::Test {
protected:
    CarpetaTemporal dir;
    std::string fichero = (dir / "idioma.lng").string();
    void SetUp() override {
        dir.escribir("idioma.lng",
                     prueba::con_crlf({
                         "[idioma]   ",
                         "Idioma=Espa\xf1ol",
                         "",
                         "[Espa\xf1ol]",
                         "1=Archivo",
                         "sin igual",
                         "",
                         "2 = Ver",
                         " 3=oculta",
                         "4=a=b  ",
                         "5=" + std::string(95, 'x') + "ZZZZZZZZZZZZZZZZZZZZ",
                         "1=segunda",
                         "[Espa\xf1ol]",
                         "6=solo en la segunda",
                         "[English]",
                         "1=File",
                     }));
    }
};

TEST_F(LeervalorTest, FindsSectionsAndKeysByTheEngineRules) {
    struct Caso {
        std::string seccion, clave, esperado;
    } casos[] = {
        {"Idioma", "Idioma", "Espa\xf1ol"},   // header in lower case, blanks after "]"
        {"IDIOMA", "idioma", "Espa\xf1ol"},
        {"Espa\xf1ol", "1", "Archivo"},        // the first matching key wins
        {"Espa\xf1ol", "2", " Ver"},           // blank before "=" ignored, blank after kept
        {"Espa\xf1ol", "3", ""},               // a key line that begins with a blank never matches
        {"Espa\xf1ol", "4", "a=b"},
        {"Espa\xf1ol", "5", std::string(95, 'x') + "ZZZ"},  // cut at 100 columns
        {"Espa\xf1ol", "6", ""},               // only the first section of a name is searched
        {"ESPA\xd1OL", "1", ""},               // accented letters must be equal byte for byte
        {"English", "1", "File"},
        {"English", "2", ""},                  // missing from the last section
        {"Deutsch", "1", ""},
    };
    for (const auto& c : casos) EXPECT_EQ(valor(fichero, c.seccion, c.clave), c.esperado) << c.seccion << "/" << c.clave;
}

TEST_F(LeervalorTest, ConvertsNumbersAndBlanksToZero) {
    dir.escribir("n.ini", prueba::con_crlf({"[s]", "a= 3.000", "b=2.5e1", "c=", "d=x"}));
    const std::string f = (dir / "n.ini").string();
    EXPECT_EQ(LEERVALOR_INT(f, "s", "a"), 3);
    EXPECT_EQ(LEERVALOR_REAL(f, "s", "b"), 25.0);
    EXPECT_EQ(LEERVALOR_INT(f, "s", "c"), 0);
    EXPECT_EQ(LEERVALOR_REAL(f, "s", "zz"), 0.0);
    EXPECT_THROW(LEERVALOR_INT(f, "s", "d"), io::ErrorFichero);
}

TEST(Leervalor, AMissingFileIsAnInputError) {
    CarpetaTemporal dir;
    EXPECT_THROW(LEERVALOR((dir / "idioma.lng").string(), "Idioma", "Idioma"), io::ErrorFichero);
}

TEST(Leervalor, FindsTheFileIgnoringTheCaseOfItsName) {
    CarpetaTemporal dir;
    dir.escribir("IDIOMA.LNG", "[Idioma]\r\nIdioma=English\r\n");
    EXPECT_EQ(io::sin_blancos_finales(LEERVALOR((dir / "idioma.lng").string(), "Idioma", "Idioma")), "English");
}

TEST(TextosDeNumeros, AreLeftAdjusted) {
    EXPECT_EQ(INTTOSTR(-42), "-42" + std::string(97, ' '));
    EXPECT_EQ(REALTOSTR(0.1), "0.1");
    EXPECT_EQ(REALTOSTR(-2.5e-12), "-2.5e-12");
}

TEST(Guardavalor, ReplacesAKeyInPlaceAndKeepsEveryOtherLine) {
    CarpetaTemporal dir;
    dir.escribir("x.ini", prueba::con_crlf({"; cabecera", "[Idioma]", "", "otra=1", "IDIOMA=Espa\xf1ol", "", "[English]",
                                            "1=File"}));
    const std::string f = (dir / "x.ini").string();
    GUARDAVALOR(f, "idioma", "idioma", "English");
    EXPECT_EQ(dir.leer("x.ini"), prueba::con_crlf({"; cabecera", "[Idioma]", "", "otra=1", "idioma=English", "",
                                                    "[English]", "1=File"}));
    EXPECT_FALSE(dir.existe("TMPFILE.INI"));
}

// The rewrite goes through a temporary of its own: a link planted under the
// name the rewrite once used is never written through.
TEST(Guardavalor, NeverWritesThroughALinkPlantedBesideTheFile) {
    CarpetaTemporal dir;
    dir.escribir("x.ini", prueba::con_crlf({"[Idioma]", "Idioma=Es"}));
    dir.escribir("ajeno", "ajeno");
    std::filesystem::create_symlink(dir / "ajeno", dir / "TMPFILE.INI");
    GUARDAVALOR((dir / "x.ini").string(), "Idioma", "Idioma", "English");
    EXPECT_EQ(dir.leer("x.ini"), prueba::con_crlf({"[Idioma]", "Idioma=English"}));
    EXPECT_EQ(dir.leer("ajeno"), "ajeno");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "TMPFILE.INI"));
    EXPECT_FALSE(std::filesystem::is_symlink(dir / "x.ini"));
}

TEST(Guardavalor, PutsANewKeyAfterTheSectionsLastLineBeforeTheNextHeader) {
    CarpetaTemporal dir;
    dir.escribir("x.ini", prueba::con_crlf({"[A]", "1=uno", "", "[B]", "1=one"}));
    const std::string f = (dir / "x.ini").string();
    GUARDAVALOR(f, "a", "2", "dos");
    GUARDAVALOR(f, "B", "2", "two");  // the last section: at the end of the file
    EXPECT_EQ(dir.leer("x.ini"), prueba::con_crlf({"[A]", "1=uno", "2=dos", "", "[B]", "1=one", "2=two"}));
    EXPECT_EQ(valor(f, "A", "2"), "dos");
    EXPECT_EQ(valor(f, "B", "2"), "two");
}

TEST(Guardavalor, CreatesTheSectionAndTheFileWhenMissing) {
    CarpetaTemporal dir;
    const std::string f = (dir / "nuevo.ini").string();
    GUARDAVALOR(f, "Idioma", "Idioma", "English");
    EXPECT_EQ(valor(f, "Idioma", "Idioma"), "English");
    dir.escribir("sin_fin.ini", "[A]\r\n1=uno");  // last line without its line end
    const std::string g = (dir / "sin_fin.ini").string();
    CREARSECCION(g, "B  ");
    EXPECT_EQ(dir.leer("sin_fin.ini"), "[A]\r\n1=uno\r\n\r\n[B]\r\n");
    CREARSECCION(g, "b");  // already there: nothing changes
    EXPECT_EQ(dir.leer("sin_fin.ini"), "[A]\r\n1=uno\r\n\r\n[B]\r\n");
}

// The language the engines speak: the recorded one when it has a section,
// otherwise the first language of the file, so that no message is blank
// while the file holds a language.
TEST(Mensajes, ALanguageWithoutASectionFallsBackToTheFirstLanguage) {
    const std::string lenguas = "[Primera]\r\n1004=uno\r\n[Segunda]\r\n1004=dos\r\n";
    struct Caso {
        const char* que;
        std::string fichero;
        std::string seccion;  // the section taken
        std::string texto;    // the text of key 1004
    } casos[] = {
        {"recorded and present", "[Idioma]\r\nIdioma=Segunda\r\n" + lenguas, "Segunda", "dos"},
        {"recorded in other letter case", "[idioma]\r\nidioma=SEGUNDA\r\n" + lenguas, "SEGUNDA", "dos"},
        {"recorded but missing", "[Idioma]\r\nIdioma=Aleman\r\n" + lenguas, "Primera", "uno"},
        {"nothing recorded", "[Idioma]\r\n" + lenguas, "Primera", "uno"},
        {"a name cut at 10 characters", "[Idioma]\r\nIdioma=SegundaLengua\r\n[SegundaLengua]\r\n1004=larga\r\n" + lenguas,
         "SegundaLengua", "larga"},
        {"the settings section named", "[Idioma]\r\nIdioma=Idioma\r\n1004=ajuste\r\n" + lenguas, "Primera", "uno"},
        {"the settings section after a language", "[Primera]\r\n1004=uno\r\n[Idioma]\r\nIdioma=Otra\r\n",
         "Primera", "uno"},
        {"no language at all", "[Idioma]\r\nIdioma=Aleman\r\n", "Aleman", "[1004]"},
    };
    for (const auto& c : casos) {
        CarpetaTemporal dir;
        dir.escribir("idioma.lng", c.fichero);
        std::ostringstream consola;
        ini::Mensajes m(io::Consola(consola), (dir / "idioma.lng").string());
        m.leer_seccion();
        EXPECT_EQ(io::sin_blancos_finales(m.SECCIDIOMA()), c.seccion) << c.que;
        EXPECT_EQ(m.texto(1004), c.texto) << c.que;
        m.escribir(1004);
        EXPECT_EQ(consola.str(), " " + c.texto + "\n") << c.que;
    }
}

// A text that the current language lacks comes from the first other
// language that has it; one that no language has is never blank.
TEST(Mensajes, AMissingTextComesFromAnotherLanguageOrIsItsKeyNumber) {
    const std::string ajustes = "[Idioma]\r\nIdioma=Dos\r\n1033=ajuste\r\n";
    struct Caso {
        const char* que;
        std::string lenguas;
        int clave;
        std::string texto;
        bool aviso;  // the notice of a text that no language has
    } casos[] = {
        {"in the current language", "[Uno]\r\n1033=uno\r\n[Dos]\r\n1033=dos\r\n", 1033, "dos", false},
        {"from an earlier language", "[Uno]\r\n1033=uno\r\n[Dos]\r\n1034=dos\r\n[Tres]\r\n1033=tres\r\n", 1033,
         "uno", false},
        {"from a later language", "[Dos]\r\n1034=dos\r\n[Uno]\r\n1034=x\r\n[Tres]\r\n1033=tres\r\n", 1033, "tres",
         false},
        {"blank in the current language", "[Uno]\r\n1033=uno\r\n[Dos]\r\n1033=   \r\n", 1033, "uno", false},
        {"blank everywhere else too", "[Uno]\r\n1033= \r\n[Dos]\r\n1033=\r\n", 1033, "[1033]", true},
        {"only in the settings section", "[Uno]\r\n1034=uno\r\n[Dos]\r\n1034=dos\r\n", 1033, "[1033]", true},
        {"the end marker of the plot files", "[Uno]\r\n1034=uno\r\n[Dos]\r\n1034=dos\r\n", 1106, "FIN", false},
        {"the end marker from another language", "[Uno]\r\n1106=FIN\r\n[Dos]\r\n1034=dos\r\n", 1106, "FIN", false},
    };
    for (const auto& c : casos) {
        CarpetaTemporal dir;
        dir.escribir("idioma.lng", ajustes + c.lenguas);
        std::ostringstream consola, avisos;
        ini::Mensajes m(io::Consola(consola), (dir / "idioma.lng").string(), avisos);
        m.leer_seccion();
        EXPECT_EQ(m.texto(c.clave), c.texto) << c.que;
        m.escribir(c.clave);
        EXPECT_EQ(consola.str(), " " + c.texto + "\n") << c.que;
        // Told once in a run, naming the file and the key.
        m.texto(c.clave);
        const std::string aviso = avisos.str();
        EXPECT_EQ(aviso.empty(), !c.aviso) << c.que << ": " << aviso;
        if (c.aviso) {
            EXPECT_NE(aviso.find("idioma.lng: no language holds the text of key " + std::to_string(c.clave)),
                      std::string::npos)
                << aviso;
            EXPECT_EQ(std::count(aviso.begin(), aviso.end(), '\n'), 1) << c.que;
        }
    }
}

TEST(Mensajes, TheRefusalOfAValueThatIsNotFiniteNamesTheQuantity) {
    CarpetaTemporal dir;
    dir.escribir("idioma.lng", "[Idioma]\r\nIdioma=L\r\n[L]\r\n1061=No es finito:   \r\n1033=Niveles de energ\xed" "a\r\n");
    std::ostringstream consola;
    ini::Mensajes m(io::Consola(consola), (dir / "idioma.lng").string());
    m.leer_seccion();
    m.escribir_no_finito(1033);
    EXPECT_EQ(consola.str(), " No es finito:\n        Niveles de energ\xc3\xad" "a\n");
}

TEST(Secciones, ListsTheHeadersByTheEngineRules) {
    CarpetaTemporal dir;
    dir.escribir("i.lng", "x=1\r\n[Idioma]  \r\nIdioma=A\r\n[Espa\xf1ol]\r\n1=a\r\n\r\n[English\r\n [Falsa]\r\n");
    EXPECT_EQ(SECCIONES((dir / "i.lng").string()), (std::vector<std::string>{"Idioma", "Espa\xf1ol", "Englis"}));
}

} // namespace
