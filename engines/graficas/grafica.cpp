#include "graficas/grafica.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <filesystem>
#include <iostream>
#include <new>
#include <stdexcept>

#include "calculos/ejecucion.hpp"
#include "io/errores.hpp"
#include "io/ficheros.hpp"
#include "io/lectura.hpp"
#include "problema/gendat.hpp"

namespace graficas {

using io::blancos;
using io::F;
using io::I;

Dib leer_dib(const std::string& nombre, int niveles) {
    io::Fuente f = io::Fuente::abrir(nombre);
    std::string LINEA;
    auto valor = [&](std::string_view que) { return problema::LEEDATO_VALOR(f, LINEA, que); };
    Dib d;
    d.PUNTOS_DIBUJO = io::entero_de(f, valor("the points per zone"), "the points per zone");
    d.ESCALA = io::real_de(f, valor("the scale factor"), "the scale factor");
    for (int k = 0; k < niveles; ++k) d.niveles.push_back(io::entero_de(f, valor("a level number"), "a level number"));
    return d;
}

bool leer_datosdib(const std::string& nombre, std::vector<double>& ENER, problema::Matriz& VECT) {
    io::Fuente f = io::Fuente::abrir(nombre);
    const long long n = VECT.orden();
    const long long total = n * (n + 1);
    long long leidos = 0;
    int linea_vacia = 0;  // the first empty line after the last value read
    while (const auto l = f.siguiente()) {
        if (l->find_first_not_of(" \t") == std::string::npos) {
            if (linea_vacia == 0) linea_vacia = f.numero_linea();
            continue;
        }
        if (leidos == total) return false;
        // Record k = (j - 1)·(N + 1) + r holds ENER(j) for r = 0, else VECT(j, r).
        const long long j = leidos / (n + 1) + 1, r = leidos % (n + 1);
        const std::string_view que = r == 0 ? "an energy" : "an eigenvector component";
        if (linea_vacia != 0) io::real_de(f.nombre(), linea_vacia, "", que);
        const double v = io::real_de(f, *l, que);
        if (r == 0) ENER[static_cast<size_t>(j - 1)] = v;
        else VECT(static_cast<int>(j), static_cast<int>(r)) = v;
        ++leidos;
    }
    return leidos == total;
}

namespace {

// Whether a DatosDIB can hold the N·(N + 1) records of the basis, told
// before their arrays are created, however large N is: every record takes at
// least one character and a line end (the last one may lack it). A small
// basis is read as it stands; the reading tells how many values it holds.
bool cabe_la_base(const std::string& nombre, int N) {
    const long long registros = static_cast<long long>(N) * (N + 1LL);
    if (registros <= (1LL << 20)) return true;
    const io::Fuente abierto = io::Fuente::abrir(nombre);  // the diagnostic of a missing file
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(io::resolver(nombre), ec);
    if (ec) return true;  // not a regular file: the reading itself tells
    return static_cast<long long>((bytes + 1) / 2) >= registros;
}

Datos leer_datos(std::istream& entrada, const std::optional<std::string>& nombre, int niveles_dib, ini::Mensajes& m) {
    Datos d;
    {
        io::Fuente f = nombre ? io::Fuente::abrir(*nombre) : io::Fuente::flujo(entrada, "standard input");
        m.leer_seccion();
        d.p = problema::leer_problema(f, m, problema::reglas_funciones());
    }
    problema::comprobar_memoria(d.p, problema::necesidad_graficas(d.p), m);
    d.dib = leer_dib("DIB", niveles_dib);
    if (!cabe_la_base("DatosDIB", d.p.NBASE)) parar(m, claves::datos_de_otra_base, -1);
    try {
        d.VECT = problema::Matriz(d.p.NBASE);
        d.ENER = problema::reservar(d.p.NBASE);
    } catch (io::SinMemoria& e) {
        e.detalle = nombre.value_or("standard input") + ": the eigen data of a basis of " +
                    std::to_string(d.p.NBASE) + " functions need more memory than this machine has";
        throw;
    }
    if (!leer_datosdib("DatosDIB", d.ENER, d.VECT)) parar(m, claves::datos_de_otra_base, -1);
    return d;
}

} // namespace

int ejecutar(std::string_view programa, int niveles_dib, const std::vector<std::string>& argumentos,
             std::istream& entrada, std::ostream& consola, std::ostream& errores,
             const std::function<void(const Datos&, ini::Mensajes&)>& dibujar) {
    ini::Mensajes m{io::Consola(consola)};
    try {
        const Datos d = leer_datos(entrada, calculos::fichero_problema(argumentos), niveles_dib, m);
        dibujar(d, m);
    } catch (const io::Parada&) {
        // Every stop of a plotting engine refuses the request, whatever the
        // rules of the problem reader give it: only a complete plot ends with 0.
        return -1;
    } catch (const NoCabe& e) {
        const int clave = e.causa == Causa::escala ? claves::no_cabe_por_escala : claves::no_cabe_por_problema;
        char valor[32];
        std::snprintf(valor, sizeof valor, "%.8G", e.valor);
        m.consola().escribir(io::linea(" ", m.texto(clave), " ", valor));
        return -1;
    } catch (const io::SinMemoria& e) {
        return problema::sin_memoria(m, errores, programa, e.detalle);
    } catch (const std::bad_alloc&) {
        // Memory that ran out outside the work arrays (a line, a table).
        return problema::sin_memoria(m, errores, programa);
    } catch (const std::length_error&) {
        return problema::sin_memoria(m, errores, programa);
    } catch (const io::ErrorFichero& e) {
        errores << programa << ": " << e.what() << '\n';
        return io::ErrorFichero::estado;
    }
    return 0;
}

void parar(ini::Mensajes& m, int clave, int estado) {
    if (clave != 0) m.escribir(clave);
    throw io::Parada{estado};
}

void comprobar_nivel(const Datos& d, ini::Mensajes& m, int nivel) {
    if (nivel < 1) parar(m, claves::nivel_menor_que_uno);
    if (nivel > d.p.NBASE) parar(m, claves::nivel_mayor_que_base);
}

void comprobar_puntos(const Datos& d, ini::Mensajes& m) {
    const long long P = d.dib.PUNTOS_DIBUJO;
    if (P < 1) parar(m, claves::sin_puntos);
    if (P * d.p.NZONAS > MAX_PUNTOS_CURVA) parar(m, claves::demasiados_puntos);
}

double serie(const Datos& d, int nivel, double x) {
    constexpr double pi = 3.141592653589793;
    const double L = d.p.LONGITUD;
    double S = 0.0;
    double xn = 1.0;
    for (int n = 1; n <= d.p.NBASE; ++n, xn += 1.0) S = S + d.VECT(n, nivel) * std::sin(xn * pi * (x - d.p.XIZQ) / L);
    return S;
}

std::string codigos(Estilo e) {
    using std::to_string;
    return io::linea(to_string(e.marcas), blancos(2), to_string(e.tipo), blancos(2), to_string(e.grosor), blancos(2),
                     to_string(e.estilo_trazo), blancos(2), to_string(e.color));
}

io::Campo numero_de_nivel(int nivel) { return io::linea(blancos(1), std::to_string(nivel)); }

namespace {
bool cabe(int w, int d, double v) { return std::isfinite(v) && F(w, d, v).s.find_first_not_of('*') != std::string::npos; }
} // namespace

io::Campo campo(int w, int d, double v, Causa c) {
    if (!cabe(w, d, v)) throw NoCabe{v, c};
    return F(w, d, v);
}

Vista vista_de(std::initializer_list<const std::vector<Punto>*> curvas) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    Vista v{inf, -inf, inf, -inf};
    for (const auto* c : curvas)
        for (const Punto& q : *c) {
            v.xmin = std::min(v.xmin, q.x);
            v.xmax = std::max(v.xmax, q.x);
            v.ymin = std::min(v.ymin, q.y);
            v.ymax = std::max(v.ymax, q.y);
        }
    return v;
}

