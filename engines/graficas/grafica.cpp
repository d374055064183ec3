#include "graficas/grafica.hpp"

#include <cmath>
#include <filesystem>
#include <iostream>

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
    auto valor = [&](std::string_view que) { return problema::LEEDATO(f, LINEA, que); };
    Dib d;
    d.PUNTOS_DIBUJO = io::entero_de(f, valor("the points per zone"), "the points per zone");
    d.ESCALA = io::real_de(f, valor("the scale factor"), "the scale factor");
    for (int k = 0; k < niveles; ++k) d.niveles.push_back(io::entero_de(f, valor("a level number"), "a level number"));
    return d;
}

void leer_datosdib(const std::string& nombre, std::vector<double>& ENER, problema::Matriz& VECT) {
    io::Fuente f = io::Fuente::abrir(nombre);
    const int n = VECT.orden();
    auto valor = [&](std::string_view que) { return io::real_de(f, f.leer_linea(que), que); };
    for (int j = 1; j <= n; ++j) {
        ENER[static_cast<size_t>(j - 1)] = valor("an energy");
        for (int i = 1; i <= n; ++i) VECT(j, i) = valor("an eigenvector component");
    }
}

namespace {

// A DatosDIB too small for the N·(N + 1) records of a large basis is
// refused before their arrays are created, however large N is: every record
// takes at least one character and a line end (the last one may lack it).
// A small basis is read as it stands; the reading tells where the file ends.
void comprobar_datosdib(const std::string& nombre, int N) {
    const long long registros = static_cast<long long>(N) * (N + 1);
    if (registros <= (1LL << 20)) return;
    const io::Fuente abierto = io::Fuente::abrir(nombre);  // the diagnostic of a missing file
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(io::resolver(nombre), ec);
    if (ec) return;  // not a regular file: the reading itself tells
    if (static_cast<long long>((bytes + 1) / 2) >= registros) return;
    throw io::ErrorFichero(nombre, 0,
                           "the file is too short for the problem: its " + std::to_string(bytes) +
                               " bytes cannot hold the " + std::to_string(registros) +
                               " values (the energy and the eigenvector of each of " + std::to_string(N) +
                               " states) that it needs");
}

Datos leer_datos(std::istream& entrada, const std::optional<std::string>& nombre, int niveles_dib, ini::Mensajes& m) {
    Datos d;
    {
        io::Fuente f = nombre ? io::Fuente::abrir(*nombre) : io::Fuente::flujo(entrada, "standard input");
        m.leer_seccion();
        d.p = problema::leer_problema(f, m, problema::reglas_funciones());
    }
    d.dib = leer_dib("DIB", niveles_dib);
    comprobar_datosdib("DatosDIB", d.p.NBASE);
    try {
        d.VECT = problema::Matriz(d.p.NBASE);
        d.ENER = problema::reservar(d.p.NBASE);
    } catch (io::SinMemoria& e) {
        e.detalle = nombre.value_or("standard input") + ": the eigen data of a basis of " +
                    std::to_string(d.p.NBASE) + " functions need more memory than this machine has";
        throw;
    }
    leer_datosdib("DatosDIB", d.ENER, d.VECT);
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
    } catch (const io::Parada& p) {
        return p.estado;
    } catch (const io::SinMemoria& e) {
        m.consola().escribir(" INSUFFICIENT MEMORY");
        if (!e.detalle.empty()) errores << programa << ": " << e.detalle << '\n';
    } catch (const io::ErrorFichero& e) {
        errores << programa << ": " << e.what() << '\n';
        return io::ErrorFichero::estado;
    }
    return 0;
}

void parar(ini::Mensajes& m, int clave) {
    if (clave != 0) m.escribir(clave);
    throw io::Parada{0};
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

void Grafica::curva(const std::vector<Punto>& puntos, Estilo e) {
    registro(I(5, static_cast<long long>(puntos.size())), blancos(2), codigos(e));
    for (const Punto& q : puntos) punto(q.x, q.y);
}

void Grafica::punto(double x, double y) { registro(F(20, 7, x), blancos(2), F(20, 7, y)); }

Muestras cabecera_y_potencial(Grafica& g, const Datos& d, ini::Mensajes& m, int comentario) {
    const int P = d.dib.PUNTOS_DIBUJO;
    Muestras s{problema::reservar(P, d.p.NZONAS), problema::reservar(P, d.p.NZONAS)};
    g.registro(m.texto(comentario));
    g.registro("x");
    g.registro("V(x)");
    g.registro(m.texto(claves::leyenda_potencial));
    g.registro(F(7, 3, d.p.XIZQ + factor_potencial * d.p.LONGITUD), "  1.0");
    try {
        problema::GENDAT(d.p, s.X, s.V, P, m, 0);
    } catch (const io::Parada&) {
        g.confirmar();
        throw;
    }
    std::vector<Punto> potencial;
    potencial.reserve(s.X.size());
    for (size_t k = 0; k < s.X.size(); ++k) potencial.push_back({s.X[k], s.V[k]});
    g.curva(potencial, estilo_potencial);
    return s;
}

std::vector<Punto> sin_repetidos(const std::vector<double>& X, const std::function<double(double)>& y) {
    std::vector<Punto> r;
    for (size_t k = 0; k < X.size(); ++k)
        if (k == 0 || std::fabs(X[k] - X[k - 1]) > umbral_repetido) r.push_back({X[k], y(X[k])});
    return r;
}

std::string leyenda_de_nivel(const ini::Mensajes& m, io::Campo numero, double E) {
    return io::linea(m.texto(claves::leyenda_nivel), numero, ":", blancos(2), F(20, 7, E));
}

void linea_de_nivel(Grafica& g, const std::string& leyenda, double E, const Muestras& s, Punto lugar) {
    const double x1 = s.X.front(), x2 = s.X.back();
    g.registro(leyenda);
    g.registro(F(7, 3, lugar.x), blancos(2), F(7, 3, lugar.y));
    g.registro("2", blancos(2), codigos(estilo_nivel));
    g.punto(x1, E);
    g.punto(x2, E);
}

void terminar(Grafica& g, const ini::Mensajes& m) {
    g.registro(m.texto(claves::fin));
    g.confirmar();
}

void dibujar_estado(const Datos& d, ini::Mensajes& m, const std::string& fichero, int comentario, int leyenda,
                    int nivel, io::Campo numero, const std::function<double(double)>& y) {
    const double L = d.p.LONGITUD;
    const double E = d.ENER[static_cast<size_t>(nivel - 1)];
    Grafica g(fichero);
    const Muestras s = cabecera_y_potencial(g, d, m, comentario);
    g.registro(m.texto(leyenda));
    g.registro(F(7, 3, d.p.XIZQ + factor_estado * L), blancos(2), F(12, 5, E));
    g.curva(sin_repetidos(s.X, y), estilo_estado);
    linea_de_nivel(g, leyenda_de_nivel(m, numero, E), E, s, {s.X.front() + factor_nivel * L, E});
    terminar(g, m);
}

} // namespace graficas
