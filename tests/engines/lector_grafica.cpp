#include "engines/lector_grafica.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <sstream>

namespace prueba {

namespace {

class Lector {
public:
    explicit Lector(const std::string& b) : b_(b) {}

    bool al_final() const { return i_ >= b_.size(); }

    std::string texto() {
        while (!al_final() && b_[i_] == ' ') ++i_;
        if (al_final()) throw FalloLectura("a text field past the end of the file");
        std::string t;
        if (b_[i_] == '"') {
            const size_t fin = b_.find('"', i_ + 1);
            if (fin == std::string::npos) throw FalloLectura("an open quote");
            t = b_.substr(i_ + 1, fin - i_ - 1);
            i_ = fin + 1;
            while (!al_final() && b_[i_] != ',' && b_[i_] != '\r' && b_[i_] != '\n') ++i_;
        } else {
            while (!al_final() && b_[i_] != ',' && b_[i_] != '\r' && b_[i_] != '\n') t += b_[i_++];
        }
        if (!al_final() && b_[i_] == ',') ++i_;
        else if (!al_final() && b_[i_] == '\r') i_ += (i_ + 1 < b_.size() && b_[i_ + 1] == '\n') ? 2 : 1;
        else if (!al_final() && b_[i_] == '\n') ++i_;
        while (!t.empty() && t.back() == ' ') t.pop_back();
        return t;
    }

    std::string palabra() {
        char c = leer();
        if (c == ' ') {
            while (c == ' ') c = leer();
            --i_;
        }
        std::string t;
        for (;;) {
            c = leer();
            if (c == '\r') {
                ++i_;
                break;
            }
            if (c == ' ') break;
            t += c;
        }
        return t;
    }

private:
    char leer() {
        if (al_final()) throw FalloLectura("a token past the end of the file");
        return b_[i_++];
    }
    const std::string& b_;
    size_t i_ = 0;
};

// The longest leading numeric part: [sign] digits [. digits] [E|D [sign] digits].
double valor(const std::string& t) {
    size_t i = 0;
    while (i < t.size() && t[i] == ' ') ++i;
    const size_t inicio = i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    size_t cifras = 0;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++cifras;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++cifras;
    }
    if (cifras == 0) return 0.0;
    size_t fin = i;
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
        size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
        const size_t k = j;
        while (j < t.size() && std::isdigit(static_cast<unsigned char>(t[j]))) ++j;
        if (j > k) fin = j;
    }
    std::string s = t.substr(inicio, fin - inicio);
    for (char& c : s)
        if (c == 'D' || c == 'd') c = 'E';
    return std::strtod(s.c_str(), nullptr);
}

long entero(const std::string& t, long minimo, long maximo) {
    const double r = std::nearbyint(valor(t));  // halves to the even neighbour
    if (!(r >= minimo && r <= maximo)) throw FalloLectura("the value " + t + " is out of its field");
    return static_cast<long>(r);
}

int corto(Lector& l) { return static_cast<int>(entero(l.palabra(), -32768, 32767)); }

std::string mayusculas(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

GraficaLeida leer_grafica(const std::string& bytes) {
    Lector l(bytes);
    GraficaLeida g;
    g.comentario = l.texto();
    g.etiqueta_x = l.texto();
    g.etiqueta_y = l.texto();
    while (!l.al_final()) {
        const std::string leyenda = l.texto();
        if (mayusculas(leyenda) == "FIN") break;
        if (g.curvas.size() == 20) throw FalloLectura("a 21st curve");
        CurvaLeida c;
        c.leyenda = leyenda;
        c.leyenda_x = valor(l.palabra());
        c.leyenda_y = valor(l.palabra());
        c.npuntos = corto(l);
        c.marcas = corto(l);
        c.tipo = corto(l);
        if (c.tipo > 3) c.parametro = corto(l);
        c.grosor = corto(l);
        c.estilo_trazo = corto(l);
        c.color = entero(l.palabra(), -2147483648L, 2147483647L);
        if (c.npuntos < 1) throw FalloLectura("a point count below 1");
        for (int k = 0; k < c.npuntos; ++k) {
            const double x = valor(l.palabra());
            const double y = valor(l.palabra());
            c.puntos.push_back({x, y});
        }
        g.curvas.push_back(std::move(c));
    }
    return g;
}

std::vector<std::string> tokens(const std::string& bytes) {
    Lector l(bytes);
    std::vector<std::string> r;
    try {
        for (;;) r.push_back(l.palabra());
    } catch (const FalloLectura&) {
    }
    return r;
}

VistaLeida vista(const GraficaLeida& g) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    VistaLeida v{inf, -inf, inf, -inf};
    for (const auto& c : g.curvas)
        for (const auto& q : c.puntos) {
            v.xmin = std::min(v.xmin, q.x);
            v.xmax = std::max(v.xmax, q.x);
            v.ymin = std::min(v.ymin, q.y);
            v.ymax = std::max(v.ymax, q.y);
        }
    return v;
}

CajaLeida caja_de_leyenda(const GraficaLeida& g, size_t i) {
    const VistaLeida v = vista(g);
    const CurvaLeida& c = g.curvas.at(i);
    return {c.leyenda_x, c.leyenda_x + static_cast<double>(c.leyenda.size()) * (v.xmax - v.xmin) / 100,
            c.leyenda_y - (v.ymax - v.ymin) / 20, c.leyenda_y};
}

