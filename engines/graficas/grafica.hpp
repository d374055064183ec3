#pragma once
// What the three plotting engines (funciones, niveles, probs) share: the run
// from the command line to the exit status, the readers of the plot
// parameters "DIB" and of the eigen data "DatosDIB", the sine series of a
// state, and the writer of plot files with the curves they have in common.
//
// A plot file: three header lines (comment, x label, y label), then curves,
// each a legend line, a line with the legend's place, a line with the point
// count and the style codes, and one line per point; a legend "FIN" ends it.
// Every record begins with two blanks and the fields of a line stand two
// blanks apart, so that the graph window's token reader takes them apart.
#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "ini/mensajes.hpp"
#include "io/registro.hpp"
#include "io/salida.hpp"
#include "problema/memoria.hpp"
#include "problema/problema.hpp"

namespace graficas {

// Message and text keys of the plotting engines.
namespace claves {
constexpr int nivel_mayor_que_base = 1047;
constexpr int demasiados_puntos = 1048;
constexpr int comentario_niveles = 1051;
constexpr int comentario_probs = 1052;
constexpr int leyenda_densidad = 1053;
constexpr int niveles_invertidos = 1054;
constexpr int nivel_menor_que_uno = 1055;
constexpr int demasiados_niveles = 1056;
constexpr int sin_puntos = 1057;
constexpr int datos_de_otra_base = 1064;
constexpr int no_cabe_por_escala = 1065;
constexpr int no_cabe_por_problema = 1066;
constexpr int comentario_funcion = 1102;
constexpr int leyenda_potencial = 1103;
constexpr int leyenda_onda = 1104;
constexpr int leyenda_nivel = 1105;
constexpr int fin = 1106;
} // namespace claves

// The graph window holds point counts in 16 bits and at most 20 curves.
constexpr long long MAX_PUNTOS_CURVA = 32767;
constexpr int MAX_CURVAS = 20;

// The plot parameters of "DIB": the points per zone, the scale of the drawn
// state, then the level numbers of the layout (one or two).
struct Dib {
    int PUNTOS_DIBUJO = 0;
    double ESCALA = 0.0;
    std::vector<int> niveles;
};

// Reads `nombre` (matched ignoring case): three lines for one level, four
// for two. Each value is the text after the first "=", read in free form;
// a line with more than blanks after column 80 is an input-layer error.
Dib leer_dib(const std::string& nombre, int niveles);

// Reads ENER(j), then VECT(j, i) for i = 1 to N, for j = 1 to N: one value a
// record, read in free form. Returns false when the file holds fewer or more
// than those N·(N + 1) values, that is eigen data of another basis; empty
// lines after the last value are no values. A value that is not a number,
// or an empty line before the last value, is an input-layer error.
bool leer_datosdib(const std::string& nombre, std::vector<double>& ENER, problema::Matriz& VECT);

// Everything a plotting engine has read before it draws.
struct Datos {
    problema::Problema p;
    Dib dib;
    std::vector<double> ENER;
    problema::Matriz VECT;
};

// The run of a plotting engine in the current folder: the problem file named
// by the arguments (as calculos names it) read with the rules of funciones,
// "DIB" with `niveles_dib` level numbers, "DatosDIB", then `dibujar`.
// Returns the exit status: 0 after a complete plot file; -1 after every
// refusal, each told on the console: a stop of the problem reader, a level
// or point count the plot cannot have, a stop of the sampler on a negative
// power next to x = 0 (key 1109), eigen data of another basis (key
// 1064), a value that does not fit its field of the plot file (keys 1065 and
// 1066), a problem that needs more memory than the machine has (keys 1067 to
// 1070, before anything is allocated) or memory that runs out; 2 after an
// error of the input and output layer (a name too long, a file that cannot
// be read, a plot file that cannot be written or that the user made
// read-only), whose diagnostic goes to `errores` after the program's name.
int ejecutar(std::string_view programa, int niveles_dib, const std::vector<std::string>& argumentos,
             std::istream& entrada, std::ostream& consola, std::ostream& errores,
             const std::function<void(const Datos&, ini::Mensajes&)>& dibujar);

// A stop of a plotting engine: the message of `clave` (none when 0), then
// the end of the run with `estado`.
[[noreturn]] void parar(ini::Mensajes& m, int clave = 0, int estado = -1);

// Refuses a level outside 1 to N (keys 1055 and 1047).
void comprobar_nivel(const Datos& d, ini::Mensajes& m, int nivel);
// Refuses fewer than 1 point per zone (key 1057) and plots of more than
// 32767 points (key 1048).
void comprobar_puntos(const Datos& d, ini::Mensajes& m);

// S(x) = sum over n = 1..N of VECT(n, nivel) · sin(n·π·(x − XIZQ)/L).
double serie(const Datos& d, int nivel, double x);

struct Punto {
    double x, y;
};

// Where a value of the plot file comes from, which tells the user what to
// change when it does not fit its field: the problem and the level chosen
// (key 1066), or the scale factor of the drawn state (key 1065).
enum class Causa { problema, escala };

// A value that its field of the plot file cannot hold (or that is not a
// finite number): the request is refused, since the graph window would read
// the asterisks as a 0.
struct NoCabe {
    double valor;
    Causa causa;
};

// Fw.d of v, or NoCabe.
io::Campo campo(int w, int d, double v, Causa c);
// The width and decimals of a number of the plot file.
struct Formato {
    int w, d;
};
inline io::Campo campo(Formato f, double v, Causa c) { return campo(f.w, f.d, v, c); }
constexpr Formato formato_punto{20, 7};
// A legend place as funciones writes it.
constexpr Formato formato_lugar{7, 3};

// The view the graph window opens on (the bounds of every point it draws),
// and the boxes of legends in it, in plot units (y grows upward).
struct Vista {
    double xmin, xmax, ymin, ymax;
    double ancho() const { return xmax - xmin; }
    double alto() const { return ymax - ymin; }
};
struct Caja {
    double izquierda, derecha, abajo, arriba;
};
// The bounds of the points of some curves.
Vista vista_de(std::initializer_list<const std::vector<Punto>*> curvas);

// The size of a legend label, as fractions of the view: its height, and the
// width of one character of its text. The graph window's label fits in that
// box on every screen the window fits (its plot area is at least 0.64 of
// the screen height and 0.56 of its width).
constexpr double alto_leyenda = 0.05;
constexpr double ancho_caracter = 0.01;

// The box of a legend whose top left corner stands at `lugar`: its text's
// length times the width of a character, by a legend's height.
Caja caja_de_leyenda(Punto lugar, std::string_view texto, const Vista& v);
// Whether two boxes share some area (boxes that only touch do not).
bool se_cubren(const Caja& a, const Caja& b);

// The style codes of a curve: markers, kind (1 polyline), width, line style,
// colour index.
struct Estilo {
    int marcas, tipo, grosor, estilo_trazo, color;
};
constexpr Estilo estilo_potencial{0, 1, 3, 0, 9};
constexpr Estilo estilo_estado{0, 1, 2, 0, 12};
constexpr Estilo estilo_nivel{0, 1, 1, 0, 0};

// The legend places, from the box's left end, as fractions of the box length
// taken at single precision.
constexpr double factor_potencial = static_cast<double>(0.8f);
constexpr double factor_estado = static_cast<double>(0.05f);
constexpr double factor_nivel = static_cast<double>(0.01f);

// Two abscissae closer than this are one point of a drawn state.
constexpr double umbral_repetido = 1e-8;

// The records of a curve after its legend's: its count (as I5) and style
// codes, then one record per point, x and y as F20.7 two blanks apart (the
// y values come from `causa`).
std::vector<std::string> registros_de_curva(const std::vector<Punto>& puntos, Estilo e, Causa causa);

// A plot file being written: records go to a temporary name and the file
// takes its place on `confirmar`.
class Grafica {
public:
    explicit Grafica(const std::string& nombre) : f_(nombre) {}

