#include "viewer/curvas.hpp"

#include <cmath>
#include <limits>
#include <utility>

namespace graficos {

namespace {

// A step that failed: the routine that catches it gives up what it was doing.
struct fallo {};

// The value of one step: a division by zero or an overflow leaves no finite
// value, and that is a failure.
double paso(double v) {
  if (!std::isfinite(v)) throw fallo{};
  return v;
}

// One step whose failure is skipped: the target keeps its value.
void paso_o_nada(double& destino, double v) {
  if (std::isfinite(v)) destino = v;
}

std::optional<double> finito(double v) {
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

}  // namespace

double pi() { return 4.0 * std::atan(1.0); }

// ---- natural cubic spline ---------------------------------------------------

std::optional<coeficientes_spline> spline(const lista_puntos& puntos) {
  const int n = puntos.cuantos();
  auto x = [&](int k) { return puntos(k).x; };
  auto y = [&](int k) { return puntos(k).y; };
  lista<double> h(1, n), alpha(1, n), l(1, n), mu(1, n), z(1, n);
  coeficientes_spline s{lista<double>(1, n), lista<double>(1, n), lista<double>(1, n)};
  if (n < 1) return s;
  try {
    // Two points with the same x: the spline divides by the width of every
    // interval, with two points only in its back substitution. Either way the
    // curve is given up here.
    for (int i = 1; i <= n - 1; ++i) {
      h(i) = paso(x(i + 1) - x(i));
      if (h(i) == 0) throw fallo{};
    }
    for (int i = 2; i <= n - 1; ++i)
      alpha(i) = paso(3.0 * (y(i + 1) * h(i - 1) - y(i) * (x(i + 1) - x(i - 1)) + y(i - 1) * h(i)) /
                      (h(i - 1) * h(i)));
    l(1) = 1;
    mu(1) = 0;
    z(1) = 0;
    for (int i = 2; i <= n - 1; ++i) {
      l(i) = paso(2.0 * (x(i + 1) - x(i - 1)) - h(i - 1) * mu(i - 1));
      mu(i) = paso(h(i) / l(i));
      z(i) = paso((alpha(i) - h(i - 1) * z(i - 1)) / l(i));
    }
  } catch (const fallo&) {
    return std::nullopt;
  }
  // The back substitution belongs to the drawing: a step that fails there
  // leaves its coefficient at 0 and the others go on.
  auto& b = s.b;
  auto& c = s.c;
  auto& d = s.d;
  c(n) = 0;
  for (int j = n - 1; j >= 1; --j) {
    paso_o_nada(c(j), z(j) - mu(j) * c(j + 1));
    paso_o_nada(b(j), (y(j + 1) - y(j)) / h(j) - h(j) * (2.0 * c(j) + c(j + 1)) / 3.0);
    paso_o_nada(d(j), (c(j + 1) - c(j)) / (3.0 * h(j)));
  }
  return s;
}

std::optional<double> valor_spline(const lista_puntos& puntos, const coeficientes_spline& s, int j, double x) {
  const double dx = x - puntos(j).x;
  return finito(puntos(j).y + s.b(j) * dx + s.c(j) * std::pow(dx, 2.0) + s.d(j) * std::pow(dx, 3.0));
}

// ---- interpolating polynomial -------------------------------------------------

namespace {

double lagrange_o_fallo(const lista_puntos& p, int m, double x) {
  double suma = 0;
  for (int i = 1; i <= m; ++i) {
    double L = 1;
    for (int j = 1; j <= m; ++j) {
      if (j == i) continue;
      L = paso((x - p(j).x) * L / (p(i).x - p(j).x));
    }
    suma = paso(suma + p(i).y * L);
  }
  return suma;
}

}  // namespace

std::optional<double> lagrange(const lista_puntos& p, int m, double x) {
  try {
    return lagrange_o_fallo(p, m, x);
  } catch (const fallo&) {
    return std::nullopt;
  }
}

std::optional<lista<double>> polinomio(const lista_puntos& puntos) {
  const int n = puntos.cuantos();
  lista<double> c(1, n);
  std::vector<punto> p;  // the working points, 1 to m at [0] to [m - 1]
  for (int k = 1; k <= n; ++k) p.push_back(puntos(k));
  auto como_lista = [&] {
    lista<punto> l(1, static_cast<int>(p.size()));
    for (std::size_t k = 0; k < p.size(); ++k) l(static_cast<int>(k) + 1) = p[k];
    return l;
  };
  try {
    for (int i = 1; i <= n; ++i) {
      const int m = n + 1 - i;
      c(i) = lagrange_o_fallo(como_lista(), m, 0.0);
      // The point nearest 0, searched from 1e38 down; the first of equal ones
      // wins. When every |x| is 1e38 or more, the first of the nearest: any
      // point would do there, since none of them is at 0.
      auto cercano = [&](double desde) {
        double menor = desde;
        std::optional<std::size_t> indice;
        for (std::size_t k = 0; k < p.size(); ++k) {
          if (std::fabs(p[k].x) < menor) {
            menor = std::fabs(p[k].x);
            indice = k;
          }
        }
        return indice;
      };
      const std::size_t quitado =
          cercano(1.0 / 1e-38).value_or(cercano(std::numeric_limits<double>::infinity()).value_or(0));
      // Points at 0 keep their y: the remainder is divided by x elsewhere.
      for (auto& q : p)
        if (std::fabs(q.x) > 1e-38) q.y = paso((q.y - c(i)) / q.x);
      p.erase(p.begin() + static_cast<std::ptrdiff_t>(quitado));
    }
  } catch (const fallo&) {
    return std::nullopt;
  }
  return c;
}

std::optional<double> valor_polinomio(const lista<double>& c, double x) {
  double y = 0;
  for (int k = c.primero(); k <= c.ultimo(); ++k) y += c(k) * std::pow(x, static_cast<double>(k - 1));
  return finito(y);
}

// ---- least squares ------------------------------------------------------------

namespace {

double base_o_fallo(std::int16_t clase, double x, double L) {
  switch (clase) {
    case 0: return paso(x);
    case 1: return paso(std::sin(paso((pi() + pi()) * x / L)));
    case 2: return paso(std::cos(paso((pi() + pi()) * x / L)));
    default: return 0;
  }
}

void gauss_o_fallo(matriz& A, lista<double>& x, lista<double>& r) {
  const int m = A.orden();
  for (int i = 1; i <= m; ++i) {
    if (A(i, i) == 0) {
      for (int k = i + 1; k <= m; ++k) {
        if (A(k, i) != 0) {
          for (int j = 1; j <= m; ++j) std::swap(A(i, j), A(k, j));
          std::swap(r(i), r(k));
          break;
        }
      }
    }
    if (A(i, i) != 0) {
      const double pivote = A(i, i);
      for (int j = 1; j <= m; ++j) A(i, j) = paso(A(i, j) / pivote);
      r(i) = paso(r(i) / pivote);
      for (int k = i + 1; k <= m; ++k) {
        if (A(k, i) == 0) continue;
        const double f = paso(-A(k, i) / A(i, i));
        for (int j = 1; j <= m; ++j) A(k, j) = paso(A(k, j) + f * A(i, j));
        r(k) = paso(r(k) + f * r(i));
      }
    }
  }
  for (int i = m; i >= 1; --i) {
    x(i) = r(i);
    for (int k = i - 1; k >= 1; --k) {
      r(k) = paso(r(k) - A(k, i) * r(i));
      A(k, i) = 0;
    }
  }
}

}  // namespace

std::optional<double> funcion_base(std::int16_t clase, double x, double L) {
  try {
    return base_o_fallo(clase, x, L);
  } catch (const fallo&) {
    return std::nullopt;
  }
}

bool gauss(matriz& A, lista<double>& x, lista<double>& r) {
  try {
    gauss_o_fallo(A, x, r);
    return true;
  } catch (const fallo&) {
    return false;
  }
}

bool ajuste_minimos_cuadrados(std::int16_t clase, const lista_puntos& puntos, std::int16_t parametro,
                              lista<double>& a) {
  const int m = parametro + 1;
  const int n = puntos.cuantos();
  a = lista<double>(1, m);
  if (m < 1 || n < 1) return false;
  lista<double> r(1, m);
  matriz A(m);
  try {
    const double L = paso(puntos(n).x - puntos(1).x);
    for (int k = 1; k <= n; ++k) {
      const double g = base_o_fallo(clase, puntos(k).x, L);
      for (int i = 1; i <= m; ++i) r(i) = paso(r(i) + std::pow(g, static_cast<double>(i - 1)) * puntos(k).y);
    }
    for (int i = 1; i <= m; ++i) {
      for (int j = 1; j <= m; ++j) {
        for (int k = 1; k <= n; ++k) {
          const double gj = base_o_fallo(clase, puntos(k).x, L);
          const double gi = base_o_fallo(clase, puntos(k).x, L);
          A(i, j) = paso(A(i, j) + std::pow(gj, static_cast<double>(j - 1)) * std::pow(gi, static_cast<double>(i - 1)));
        }
      }
    }
    gauss_o_fallo(A, a, r);
  } catch (const fallo&) {
    return false;
  }
  return true;
}

std::optional<double> valor_ajuste(std::int16_t clase, const lista<double>& a, double x, double L) {
  if (a.cuantos() < 1) return std::nullopt;
  const auto g = funcion_base(clase, x, L);
  if (!g) return std::nullopt;
  double y = 0;
  for (int i = 1; i <= a.ultimo(); ++i) y += a(i) * std::pow(*g, static_cast<double>(i - 1));
  return finito(y);
}

// ---- Fourier series -------------------------------------------------------------

bool coeficientes_fourier(const lista_puntos& puntos, std::int16_t npuntos, std::int16_t primero,
                          std::int16_t parametro, lista<double>& a, lista<double>& b) {
  const int n = npuntos;
  if (n < 1) return false;
  auto x = [&](int k) { return puntos(k).x; };
  auto y = [&](int k) { return puntos(k).y; };
  try {
    const double L = paso(x(n) - x(1));
    for (int k = primero; k <= parametro; ++k) {
      const double w = paso((pi() + pi()) * k / L);
      a(k) = 0;
      b(k) = 0;
      for (int i = 1; i <= n - 1; ++i) {
        const double x1 = x(i), x2 = x(i + 1), y1 = y(i), y2 = y(i + 1);
        const double s = paso((y2 - y1) / (x2 - x1));
        if (k == 0) {
          a(0) = paso(a(0) + (x2 - x1) * (y1 + s * (x2 - x1) / 2.0));
        } else {
          a(k) = paso(a(k) + (s / w) * (std::cos(w * x2) - std::cos(w * x1)) + y2 * std::sin(w * x2) -
                      y1 * std::sin(w * x1));
          b(k) = paso(b(k) + (s / w) * (std::sin(w * x2) - std::sin(w * x1)) - y2 * std::cos(w * x2) +
                      y1 * std::cos(w * x1));
        }
      }
      a(k) = paso(a(k) / L);
      b(k) = paso(b(k) / L);
      if (k != 0) {
        a(k) = paso(2.0 * a(k) / w);
        b(k) = paso(2.0 * b(k) / w);
      }
    }
  } catch (const fallo&) {
    return false;
  }
  return true;
}

std::optional<double> valor_fourier(const lista<double>& a, const lista<double>& b, std::int16_t parametro,
                                    double x, double L) {
  if (parametro < 0 || a.primero() > 0 || a.ultimo() < parametro || b.primero() > 0 || b.ultimo() < parametro)
    return std::nullopt;
  double y = a(0);
  for (int k = 1; k <= parametro; ++k) {
    const int dos_k = 2 * k;  // a 16-bit integer in the formula: beyond it the step fails
    if (dos_k > std::numeric_limits<std::int16_t>::max()) return std::nullopt;
    const double arg = dos_k * pi() * x / L;
    y = y + a(k) * std::cos(arg) + b(k) * std::sin(arg);
  }
  return finito(y);
}

}  // namespace graficos
