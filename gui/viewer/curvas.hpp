#pragma once
// The numbers behind the curve kinds that are not plain polylines: the
// natural cubic spline and the interpolating polynomial through the points,
// the least-squares polynomial in a basis function and the Fourier series of
// the joined points. Plain functions of points and coefficients; the drawing
// routines only walk them.
//
// A step fails when it divides by zero or gives a value that is not finite.
// Each routine says what a failure does: the coefficient routines report it
// (the drawing then leaves the curve out), and the evaluations give no value
// (the drawing skips that segment).
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <vector>

namespace graficos {

// A list indexed from `primero` to `ultimo`, every element starting at its
// default value. Indices outside the bounds throw std::out_of_range.
template <class T>
class lista {
 public:
  lista() = default;
  lista(int primero, int ultimo)
      : primero_(primero), v_(static_cast<std::size_t>(ultimo >= primero ? ultimo - primero + 1 : 0)) {}
  lista(int primero, std::initializer_list<T> valores) : primero_(primero), v_(valores) {}

  T& operator()(int i) { return v_.at(indice(i)); }
  const T& operator()(int i) const { return v_.at(indice(i)); }
  int primero() const { return primero_; }
  int ultimo() const { return primero_ + static_cast<int>(v_.size()) - 1; }
  int cuantos() const { return static_cast<int>(v_.size()); }

 private:
  std::size_t indice(int i) const {
    if (i < primero_) throw std::out_of_range("lista: index below its first");
    return static_cast<std::size_t>(i - primero_);
  }
  int primero_ = 1;
  std::vector<T> v_;
};

struct punto {
  double x = 0;
  double y = 0;
};

// The points of one curve, 1 to n, in stored order.
using lista_puntos = lista<punto>;

// A square matrix of order m, rows and columns 1 to m, all zero at first.
class matriz {
 public:
  explicit matriz(int m) : m_(m < 0 ? 0 : m), v_(static_cast<std::size_t>(m_) * static_cast<std::size_t>(m_)) {}
  double& operator()(int i, int j) { return v_.at(indice(i, j)); }
  double operator()(int i, int j) const { return v_.at(indice(i, j)); }
  int orden() const { return m_; }

 private:
  std::size_t indice(int i, int j) const {
    if (i < 1 || i > m_ || j < 1 || j > m_) throw std::out_of_range("matriz: index outside 1 to m");
    return static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(m_) + static_cast<std::size_t>(j - 1);
  }
  int m_;
  std::vector<double> v_;
};

// ---- natural cubic spline ---------------------------------------------------

// On interval j (1 to n - 1) the spline is
// y(j) + b(j) (x - x(j)) + c(j) (x - x(j))^2 + d(j) (x - x(j))^3; the lists run
// 1 to n, c(n) = 0 (the second derivative is zero at both ends).
struct coeficientes_spline {
  lista<double> b, c, d;
};

// The tridiagonal solution (h, alpha, l, mu, z) and then b, c and d. When a
// step of the tridiagonal solution fails (two points with the same x, among
// others) there is no spline. A failing step of the back substitution only
// leaves that coefficient at 0. One point gives the empty spline.
std::optional<coeficientes_spline> spline(const lista_puntos& puntos);

// The spline of interval j at x; none when the value is not finite.
std::optional<double> valor_spline(const lista_puntos& puntos, const coeficientes_spline& s, int j, double x);

// ---- interpolating polynomial -------------------------------------------------

// The value at x of the polynomial through points 1 to m of p (Lagrange's
// form, the factors taken in increasing order); none when a step fails.
std::optional<double> lagrange(const lista_puntos& p, int m, double x);

// The power form c(1) + c(2) x + ... + c(n) x^(n-1) of the polynomial through
// the n points, by repeated evaluation at zero: each pass takes the value at
// 0, removes the point nearest 0 and divides the others' remainders by
// their x. None when a step fails (two points with the same x, among others).
std::optional<lista<double>> polinomio(const lista_puntos& puntos);

// c(1) + c(2) x + ... with every power taken separately (x^0 = 1); none when
// the value is not finite.
std::optional<double> valor_polinomio(const lista<double>& c, double x);

// ---- least squares ------------------------------------------------------------

// pi as 4 arctan(1).
double pi();

// The basis function of `clase`: 0 gives x, 1 sin(2 pi x / L), 2 cos(2 pi x / L),
// any other 0. None when the step fails (L = 0 for classes 1 and 2).
std::optional<double> funcion_base(std::int16_t clase, double x, double L);

// Solves A x = r by elimination in index order: an exact zero pivot takes the
// first later row with a non-zero entry in its column (the only row exchange);
// a pivot that stays zero leaves its row alone, so a singular system still
// gives numbers, without report. A and r change on the way; x(i) takes r(i)
// row by row from the last. False when a step fails: x keeps what it had.
bool gauss(matriz& A, lista<double>& x, lista<double>& r);

// Fits a(1) + a(2) g + ... + a(p + 1) g^p, g = funcion_base(clase, x, L), to the
// points by their normal equations; L = x(n) - x(1). a is sized 1 to p + 1,
// zero at first (empty for a negative p, which fits nothing). False when a
// step fails: the rest of the computation is given up and a keeps the values
// it had then.
bool ajuste_minimos_cuadrados(std::int16_t clase, const lista_puntos& puntos, std::int16_t parametro,
                              lista<double>& a);

// The fitted curve at x with the same L; none when a step fails or a is empty.
std::optional<double> valor_ajuste(std::int16_t clase, const lista<double>& a, double x, double L);

// ---- Fourier series -------------------------------------------------------------

// a(k) and b(k), k from `primero` to `parametro`, of the points 1 to npuntos
// joined by straight lines, each line piece integrated exactly: a(0) is the
// mean of the joined line over [x(1), x(n)], a(k) and b(k) are 2 / L times
// its integrals with cos and sin of 2 pi k x / L; b(0) stays 0. a and b must
// hold indices `primero` to `parametro`. False when a step fails: the rest of
// the computation is given up, the coefficients keep what they had then.
bool coeficientes_fourier(const lista_puntos& puntos, std::int16_t npuntos, std::int16_t primero,
                          std::int16_t parametro, lista<double>& a, lista<double>& b);

// a(0) + the sum over k = 1 to p of a(k) cos(2k pi x / L) + b(k) sin(2k pi x / L),
// 2k a 16-bit integer; none when a step fails or when a and b do not hold
// 0 to p.
std::optional<double> valor_fourier(const lista<double>& a, const lista<double>& b, std::int16_t parametro,
                                    double x, double L);

}  // namespace graficos
