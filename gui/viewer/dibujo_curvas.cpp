#include "viewer/dibujo_curvas.hpp"

#include <algorithm>
#include <cmath>
#include <exception>
#include <functional>

namespace graficos {

namespace {

constexpr int segmentos_por_intervalo = 50;
constexpr int segmentos_ajuste = 500;

// One drawing step: when it fails it is skipped. True when it went through.
template <class F>
bool intenta(F&& f) {
  try {
    f();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// The curve's points 1 to npuntos (no more than the list holds).
lista_puntos primeros(const lista_puntos& puntos, std::int16_t npuntos) {
  const int n = std::clamp<int>(npuntos, 0, puntos.cuantos());
  lista_puntos p(1, n);
  for (int k = 1; k <= n; ++k) p(k) = puntos(k);
  return p;
}

// The colour, fill, width and style of the curve, each set on its own.
void ajustes(plano_curvas& plano, std::int16_t grosor, std::int16_t estilo_trazo, std::int32_t color) {
  intenta([&] { plano.setForeColor(color); });
  intenta([&] { plano.setFillColor(color); });
  intenta([&] { plano.setFillStyle(0); });
  intenta([&] { plano.setDrawWidth(grosor); });
  intenta([&] { plano.setDrawStyle(estilo_trazo); });
}

// Sets the picture back when the routine ends, however it ends.
class restablece {
 public:
  explicit restablece(plano_curvas& plano) : plano_(plano) {}
  ~restablece() {
    intenta([&] { plano_.setFillStyle(1); });
    intenta([&] { plano_.setDrawWidth(1); });
    intenta([&] { plano_.setDrawStyle(0); });
  }
  restablece(const restablece&) = delete;
  restablece& operator=(const restablece&) = delete;

 private:
  plano_curvas& plano_;
};

// A polyline drawn one segment at a time. A point without a value is
// skipped; the next segment starts where the last one drawn ended.
class trazo {
 public:
  trazo(plano_curvas& plano, std::int32_t color) : plano_(plano), color_(color) {}
  // Starts the polyline at (x, y) without drawing.
  void desde(double x, std::optional<double> y) {
    if (y && std::isfinite(x)) {
      x_ = x;
      y_ = *y;
      hay_ = true;
    }
  }
  void hasta(double x, std::optional<double> y) {
    if (!y || !std::isfinite(x)) return;
    if (!hay_) return desde(x, y);
    if (intenta([&] { plano_.Line(x_, y_, x, *y, color_); })) desde(x, y);
  }

 private:
  plano_curvas& plano_;
  std::int32_t color_;
  double x_ = 0, y_ = 0;
  bool hay_ = false;
};

double radio_marca(const plano_curvas& plano, std::int16_t grosor) { return 0.003 * grosor * plano.ScaleWidth(); }

void marca(plano_curvas& plano, const punto& p, double radio) {
  intenta([&] { plano.Circle(p.x, p.y, radio); });
}

// The frame of the interpolating kinds, once the coefficients are there:
// valor(i, x) is the curve on interval i.
void dibuja_interpolante(plano_curvas& plano, std::int16_t marcas, std::int16_t grosor, std::int16_t estilo_trazo,
                         const lista_puntos& p, std::int32_t color,
                         const std::function<std::optional<double>(int, double)>& valor) {
  restablece al_final(plano);
  ajustes(plano, grosor, estilo_trazo, color);
  const double radio = radio_marca(plano, grosor);
  const int n = p.cuantos();
  for (int i = 1; i <= n - 1; ++i) {
    if (marcas != 0) marca(plano, p(i), radio);
    trazo linea(plano, color);
    linea.desde(p(i).x, p(i).y);
    const double paso = (p(i + 1).x - p(i).x) / segmentos_por_intervalo;
    double x = p(i).x;
    for (int s = 1; s <= segmentos_por_intervalo; ++s) {
      x += paso;
      linea.hasta(x, valor(i, x));
    }
  }
  if (marcas != 0 && n >= 1) marca(plano, p(n), radio);
}

// The frame of the fits, once the picture is set and the coefficients are
// there: valor(x) is the curve.
void dibuja_ajustada(plano_curvas& plano, std::int16_t marcas, std::int16_t grosor, const lista_puntos& p,
                     std::int32_t color, const std::function<std::optional<double>(double)>& valor) {
  const int n = p.cuantos();
  if (n < 1) return;
  if (marcas != 0) {
    const double radio = radio_marca(plano, grosor);
    for (int k = 1; k <= n; ++k) marca(plano, p(k), radio);
  }
  const double L = p(n).x - p(1).x;
  const double paso = L / segmentos_ajuste;
  double x = p(1).x;
  trazo linea(plano, color);
  linea.desde(x, valor(x));
  for (int s = 1; s <= segmentos_ajuste; ++s) {
    x += paso;
    linea.hasta(x, valor(x));
  }
}

}  // namespace

void dibuja_spline(plano_curvas& pctgrafico, std::int16_t marcas, std::int16_t npuntos, std::int16_t grosor,
                   std::int16_t estilo_trazo, const lista_puntos& puntos, std::int32_t color) {
  const lista_puntos p = primeros(puntos, npuntos);
  const auto s = spline(p);
  if (!s) return;
  dibuja_interpolante(pctgrafico, marcas, grosor, estilo_trazo, p, color,
                      [&](int i, double x) { return valor_spline(p, *s, i, x); });
}

void dibuja_polinomio(plano_curvas& pctgrafico, std::int16_t marcas, std::int16_t npuntos, std::int16_t grosor,
                      std::int16_t estilo_trazo, const lista_puntos& puntos, std::int32_t color) {
  const lista_puntos p = primeros(puntos, npuntos);
  const auto c = polinomio(p);
  if (!c) return;
  dibuja_interpolante(pctgrafico, marcas, grosor, estilo_trazo, p, color,
                      [&](int, double x) { return valor_polinomio(*c, x); });
}

void dibuja_ajuste(plano_curvas& pctgrafico, std::int16_t clase, std::int16_t parametro, std::int16_t marcas,
                   std::int16_t npuntos, std::int16_t grosor, std::int16_t estilo_trazo, const lista_puntos& puntos,
                   std::int32_t color) {
  const lista_puntos p = primeros(puntos, npuntos);
  if (p.cuantos() < 1) return;
  lista<double> a;
  if (!ajuste_minimos_cuadrados(clase, p, parametro, a)) return;
  restablece al_final(pctgrafico);
  ajustes(pctgrafico, grosor, estilo_trazo, color);
  const double L = p(p.cuantos()).x - p(1).x;
  dibuja_ajustada(pctgrafico, marcas, grosor, p, color, [&](double x) { return valor_ajuste(clase, a, x, L); });
}

void dibuja_fourier(plano_curvas& pctgrafico, std::int16_t parametro, std::int16_t marcas, std::int16_t npuntos,
                    std::int16_t grosor, std::int16_t estilo_trazo, const lista_puntos& puntos, std::int32_t color) {
  const lista_puntos p = primeros(puntos, npuntos);
  if (p.cuantos() < 1) return;
  lista<double> a(0, parametro), b(0, parametro);
  if (!coeficientes_fourier(p, static_cast<std::int16_t>(p.cuantos()), 0, parametro, a, b)) return;
  restablece al_final(pctgrafico);
  ajustes(pctgrafico, grosor, estilo_trazo, color);
  const double L = p(p.cuantos()).x - p(1).x;
  dibuja_ajustada(pctgrafico, marcas, grosor, p, color,
                  [&](double x) { return valor_fourier(a, b, parametro, x, L); });
}

}  // namespace graficos
