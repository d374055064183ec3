#include "problema/problema.hpp"

#include <cmath>
#include <cstdio>

#include "io/errores.hpp"

namespace problema {

namespace {

// LEEDATO of a line already read into LINEA.
std::string valor_de_linea(std::string& LINEA) {
    LINEA.resize(80, ' ');
    size_t fin = 80;
    while (fin > 0 && LINEA[fin - 1] == ' ') --fin;
    const size_t igual = LINEA.find('=');
    std::string valor;
    if (igual != std::string::npos && igual < fin) valor = LINEA.substr(igual + 1, fin - igual - 1);
    valor.resize(80, ' ');
    return valor;
}

} // namespace

std::string LEEDATO(io::Fuente& f, std::string& LINEA, std::string_view que_se_esperaba) {
    LINEA = f.leer_linea(que_se_esperaba);
    return valor_de_linea(LINEA);
}

std::string LEEDATO_VALOR(io::Fuente& f, std::string& LINEA, std::string_view que) {
    LINEA = f.leer_linea(que);
    if (LINEA.size() > 80 && LINEA.find_first_not_of(' ', 80) != std::string::npos)
        f.error("the line of " + std::string(que) +
                " is longer than 80 characters: its value must end by column 80, the last one read");
    return valor_de_linea(LINEA);
}

Reglas reglas_calculos() { return {1002, 1000, 1001, true, 1003, -1, true, true}; }
Reglas reglas_funciones() { return {1107, 1100, 1101, false, 1108, 0, false, false}; }

namespace {

struct Lector {
    io::Fuente& f;
    ini::Mensajes& m;
    const Reglas& r;
    std::string LINEA;

    std::string dato(std::string_view que) { return LEEDATO(f, LINEA, que); }
    std::string valor(std::string_view que) { return LEEDATO_VALOR(f, LINEA, que); }
    double real(std::string_view que) { return io::real_de(f, valor(que), que); }
    int entero(std::string_view que) { return io::entero_de(f, valor(que), que); }

    [[noreturn]] void parar(int clave) {
        m.escribir(clave);
        throw io::Parada{r.estado_parada};
    }
};

} // namespace

Problema leer_problema(io::Fuente& f, ini::Mensajes& m, const Reglas& r) {
    Lector l{f, m, r, {}};
    Problema p;

    l.dato("the header line");
    p.TITULO = l.dato("the title");
    p.MASA = l.real("the mass");
    p.NBASE = l.entero("the number of basis functions");
    p.NZONAS = l.entero("the number of zones");
    if (p.NZONAS > MAX_ZONAS) l.parar(r.clave_muchas_zonas);
    if (p.NZONAS < 1) l.parar(claves::pocas_zonas);
    if (p.NBASE < 1) l.parar(claves::base_vacia);
    if (r.comprueba_masa && !(p.MASA > 0.0)) l.parar(claves::masa_no_positiva);

    p.NPUNTOS = l.entero("the number of integration points");
    if (p.NPUNTOS % 2 == 0) {
        m.escribir(r.clave_par_1, ini::Disposicion::un_blanco);
        m.escribir(r.clave_par_2, ini::Disposicion::ocho_blancos);
        if (r.sube_par) p.NPUNTOS += 1;
    }
    // Simpson's rule reads three samples a panel; funciones only checks the
    // count, so any count goes on there.
    if (r.muestrea_npuntos && p.NPUNTOS < 3) l.parar(claves::pocos_puntos);

    l.dato("the zone header line");
    for (int i = 1; i <= p.NZONAS; ++i) {
        p.ITIPO(i) = l.entero("the potential type of a zone");
        if (p.ITIPO(i) < constante || p.ITIPO(i) > potencias) l.parar(claves::tipo_desconocido);
        p.ZONA(i, XINI) = l.real("the left limit of a zone");
        p.ZONA(i, XFIN) = l.real("the right limit of a zone");
        switch (p.ITIPO(i)) {
        case constante: p.ZONA(i, 3) = l.real("the constant potential V0"); break;
        case poligonal:
            p.NPOL(i) = l.entero("the number of vertices");
            if (p.NPOL(i) < 2 || p.NPOL(i) > MAX_VERTICES) l.parar(claves::vertices_fuera);
            for (int k = 1; k <= p.NPOL(i); ++k) {
                p.POLI(i, k, 1) = l.real("the abscissa of a vertex");
                p.POLI(i, k, 2) = l.real("the potential of a vertex");
            }
            break;
        case vibracion:
            p.ZONA(i, 4) = l.real("the centre x0");
            p.ZONA(i, 3) = l.real("the potential V0");
            for (int c = 5; c <= 7; ++c) p.ZONA(i, c) = l.real("a force constant");
            break;
        case potencias:
            for (int c = 3; c <= COLUMNAS_ZONA; ++c) p.ZONA(i, c) = l.real("a power-series coefficient");
            break;
        }
        l.dato("the closing line of a zone");
    }

    for (int i = 1; i < p.NZONAS; ++i)
        if (std::fabs(p.ZONA(i, XFIN) - p.ZONA(i + 1, XINI)) > 1e-6) l.parar(r.clave_no_tocan);
    for (int i = 1; i <= p.NZONAS; ++i)
        if (!(p.ZONA(i, XFIN) > p.ZONA(i, XINI))) l.parar(claves::zona_vacia);
    // A negative power is infinite at x = 0: a zone that holds 0 has no
    // finite integral, whether or not a sample falls on it.
    for (int i = 1; i <= p.NZONAS; ++i)
        if (p.ITIPO(i) == potencias && p.ZONA(i, XINI) <= 0.0 && 0.0 <= p.ZONA(i, XFIN))
            for (int c = 10; c <= COLUMNAS_ZONA; ++c)
                if (p.ZONA(i, c) != 0.0) l.parar(claves::cero_en_zona_singular);
    // The sampler needs the vertices of a polygonal zone from left to right
    // (equal abscissae, a vertical step, are allowed).
    for (int i = 1; i <= p.NZONAS; ++i)
        if (p.ITIPO(i) == poligonal)
            for (int k = 1; k < p.NPOL(i); ++k)
                if (!(p.POLI(i, k + 1, 1) >= p.POLI(i, k, 1))) l.parar(claves::vertices_desordenados);

    p.calcular_caja();
    // Limits that are numbers each may still span more than a double holds,
    // and every later formula divides by the box length.
    if (!std::isfinite(p.LONGITUD)) {
        char caja[96];
        std::snprintf(caja, sizeof caja, "%g to %g", p.ZONA(1, XINI), p.ZONA(p.NZONAS, XFIN));
        throw io::ErrorFichero(f.nombre(), 0,
                               std::string("the box from ") + caja + " is too long: its length is not a finite number");
    }
    return p;
}

} // namespace problema
