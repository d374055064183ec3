#pragma once
// The drawing of the curve kinds 2 to 7: natural spline, interpolating
// polynomial, least-squares fit and Fourier series, walked over the plot in
// its user scale.
//
// Every kind computes its coefficients first and gives up the whole curve,
// drawing nothing and leaving the picture as it was, when that meets a zero
// divisor or a value that is not finite (points that repeat an x, among
// others): such a curve would not be the curve of its points. Then it sets
// the colour, fill, width and style. The interpolating kinds draw each
// interval in 50 segments from its first point, with a marker at every point
// before its interval and one at the last point. The fits draw all markers
// and then the curve over the whole x range in 500 segments from its own
// value at the first x.
//
// A step that fails while drawing is skipped and the drawing goes on: a
// setting the picture refuses, a segment whose end has no finite value (the
// next segment then starts where the last one drawn ended). The fill style,
// width and style of the picture are set back to 1, 1 and 0 at the end.
#include <cstdint>

#include "viewer/curvas.hpp"

namespace graficos {

// What the curve routines do to the plot picture, in its scale. Colours are
// palette indices. Any operation may refuse a value by throwing a
// std::exception; the routines skip that step.
class plano_curvas {
 public:
  virtual ~plano_curvas() = default;
  virtual void setForeColor(std::int32_t color) = 0;
  virtual void setFillColor(std::int32_t color) = 0;
  virtual void setFillStyle(int estilo) = 0;
  virtual void setDrawWidth(int grosor) = 0;
  virtual void setDrawStyle(int estilo) = 0;
  // The width of the view in x units.
  virtual double ScaleWidth() const = 0;
  // A circle of radius measured along x, filled by the fill settings.
  virtual void Circle(double x, double y, double radio) = 0;
  virtual void Line(double x1, double y1, double x2, double y2, std::int32_t color) = 0;
};

// The curve's points 1 to npuntos are those of puntos.
void dibuja_spline(plano_curvas& pctgrafico, std::int16_t marcas, std::int16_t npuntos, std::int16_t grosor,
                   std::int16_t estilo_trazo, const lista_puntos& puntos, std::int32_t color);
void dibuja_polinomio(plano_curvas& pctgrafico, std::int16_t marcas, std::int16_t npuntos, std::int16_t grosor,
                      std::int16_t estilo_trazo, const lista_puntos& puntos, std::int32_t color);
// clase: the basis, 0 x, 1 sine, 2 cosine; parametro: the degree.
void dibuja_ajuste(plano_curvas& pctgrafico, std::int16_t clase, std::int16_t parametro, std::int16_t marcas,
                   std::int16_t npuntos, std::int16_t grosor, std::int16_t estilo_trazo, const lista_puntos& puntos,
                   std::int32_t color);
// parametro: the number of harmonics.
void dibuja_fourier(plano_curvas& pctgrafico, std::int16_t parametro, std::int16_t marcas, std::int16_t npuntos,
                    std::int16_t grosor, std::int16_t estilo_trazo, const lista_puntos& puntos, std::int32_t color);

}  // namespace graficos