std::string leyendas_mal_puestas(const GraficaLeida& g, const std::vector<size_t>& apartes,
                                 const std::vector<size_t>& dentro) {
    const VistaLeida v = vista(g);
    // The places are written with 7 decimals at least.
    const double tx = 1e-9 * (v.xmax - v.xmin) + 1e-7, ty = 1e-9 * (v.ymax - v.ymin) + 1e-7;
    std::ostringstream r;
    for (const size_t i : dentro) {
        const CajaLeida a = caja_de_leyenda(g, i);
        if (a.izquierda < v.xmin - tx || a.derecha > v.xmax + tx || a.abajo < v.ymin - ty || a.arriba > v.ymax + ty)
            r << "\"" << g.curvas[i].leyenda << "\" at (" << a.izquierda << ", " << a.arriba << ") leaves the view\n";
    }
    for (size_t x = 0; x < apartes.size(); ++x)
        for (size_t y = 0; y < x; ++y) {
            const CajaLeida a = caja_de_leyenda(g, apartes[x]), b = caja_de_leyenda(g, apartes[y]);
            if (a.izquierda < b.derecha && b.izquierda < a.derecha && a.abajo < b.arriba && b.abajo < a.arriba)
                r << "\"" << g.curvas[apartes[x]].leyenda << "\" covers \"" << g.curvas[apartes[y]].leyenda << "\"\n";
        }
    return r.str();
}

std::vector<size_t> curvas_desde(const GraficaLeida& g, size_t desde) {
    std::vector<size_t> r;
    for (size_t i = desde; i < g.curvas.size(); ++i) r.push_back(i);
    return r;
}

std::string idioma_graficas() {
    std::string t = idioma_de_prueba();
    std::vector<std::string> l;
    for (int k = 1051; k <= 1066; ++k)
        if (k <= 1057 || k >= 1064) l.push_back(std::to_string(k) + "=M" + std::to_string(k));
    for (int k = 1102; k <= 1105; ++k) l.push_back(std::to_string(k) + "=M" + std::to_string(k) + "  ");
    l.push_back("1106=Fin   ");
    return t + con_crlf(l);
}

std::string texto_dib(const std::string& puntos, const std::string& escala, const std::vector<std::string>& niveles) {
    std::vector<std::string> l = {"Puntos por zona = " + puntos, "Factor de escala = " + escala};
    const char* etiquetas[] = {"Primer nivel", "Ultimo nivel"};
    for (size_t k = 0; k < niveles.size(); ++k)
        l.push_back(std::string(niveles.size() == 1 ? "Nivel" : etiquetas[k]) + " = " + niveles[k]);
    return con_crlf(l);
}

std::string texto_datosdib(const std::vector<double>& ener, const std::vector<std::vector<double>>& vect) {
    auto numero = [](double v) {
        char b[40];
        std::snprintf(b, sizeof b, " %.17g", v);
        return std::string(b);
    };
    std::vector<std::string> l;
    for (size_t j = 0; j < ener.size(); ++j) {
        l.push_back(numero(ener[j]));
        for (size_t i = 0; i < ener.size(); ++i) l.push_back(numero(vect[i][j]));
    }
    return con_crlf(l);
}

std::vector<std::vector<double>> identidad(int n) {
    std::vector<std::vector<double>> v(static_cast<size_t>(n), std::vector<double>(static_cast<size_t>(n), 0.0));
    for (int k = 0; k < n; ++k) v[static_cast<size_t>(k)][static_cast<size_t>(k)] = 1.0;
    return v;
}

void preparar(const CarpetaTemporal& dir, const ProblemaPrueba& p, const std::string& puntos,
              const std::string& escala, const std::vector<std::string>& niveles, const std::vector<double>& ener,
              const std::vector<std::vector<double>>& vect) {
    dir.escribir("p.dat", texto_problema(p));
    dir.escribir("dib", texto_dib(puntos, escala, niveles));
    dir.escribir("DatosDIB", texto_datosdib(ener, vect));
}

std::string punto(const std::string& x, const std::string& y) {
    return "  " + std::string(20 - x.size(), ' ') + x + "  " + std::string(20 - y.size(), ' ') + y;
}

ProblemaPrueba dos_zonas(int nbase) {
    ProblemaPrueba p;
    p.nbase = std::to_string(nbase);
    p.zonas = {{1, 0, 1, {0.0}}, {1, 1, 2, {1.0}}};
    return p;
}

std::vector<std::string> grafica_dos_zonas(const std::string& comentario, const std::vector<std::string>& resto) {
    std::vector<std::string> r = {
        comentario,
        "  x",
        "  V(x)",
        "  M1103",
        "    1.600  1.0",  // 0.8 · L
        "      6  0  1  3  0  9",
        punto("0.0000000", "0.0000000"),
        punto("0.5000000", "0.0000000"),
        punto("1.0000000", "0.0000000"),
        punto("1.0000000", "1.0000000"),  // the inner boundary twice
        punto("1.5000000", "1.0000000"),
        punto("2.0000000", "1.0000000"),
    };
    r.insert(r.end(), resto.begin(), resto.end());
    return r;
}

} // namespace prueba
