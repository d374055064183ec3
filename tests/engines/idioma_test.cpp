// The language file shipped with the program: every language section holds
// every key the system reads, within the limits of the places that show it.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "ini/ini.hpp"
#include "io/ficheros.hpp"
#include "io/lectura.hpp"
#include "io/registro.hpp"

namespace {

const std::string fichero = std::string(DATA_DIR) + "/idioma.lng";

std::vector<int> claves_del_sistema() {
    std::vector<int> k;
    auto rango = [&](int a, int b) {
        for (int i = a; i <= b; ++i) k.push_back(i);
    };
    rango(1, 13), rango(18, 29), rango(40, 42), rango(44, 64), rango(67, 68), rango(70, 75), rango(80, 82);
    rango(90, 108), rango(111, 113), rango(120, 123), rango(126, 126), rango(130, 134), rango(140, 171);
    rango(180, 186), rango(190, 205), rango(1000, 1057), rango(1060, 1070), rango(1100, 1109);
    return k;
}

// The language sections: every header after the first.
std::vector<std::string> secciones() {
    std::vector<std::string> s;
    auto f = io::Fuente::abrir(fichero);
    bool primera = true;
    while (auto l = f.siguiente()) {
        if (l->empty() || (*l)[0] != '[') continue;
        if (!primera) s.push_back(l->substr(1, l->size() - 2));
        primera = false;
    }
    return s;
}

TEST(IdiomaLng, TheSettingsSectionNamesALanguageOfAtMostTenCharacters) {
    const std::string actual = io::sin_blancos_finales(ini::LEERVALOR(fichero, "Idioma", "Idioma"));
    EXPECT_LE(actual.size(), 10u);
    const auto s = secciones();
    EXPECT_NE(std::find(s.begin(), s.end(), actual), s.end());
    EXPECT_GE(s.size(), 2u);
}

TEST(IdiomaLng, EveryLanguageHoldsEveryKeyWithinItsLimits) {
    const std::set<int> sin_igual = {46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63,
                                     155, 156, 166, 167, 168, 169};
    for (const auto& seccion : secciones()) {
        EXPECT_LE(seccion.size(), 10u) << seccion;
        for (int k : claves_del_sistema()) {
            const std::string t = io::sin_blancos_finales(ini::LEERVALOR(fichero, seccion, std::to_string(k)));
            EXPECT_FALSE(t.empty()) << seccion << " lacks key " << k;
            if (sin_igual.count(k)) {
                EXPECT_EQ(t.find('='), std::string::npos) << seccion << " " << k;
            }
            if (k >= 1102 && k <= 1105) {
                EXPECT_EQ(t.find_first_of(",\""), std::string::npos) << seccion << " " << k;
            }
            if (k >= 1000) {
                EXPECT_LE(t.size(), 95u) << seccion << " " << k;
            }
        }
        EXPECT_EQ(io::sin_blancos_finales(ini::LEERVALOR(fichero, seccion, "1106")), "FIN") << seccion;
        EXPECT_LE(io::sin_blancos_finales(ini::LEERVALOR(fichero, seccion, "1016")).size(), 8u) << seccion;
    }
}

} // namespace
