#pragma once
// The problem tables of the engines and the reader that fills them from a
// problem file. Indexes are 1-based, as the tables are laid out: zone i,
// column c of ZONA, vertex k of POLI.
#include <array>
#include <string>
#include <string_view>

#include "ini/mensajes.hpp"
#include "io/lectura.hpp"

namespace problema {

constexpr int MAX_ZONAS = 10;
constexpr int MAX_VERTICES = 100;
constexpr int COLUMNAS_ZONA = 15;

enum Tipo { constante = 1, poligonal = 2, vibracion = 3, potencias = 4 };

// Columns of ZONA.
enum Columna { XINI = 1, XFIN = 2 };

struct Problema {
    std::string TITULO = std::string(80, ' ');
    double MASA = 0.0;
    int NBASE = 0;
    int NZONAS = 0;
    int NPUNTOS = 0;
    // Box length and left wall, computed once the zones are read.
    double LONGITUD = 0.0;
    double XIZQ = 0.0;

    int& ITIPO(int i) { return itipo_[i - 1]; }
    int ITIPO(int i) const { return itipo_[i - 1]; }
    int& NPOL(int i) { return npol_[i - 1]; }
    int NPOL(int i) const { return npol_[i - 1]; }
    double& ZONA(int i, int c) { return zona_[i - 1][c - 1]; }
    double ZONA(int i, int c) const { return zona_[i - 1][c - 1]; }
    // c = 1: abscissa, c = 2: potential.
    double& POLI(int i, int k, int c) { return poli_[i - 1][k - 1][c - 1]; }
    double POLI(int i, int k, int c) const { return poli_[i - 1][k - 1][c - 1]; }

    // LONGITUD = XFIN of the last zone - XINI of zone 1; XIZQ = XINI of zone 1.
    void calcular_caja() {
        LONGITUD = ZONA(NZONAS, XFIN) - ZONA(1, XINI);
        XIZQ = ZONA(1, XINI);
    }

private:
    std::array<int, MAX_ZONAS> itipo_{};
    std::array<int, MAX_ZONAS> npol_{};
    std::array<std::array<double, COLUMNAS_ZONA>, MAX_ZONAS> zona_{};
    std::array<std::array<std::array<double, 2>, MAX_VERTICES>, MAX_ZONAS> poli_{};
};

// Reads the next line of the source as an 80-column record and returns the
// text after its first "=" up to its last non-blank character, blank-padded
// to 80 (80 blanks for a line without "="). The record is left in `LINEA`.
std::string LEEDATO(io::Fuente& f, std::string& LINEA, std::string_view que_se_esperaba = "a line");
// LEEDATO of a line that holds a number: a line with anything but blanks
// after column 80 is an input-layer error, as its value read from the first
// 80 columns would be another number than the one written.
std::string LEEDATO_VALOR(io::Fuente& f, std::string& LINEA, std::string_view que);

// Message keys of the refusals we add to the engines' own checks.
namespace claves {
constexpr int pocas_zonas = 1041;
constexpr int base_vacia = 1042;
constexpr int pocos_puntos = 1043;
constexpr int vertices_fuera = 1044;
constexpr int tipo_desconocido = 1045;
constexpr int vertices_desordenados = 1046;
constexpr int masa_no_positiva = 1049;
constexpr int zona_vacia = 1050;
constexpr int cero_en_zona_singular = 1060;
} // namespace claves

// What differs between the engines when they read a problem.
struct Reglas {
    int clave_muchas_zonas;
    int clave_par_1, clave_par_2;  // the notice of an even point count
    bool sube_par;                 // an even count is raised by one
    int clave_no_tocan;
    int estado_parada;             // exit status of every stop
    bool comprueba_masa;
    bool muestrea_npuntos;         // the sampler takes NPUNTOS points per zone
};
Reglas reglas_calculos();
Reglas reglas_funciones();

// Reads and checks a problem. A refused problem writes its message and
// throws io::Parada with the rules' status before anything is allocated;
// errors of the file itself are io::ErrorFichero, and so is a box whose
// length overflows a double. LONGITUD and XIZQ are set.
Problema leer_problema(io::Fuente& f, ini::Mensajes& m, const Reglas& r);

} // namespace problema