Caja caja_de_leyenda(Punto lugar, std::string_view texto, const Vista& v) {
    const double ancho = static_cast<double>(texto.size()) * ancho_caracter * v.ancho();
    return {lugar.x, lugar.x + ancho, lugar.y - alto_leyenda * v.alto(), lugar.y};
}

bool se_cubren(const Caja& a, const Caja& b) {
    return a.izquierda < b.derecha && b.izquierda < a.derecha && a.abajo < b.arriba && b.abajo < a.arriba;
}

namespace {
std::string registro_de_punto(double x, double y, Causa causa) {
    return io::linea(blancos(2), campo(formato_punto, x, Causa::problema), blancos(2), campo(formato_punto, y, causa));
}
} // namespace

std::vector<std::string> registros_de_curva(const std::vector<Punto>& puntos, Estilo e, Causa causa) {
    std::vector<std::string> r;
    r.reserve(puntos.size() + 1);
    r.push_back(io::linea(blancos(2), I(5, static_cast<long long>(puntos.size())), blancos(2), codigos(e)));
    for (const Punto& q : puntos) r.push_back(registro_de_punto(q.x, q.y, causa));
    return r;
}

Punto lugar_leyenda_potencial(const problema::Problema& p) { return {p.XIZQ + factor_potencial * p.LONGITUD, 1.0}; }

