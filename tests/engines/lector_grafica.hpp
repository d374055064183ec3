#pragma once
// A reader of plot files that follows the graph window's reading rules, so
// that the tests see what the window will see; and the input files of the
// plotting engines (language file, dib, DatosDIB) written for the tests.
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fixtures/carpeta.hpp"
#include "fixtures/problemas.hpp"

namespace prueba {

struct PuntoLeido {
    double x, y;
};

struct CurvaLeida {
    std::string leyenda;
    double leyenda_x = 0, leyenda_y = 0;
    int npuntos = 0, marcas = 0, tipo = 0;
    std::optional<int> parametro;  // only for tipo above 3
    int grosor = 0, estilo_trazo = 0;
    long color = 0;
    std::vector<PuntoLeido> puntos;  // every point of the file, not thinned
};

struct GraficaLeida {
    std::string comentario, etiqueta_x, etiqueta_y;
    std::vector<CurvaLeida> curvas;
};

// Where the window would give up on the file (its failure path).
struct FalloLectura : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads the bytes of a plot file:
// - the header texts and the legends are delimited fields: leading blanks
//   dropped, ended by a comma or the line end, or quoted; trailing blanks
//   are dropped here;
// - every number is one token: the characters after at least one blank up
//   to the next blank or CR (which skips the LF after it); a first character
//   that is not a blank is lost; the token's value is its longest leading
//   numeric part (0 when there is none);
// - a legend "FIN" in any case, or the end of the file where a legend is
//   due, ends the file; a 21st curve, a count below 1, a value outside its
//   16-bit field or a read past the end is a failure.
GraficaLeida leer_grafica(const std::string& bytes);

// The view the graph window opens on a file: the bounds of every point.
struct VistaLeida {
    double xmin, xmax, ymin, ymax;
};
VistaLeida vista(const GraficaLeida& g);

// The box of the legend of curve i in that view, as the plotting programs
// size a legend label: its top left corner at the legend's place, 1/100 of
// the view's width per character of its text, 1/20 of the view's height.
struct CajaLeida {
    double izquierda, derecha, abajo, arriba;
};
CajaLeida caja_de_leyenda(const GraficaLeida& g, size_t i);

// What is wrong with the places of the legends: one line for each pair of
// the curves `apartes` whose legends cover each other (boxes that only touch
// do not) and for each legend of the curves `dentro` that stands out of the
// view; empty when none.
std::string leyendas_mal_puestas(const GraficaLeida& g, const std::vector<size_t>& apartes,
                                 const std::vector<size_t>& dentro);
// The curves from `desde` to the last.
std::vector<size_t> curvas_desde(const GraficaLeida& g, size_t desde);

// The token reader on its own, for its tests: the tokens of `bytes` until the
// end (a read past the end ends the list).
std::vector<std::string> tokens(const std::string& bytes);

// The test language file of the engines ("M<key>" texts) with the texts of
// the plotting engines; key 1106 reads "Fin" followed by blanks.
std::string idioma_graficas();

// A plot-parameter file as the graph-data dialog writes it: points per zone,
// scale factor, then one or two level numbers, each "label = value".
std::string texto_dib(const std::string& puntos, const std::string& escala, const std::vector<std::string>& niveles);

// Eigen data: for each j, ENER(j), then VECT(j, 1..N), one value a line with
// a leading blank and 17 significant digits. `vect` is given by columns:
// vect[k] holds the coefficients of state k + 1.
std::string texto_datosdib(const std::vector<double>& ener, const std::vector<std::vector<double>>& vect);

// The identity eigenvectors of a basis of n, by columns.
std::vector<std::vector<double>> identidad(int n);

// Writes the inputs of a plotting engine into `dir`: the problem "p.dat",
// "dib" and "DatosDIB".
void preparar(const CarpetaTemporal& dir, const ProblemaPrueba& p, const std::string& puntos,
              const std::string& escala, const std::vector<std::string>& niveles, const std::vector<double>& ener,
              const std::vector<std::vector<double>>& vect);

// A point record of a plot file from the texts of x and y: two blanks, x as
// F20.7, two blanks, y as F20.7.
std::string punto(const std::string& x, const std::string& y);

// Two constant zones [0, 1] (V = 0) and [1, 2] (V = 1) and a basis of n.
ProblemaPrueba dos_zonas(int nbase);
// The records of a plot file of `dos_zonas` at 3 points per zone: the
// comment, "x", "V(x)" and the potential curve of key 1103, then `resto`.
std::vector<std::string> grafica_dos_zonas(const std::string& comentario, const std::vector<std::string>& resto);

} // namespace prueba
