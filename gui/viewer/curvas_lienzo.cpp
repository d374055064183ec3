#include "viewer/curvas_lienzo.hpp"

#include <algorithm>

#include "platform/lienzo.hpp"
#include "platform/vb.hpp"
#include "viewer/dibujo_curvas.hpp"

namespace graficos {

namespace {

using plataforma::QBColor;

// The plot picture as the curve routines see it: colours are palette
// indices, which the picture refuses outside 0 to 15 as it refuses a width
// below 1 or an unknown style.
class plano_lienzo : public plano_curvas {
 public:
  explicit plano_lienzo(plataforma::Lienzo& l) : l_(l) {}
  void setForeColor(std::int32_t color) override { l_.setForeColor(QBColor(color)); }
  void setFillColor(std::int32_t color) override { l_.setFillColor(QBColor(color)); }
  void setFillStyle(int estilo) override { l_.setFillStyle(estilo); }
  void setDrawWidth(int grosor) override { l_.setDrawWidth(grosor); }
  void setDrawStyle(int estilo) override { l_.setDrawStyle(estilo); }
  double ScaleWidth() const override { return l_.ScaleWidth(); }
  void Circle(double x, double y, double radio) override { l_.Circle(x, y, radio); }
  void Line(double x1, double y1, double x2, double y2, std::int32_t color) override {
    l_.Line(x1, y1, x2, y2, QBColor(color));
  }

 private:
  plataforma::Lienzo& l_;
};

// Points 1 to npuntos of the curve (no more than it holds).
lista_puntos puntos_de(const global::lista_vertices& puntos, std::int16_t npuntos) {
  const int n = std::clamp<int>(npuntos, 0, puntos.ubound());
  lista_puntos p(1, n);
  for (int k = 1; k <= n; ++k) p(k) = {puntos(k).x, puntos(k).y};
  return p;
}

}  // namespace

void dibuja_spline(plataforma::Lienzo& pctgrafico, std::int16_t marcas, std::int16_t npuntos, std::int16_t grosor,
                   std::int16_t estilo_trazo, const global::lista_vertices& puntos, std::int32_t color) {
  plano_lienzo plano(pctgrafico);
  dibuja_spline(plano, marcas, npuntos, grosor, estilo_trazo, puntos_de(puntos, npuntos), color);
}

void dibuja_polinomio(plataforma::Lienzo& pctgrafico, std::int16_t marcas, std::int16_t npuntos, std::int16_t grosor,
                      std::int16_t estilo_trazo, const global::lista_vertices& puntos, std::int32_t color) {
  plano_lienzo plano(pctgrafico);
  dibuja_polinomio(plano, marcas, npuntos, grosor, estilo_trazo, puntos_de(puntos, npuntos), color);
}

void dibuja_ajuste(plataforma::Lienzo& pctgrafico, std::int16_t clase, std::int16_t parametro, std::int16_t marcas,
                   std::int16_t npuntos, std::int16_t grosor, std::int16_t estilo_trazo,
                   const global::lista_vertices& puntos, std::int32_t color) {
  plano_lienzo plano(pctgrafico);
  dibuja_ajuste(plano, clase, parametro, marcas, npuntos, grosor, estilo_trazo, puntos_de(puntos, npuntos), color);
}

void dibuja_fourier(plataforma::Lienzo& pctgrafico, std::int16_t parametro, std::int16_t marcas, std::int16_t npuntos,
                    std::int16_t grosor, std::int16_t estilo_trazo, const global::lista_vertices& puntos,
                    std::int32_t color) {
  plano_lienzo plano(pctgrafico);
  dibuja_fourier(plano, parametro, marcas, npuntos, grosor, estilo_trazo, puntos_de(puntos, npuntos), color);
}

}  // namespace graficos