Muestras cabecera_y_potencial(Grafica& g, const Datos& d, ini::Mensajes& m, int comentario) {
    const int P = d.dib.PUNTOS_DIBUJO;
    Muestras s{problema::reservar(P, d.p.NZONAS), problema::reservar(P, d.p.NZONAS)};
    g.registro(m.texto(comentario));
    g.registro("x");
    g.registro("V(x)");
    g.registro(m.texto(claves::leyenda_potencial));
    g.registro(campo(formato_lugar, lugar_leyenda_potencial(d.p).x, Causa::problema), "  1.0");
    // A sampling that stops refuses the request: no plot file without its curves.
    problema::GENDAT(d.p, s.X, s.V, P, m, -1);
    g.curva(s.potencial(), estilo_potencial);
    return s;
}

std::vector<Punto> Muestras::potencial() const {
    std::vector<Punto> r;
    r.reserve(X.size());
    for (size_t k = 0; k < X.size(); ++k) r.push_back({X[k], V[k]});
    return r;
}

std::vector<Punto> sin_repetidos(const std::vector<double>& X, const std::function<double(double)>& y) {
    std::vector<Punto> r;
    for (size_t k = 0; k < X.size(); ++k)
        if (k == 0 || std::fabs(X[k] - X[k - 1]) > umbral_repetido) r.push_back({X[k], y(X[k])});
    return r;
}

std::string leyenda_de_nivel(const ini::Mensajes& m, io::Campo numero, double E) {
    return io::linea(m.texto(claves::leyenda_nivel), numero, ":", blancos(2), campo(formato_punto, E, Causa::problema));
}

std::vector<std::string> linea_de_nivel(const std::string& leyenda, double E, const Muestras& s, Punto lugar,
                                        Formato formato, Causa causa_lugar) {
    return {io::linea(blancos(2), leyenda),
            io::linea(blancos(2), campo(formato, lugar.x, Causa::problema), blancos(2),
                      campo(formato, lugar.y, causa_lugar)),
            io::linea(blancos(2), "2", blancos(2), codigos(estilo_nivel)),
            registro_de_punto(s.X.front(), E, Causa::problema), registro_de_punto(s.X.back(), E, Causa::problema)};
}

void terminar(Grafica& g, const ini::Mensajes& m) {
    g.registro(m.texto(claves::fin));
    g.confirmar();
}

LugaresDeEstado lugares_de_estado(double E, double x_nivel, double x_curva, const Vista& v) {
    // One unit of the F7.3 place of the level's legend.
    constexpr double margen = 0.001;
    const double h = alto_leyenda * v.alto();
    const double nivel = std::max(E, v.ymin + h + margen);
    const double encima = nivel + h + margen;
    return {{x_nivel, nivel}, {x_curva, encima <= v.ymax ? encima : nivel - h - margen}};
}

void dibujar_estado(const Datos& d, ini::Mensajes& m, const std::string& fichero, int comentario, int leyenda,
                    int nivel, io::Campo numero, const std::function<double(double)>& y) {
    const double L = d.p.LONGITUD;
    const double E = d.ENER[static_cast<size_t>(nivel - 1)];
    Grafica g(fichero);
    const Muestras s = cabecera_y_potencial(g, d, m, comentario);
    // The values of the problem are checked before the state's, which the
    // scale factor sets, so that a value that does not fit is told as the
    // problem's or the scale's.
    const std::string leyenda_nivel = leyenda_de_nivel(m, numero, E);
    const std::vector<Punto> estado = sin_repetidos(s.X, y);
    const std::vector<std::string> estado_registros = registros_de_curva(estado, estilo_estado, Causa::escala);
    const std::vector<Punto> potencial = s.potencial(), recta{{s.X.front(), E}, {s.X.back(), E}};
    const double x_nivel = s.X.front() + factor_nivel * L, x_curva = d.p.XIZQ + factor_estado * L;
    const LugaresDeEstado l = lugares_de_estado(E, x_nivel, x_curva, vista_de({&potencial, &estado, &recta}));
    // A place beyond its field only because the state's curve widens the
    // view is the scale factor's.
    const LugaresDeEstado sin_curva = lugares_de_estado(E, x_nivel, x_curva, vista_de({&potencial, &recta}));
    const Causa causa = cabe(12, 5, sin_curva.curva.y) && cabe(formato_lugar.w, formato_lugar.d, sin_curva.nivel.y)
                            ? Causa::escala
                            : Causa::problema;
    const std::vector<std::string> nivel_registros =
        linea_de_nivel(leyenda_nivel, E, s, l.nivel, formato_lugar, causa);
    g.registro(m.texto(leyenda));
    g.registro(campo(formato_lugar, l.curva.x, Causa::problema), blancos(2), campo(12, 5, l.curva.y, causa));
    g.registros(estado_registros);
    g.registros(nivel_registros);
    terminar(g, m);
}

} // namespace graficas