    // One record: two blanks, then the fields.
    template <class... C>
    void registro(const C&... campos) {
        f_.escribir(io::linea(io::blancos(2), campos...));
    }
    // The count record (count as I5) and the points of a curve.
    void curva(const std::vector<Punto>& puntos, Estilo e, Causa causa = Causa::problema) {
        registros(registros_de_curva(puntos, e, causa));
    }
    // Records built beforehand, each beginning with its two blanks.
    void registros(const std::vector<std::string>& r) {
        for (const std::string& x : r) f_.escribir(x);
    }
    void confirmar() { f_.confirmar(); }

private:
    io::FicheroSalida f_;
};

// "m  t  g  s  c": the style codes two blanks apart.
std::string codigos(Estilo e);

// The potential sampled by the engines' sampler: P points per zone.
struct Muestras {
    std::vector<double> X, V;
    // The points of the potential curve: every sample, in order.
    std::vector<Punto> potencial() const;
};

// The place of the potential's legend: XIZQ + 0.8·L, 1.0.
Punto lugar_leyenda_potencial(const problema::Problema& p);

// Opens the plot file and writes its header (the comment of key `comentario`,
// "x", "V(x)") and the potential curve: legend, place, then the sampling,
// then count and points. When the sampler stops the run (key 1109), the run
// ends with -1 and the plot file is not written.
Muestras cabecera_y_potencial(Grafica& g, const Datos& d, ini::Mensajes& m, int comentario);

// The points of a drawn state at the samples: the first point and every one
// more than 1e-8 from the one before, so that a repeated zone boundary is
// written once.
std::vector<Punto> sin_repetidos(const std::vector<double>& X, const std::function<double(double)>& y);

// A level number after one blank (I2 for levels below 10), whatever its digits.
io::Campo numero_de_nivel(int nivel);

// The legend of a level line: the text of key 1105, the number, ":", two
// blanks, the energy as F20.7.
std::string leyenda_de_nivel(const ini::Mensajes& m, io::Campo numero, double E);

// The records of a level line across the box at energy E with its legend:
// the legend, its place (x and y in `formato`), count and style, the two end
// points. Built before they are written, so that a value that does not fit
// is found before the values that depend on it.
std::vector<std::string> linea_de_nivel(const std::string& leyenda, double E, const Muestras& s, Punto lugar,
                                        Formato formato, Causa causa_lugar = Causa::problema);

// The end legend (key 1106), then the file takes its place.
void terminar(Grafica& g, const ini::Mensajes& m);

// The places of the two legends of a state's plot in the view `v`: the
// level's at `x_nivel`, on its line at E (its top edge there), lifted where
// it would fall below the view; the curve's at `x_curva`, one legend height
// above the level's, or under it where above would leave the view. Both
// stand one unit of the level's F7.3 place further off each other and off
// the bottom, so that the rounding of the places written never brings them
// together or out of the view.
struct LugaresDeEstado {
    Punto nivel, curva;
};
LugaresDeEstado lugares_de_estado(double E, double x_nivel, double x_curva, const Vista& v);

// The plot of one state around its energy, as funciones and probs draw it:
// header, potential, the state's curve y(x) with the legend of key `leyenda`,
// the level line with `numero` in its legend, the end. `y` maps x to the
// drawn value, which the scale factor sets. The legends: the level's at
// XIZQ + 0.01·L and the curve's at XIZQ + 0.05·L, as `lugares_de_estado`
// places them.
void dibujar_estado(const Datos& d, ini::Mensajes& m, const std::string& fichero, int comentario, int leyenda,
                    int nivel, io::Campo numero, const std::function<double(double)>& y);

} // namespace graficas
