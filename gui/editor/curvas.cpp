#include "editor/curvas.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace editor {

double potencial_vibracion(const global::tzona& zona, double x) {
  const auto& c = zona.coeficientes;
  const double d = x - zona.x0;
  return c(0) + (c(2) * 0.5) * std::pow(d, 2) + (1.0 / 6.0 * c(3)) * std::pow(d, 3) +
         (1.0 / 24.0 * c(4)) * std::pow(d, 4);
}

double potencial_potencias(const global::tzona& zona, double x) {
  double v = 0;
  for (int k = -6; k <= 6; ++k) {
    const double c = zona.coeficientes(k);
    if (c == 0) continue;
    if (x == 0 && k < 0) return std::numeric_limits<double>::infinity();
    v += std::pow(x, k) * c;
  }
  return v;
}

void calcula_curva(global::tzona& zona) {
  switch (zona.tipo) {
    case 0:
    case 1: {
      zona.ncurva = static_cast<std::int16_t>(std::clamp<int>(zona.nvertices, 0, zona.vertices.ubound()));
      zona.curva.redim_preserve(zona.ncurva);
      for (int j = 1; j <= zona.ncurva; ++j) zona.curva(j) = zona.vertices(j);
      break;
    }
    case 2:
    case 3: {
      zona.curva.redim_preserve(muestras);
      int n = 0;
      for (int j = 1; j <= muestras; ++j) {
        const double x = (zona.xfin - zona.xini) * j / muestras + zona.xini;
        const double v = zona.tipo == 2 ? potencial_vibracion(zona, x) : potencial_potencias(zona, x);
        if (!std::isfinite(v)) continue;
        zona.curva(++n) = {x, v};
      }
      for (int j = n + 1; j <= muestras; ++j) zona.curva(j) = {};
      zona.ncurva = static_cast<std::int16_t>(n);
      break;
    }
    default: break;
  }
  if (zona.ncurva >= 1 && zona.curva.ubound() >= 1)
    global::extremos(zona.ncurva, zona.curva, zona.minimo_zona, zona.maximo_zona);
}

void rango_vertical(int n, double& vmin, double& vmax) {
  bool alguna = false;
  vmin = vmax = 0;
  for (int i = 0; i < n; ++i) {
    const global::tzona& z = global::zonas[static_cast<std::size_t>(i)];
    if (z.ncurva < 1) continue;
    if (!alguna || z.minimo_zona.y < vmin) vmin = z.minimo_zona.y;
    if (!alguna || z.maximo_zona.y > vmax) vmax = z.maximo_zona.y;
    alguna = true;
  }
}

}  // namespace editor
