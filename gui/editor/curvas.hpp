#pragma once
// The drawing curves of the zones' potentials: the vertex list of constant
// and polygonal zones, 100 samples of the formula for vibration and
// power-series zones, and the vertical range they share.
#include "frame/global.hpp"

namespace editor {

inline constexpr int muestras = 100;

// Potential of a vibration zone at x, and of a power-series zone at x. The
// power series leaves out the terms whose coefficient is 0; at x = 0 a
// negative power with a coefficient has no value, and the result is then
// not finite.
double potencial_vibracion(const global::tzona& zona, double x);
double potencial_potencias(const global::tzona& zona, double x);

// Rebuilds ncurva, curva, minimo_zona and maximo_zona of one zone by its
// type; a zone of any other type keeps its curve. Samples without a finite
// value are left out of the curve.
void calcula_curva(global::tzona& zona);

// The smallest and largest potential over the curves of zones 0 to n - 1
// (zones without a point do not count; 0 and 0 when none has one).
void rango_vertical(int n, double& vmin, double& vmax);

}  // namespace editor
