// The numbers of the curve kinds: spline, interpolating polynomial,
// least-squares fits, the linear solver and the Fourier series, checked
// against values worked out by hand and against the properties that define
// each curve.
#include <QList>
#include <QPointF>
#include <QtTest>
#include <cmath>

#include "viewer/curvas.hpp"

using namespace graficos;

namespace {

lista_puntos de(const QList<QPointF>& p) {
  lista_puntos l(1, static_cast<int>(p.size()));
  for (int k = 0; k < p.size(); ++k) l(k + 1) = {p[k].x(), p[k].y()};
  return l;
}

QList<double> valores(const lista<double>& l) {
  QList<double> v;
  for (int k = l.primero(); k <= l.ultimo(); ++k) v.append(l(k));
  return v;
}

// Element by element within an absolute tolerance.
bool cerca(const QList<double>& a, const QList<double>& b, double tol = 1e-9) {
  if (a.size() != b.size()) return false;
  for (int k = 0; k < a.size(); ++k)
    if (!(std::fabs(a[k] - b[k]) <= tol)) return false;
  return true;
}

QByteArray texto(const QList<double>& v) {
  QByteArray t = "(";
  for (int k = 0; k < v.size(); ++k) t += (k ? ", " : "") + QByteArray::number(v[k], 'g', 17);
  return t + ")";
}

#define COMPARA_LISTAS(a, b, tol) QVERIFY2(cerca((a), (b), (tol)), texto(a) + " against " + texto(b))

matriz de_filas(const QList<QList<double>>& filas) {
  matriz A(static_cast<int>(filas.size()));
  for (int i = 0; i < filas.size(); ++i)
    for (int j = 0; j < filas.size(); ++j) A(i + 1, j + 1) = filas[i][j];
  return A;
}

lista<double> de_valores(int primero, const QList<double>& v) {
  lista<double> l(primero, primero + static_cast<int>(v.size()) - 1);
  for (int k = 0; k < v.size(); ++k) l(primero + k) = v[k];
  return l;
}

}  // namespace

class PruebaCurvas : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void polinomio_data();
  void polinomio();
  void polinomio_fallido_data();
  void polinomio_fallido();
  void lagrange_de_los_primeros_m();
  void valor_polinomio_con_potencias_sueltas();

  void spline_a_mano();
  void spline_data();
  void spline();
  void spline_fallido_data();
  void spline_fallido();

  void funcion_base_data();
  void funcion_base();
  void ajuste_data();
  void ajuste();
  void ajuste_fallido_deja_ceros();

  void gauss_data();
  void gauss();
  void gauss_desborde_conserva_lo_hecho();

  void fourier_data();
  void fourier();
  void fourier_fallido_conserva_lo_hecho();
  void valor_fourier();
};

// ---- interpolating polynomial -------------------------------------------------

void PruebaCurvas::polinomio_data() {
  QTest::addColumn<QList<QPointF>>("puntos");
  QTest::addColumn<QList<double>>("c");
  QTest::newRow("1 + x^2") << QList<QPointF>{{0, 1}, {1, 2}, {2, 5}} << QList<double>{1, 0, 1};
  QTest::newRow("one point") << QList<QPointF>{{3, 7}} << QList<double>{7};
  QTest::newRow("two points: the line") << QList<QPointF>{{1, 3}, {3, 7}} << QList<double>{1, 2};
  // -1 and 1 are equally near 0: the first is removed, the result is the same.
  QTest::newRow("equal |x|") << QList<QPointF>{{-1, 2}, {1, 0}} << QList<double>{1, -1};
  // 0 in the middle: removed in the first pass, its y never divided.
  QTest::newRow("zero inside") << QList<QPointF>{{-1, 4}, {0, 1}, {2, 1}} << QList<double>{1, -2, 1};
  // 1 - 2x + 0.5x^2 + x^3 through points none of which is at 0, in no order.
  QTest::newRow("cubic, no point at 0")
      << QList<QPointF>{{3, 26.5}, {-2, -1}, {1, 0.5}, {-1, 2.5}} << QList<double>{1, -2, 0.5, 1};
  // No point within 1e38 of 0: the nearest goes first all the same.
  QTest::newRow("every |x| at 1e38 or more") << QList<QPointF>{{2e39, 3}, {1e39, 1}} << QList<double>{-1, 2e-39};
  // Degree below the point count: the top coefficient comes out 0.
  QTest::newRow("line through three points")
      << QList<QPointF>{{0.5, 2}, {1.5, 4}, {4, 9}} << QList<double>{1, 2, 0};
}

void PruebaCurvas::polinomio() {
  QFETCH(QList<QPointF>, puntos);
  QFETCH(QList<double>, c);
  const auto p = graficos::polinomio(de(puntos));
  QVERIFY(p);
  COMPARA_LISTAS(valores(*p), c, 1e-12);
  // The power form passes through every point.
  for (const auto& q : puntos) QVERIFY(std::fabs(*valor_polinomio(*p, q.x()) - q.y()) < 1e-12);
}

void PruebaCurvas::polinomio_fallido_data() {
  QTest::addColumn<QList<QPointF>>("puntos");
  QTest::newRow("same x") << QList<QPointF>{{0, 1}, {2, 3}, {2, 5}};
  QTest::newRow("two points, same x") << QList<QPointF>{{1, 1}, {1, 2}};
  QTest::newRow("same x at 0") << QList<QPointF>{{0, 1}, {0, 2}};
  QTest::newRow("overflow") << QList<QPointF>{{1, 1e308}, {2, -1e308}};
}

void PruebaCurvas::polinomio_fallido() {
  QFETCH(QList<QPointF>, puntos);
  QVERIFY(!graficos::polinomio(de(puntos)));
}

void PruebaCurvas::lagrange_de_los_primeros_m() {
  const lista_puntos p = de({{0, 1}, {1, 3}, {2, 9}, {1, 100}});
  // The line through the first two points only: the rest of the list is unread,
  // though the fourth point repeats an x.
  QCOMPARE(*lagrange(p, 2, 3.0), 7.0);
  // Through the first three: 1 + 2x^2.
  QCOMPARE(*lagrange(p, 3, 3.0), 19.0);
  QCOMPARE(*lagrange(p, 3, 1.0), 3.0);
  QVERIFY(!lagrange(p, 4, 0.5));
  QCOMPARE(*lagrange(p, 0, 0.5), 0.0);
}

void PruebaCurvas::valor_polinomio_con_potencias_sueltas() {
  const auto c = de_valores(1, {1, 0, 1});
  QCOMPARE(*valor_polinomio(c, 0.0), 1.0);  // x^0 = 1 at 0 too
  QCOMPARE(*valor_polinomio(c, 3.0), 10.0);
  QCOMPARE(*valor_polinomio(c, -2.0), 5.0);
  QVERIFY(!valor_polinomio(c, 1e200));  // overflow gives no value
}

// ---- natural cubic spline ---------------------------------------------------

void PruebaCurvas::spline_a_mano() {
  // (0,0), (1,1), (2,0): S1 = 1.5x - 0.5x^3, S2 = 1 - 1.5(x-1)^2 + 0.5(x-1)^3.
  const lista_puntos p = de({{0, 0}, {1, 1}, {2, 0}});
  const auto s = graficos::spline(p);
  QVERIFY(s);
  COMPARA_LISTAS(valores(s->b), (QList<double>{1.5, 0, 0}), 1e-15);
  COMPARA_LISTAS(valores(s->c), (QList<double>{0, -1.5, 0}), 1e-15);
  COMPARA_LISTAS(valores(s->d), (QList<double>{-0.5, 0.5, 0}), 1e-15);
  QCOMPARE(*valor_spline(p, *s, 1, 0.5), 0.6875);
  QCOMPARE(*valor_spline(p, *s, 2, 1.5), 0.6875);
}

void PruebaCurvas::spline_data() {
  QTest::addColumn<QList<QPointF>>("puntos");
  QTest::addColumn<bool>("recta");
  QTest::newRow("line, uneven steps") << QList<QPointF>{{0, 1}, {1, 3}, {3, 7}, {3.5, 8}, {6, 13}} << true;
  QTest::newRow("two points") << QList<QPointF>{{-1, 4}, {2, -2}} << true;
  QTest::newRow("falling x, a line") << QList<QPointF>{{5, 0}, {3, 1}, {0, 2.5}} << true;
  QTest::newRow("uneven data") << QList<QPointF>{{0, 0}, {0.3, 2}, {1, -1}, {2.5, 0.5}, {2.7, 3}, {4, 1}}
                               << false;
}

void PruebaCurvas::spline() {
  QFETCH(QList<QPointF>, puntos);
  QFETCH(bool, recta);
  const lista_puntos p = de(puntos);
  const int n = p.cuantos();
  const auto s = graficos::spline(p);
  QVERIFY(s);
  auto S = [&](int j, double x, int derivada) {
    const double t = x - p(j).x;
    switch (derivada) {
      case 0: return p(j).y + s->b(j) * t + s->c(j) * t * t + s->d(j) * t * t * t;
      case 1: return s->b(j) + 2 * s->c(j) * t + 3 * s->d(j) * t * t;
      default: return 2 * s->c(j) + 6 * s->d(j) * t;
    }
  };
  for (int j = 1; j <= n - 1; ++j) {
    // Each piece joins its two points.
    QVERIFY(std::fabs(S(j, p(j + 1).x, 0) - p(j + 1).y) < 1e-12);
    QCOMPARE(*valor_spline(p, *s, j, p(j).x), p(j).y);
    if (recta) {
      const double pendiente = (p(j + 1).y - p(j).y) / (p(j + 1).x - p(j).x);
      QVERIFY(std::fabs(s->b(j) - pendiente) < 1e-12);
      QVERIFY(std::fabs(s->c(j)) < 1e-12);
      QVERIFY(std::fabs(s->d(j)) < 1e-12);
    }
  }
  // Slope and curvature continue across every inner point; the ends are natural.
  for (int j = 2; j <= n - 1; ++j) {
    QVERIFY(std::fabs(S(j - 1, p(j).x, 1) - S(j, p(j).x, 1)) < 1e-9);
    QVERIFY(std::fabs(S(j - 1, p(j).x, 2) - S(j, p(j).x, 2)) < 1e-9);
  }
  QVERIFY(std::fabs(S(1, p(1).x, 2)) < 1e-12);
  QVERIFY(std::fabs(S(n - 1, p(n).x, 2)) < 1e-9);
  QCOMPARE(s->c(n), 0.0);
}

void PruebaCurvas::spline_fallido_data() {
  QTest::addColumn<QList<QPointF>>("puntos");
  QTest::newRow("same x inside") << QList<QPointF>{{0, 0}, {1, 1}, {1, 2}, {3, 0}};
  QTest::newRow("same x first") << QList<QPointF>{{0, 0}, {0, 1}, {3, 0}};
  QTest::newRow("same x last") << QList<QPointF>{{0, 0}, {2, 1}, {2, 0}};
  QTest::newRow("two points, same x") << QList<QPointF>{{1, 0}, {1, 5}};
  QTest::newRow("overflow") << QList<QPointF>{{0, 1e308}, {1e-10, -1e308}, {2e-10, 1e308}};
}

void PruebaCurvas::spline_fallido() {
  QFETCH(QList<QPointF>, puntos);
  QVERIFY(!graficos::spline(de(puntos)));
}

// ---- least squares ------------------------------------------------------------

void PruebaCurvas::funcion_base_data() {
  QTest::addColumn<int>("clase");
  QTest::addColumn<double>("x");
  QTest::addColumn<double>("L");
  QTest::addColumn<bool>("hay");
  QTest::addColumn<double>("g");
  QTest::newRow("x") << 0 << -2.5 << 4.0 << true << -2.5;
  QTest::newRow("x, L = 0") << 0 << 3.0 << 0.0 << true << 3.0;
  QTest::newRow("sine quarter") << 1 << 1.0 << 4.0 << true << 1.0;
  QTest::newRow("sine of x, not x - x(1)") << 1 << 2.5 << 2.0 << true << 1.0;
  QTest::newRow("cosine half") << 2 << 1.5 << 3.0 << true << -1.0;
  QTest::newRow("cosine at 0") << 2 << 0.0 << 3.0 << true << 1.0;
  QTest::newRow("sine, L = 0") << 1 << 1.0 << 0.0 << false << 0.0;
  QTest::newRow("cosine, L = 0") << 2 << 0.0 << 0.0 << false << 0.0;
  QTest::newRow("class 3") << 3 << 1.0 << 2.0 << true << 0.0;
  QTest::newRow("class -1, L = 0") << -1 << 1.0 << 0.0 << true << 0.0;
}

void PruebaCurvas::funcion_base() {
  QFETCH(int, clase);
  QFETCH(double, x);
  QFETCH(double, L);
  QFETCH(bool, hay);
  QFETCH(double, g);
  const auto v = graficos::funcion_base(static_cast<std::int16_t>(clase), x, L);
  QCOMPARE(v.has_value(), hay);
  if (hay) QVERIFY2(std::fabs(*v - g) < 1e-15, QByteArray::number(*v, 'g', 17));
}

void PruebaCurvas::ajuste_data() {
  QTest::addColumn<int>("clase");
  QTest::addColumn<int>("parametro");
  QTest::addColumn<QList<QPointF>>("puntos");
  QTest::addColumn<QList<double>>("a");
  const QList<QPointF> recta{{0, 1}, {1, 3}, {2.5, 6}, {4, 9}};
  QTest::newRow("2x + 1, degree 1") << 0 << 1 << recta << QList<double>{1, 2};
  QTest::newRow("2x + 1, degree 2") << 0 << 2 << recta << QList<double>{1, 2, 0};
  QTest::newRow("degree 0: the mean") << 0 << 0 << QList<QPointF>{{0, 1}, {1, 5}, {5, 3}} << QList<double>{3};
  // A line through scattered points: the textbook normal equations.
  QTest::newRow("scattered, degree 1")
      << 0 << 1 << QList<QPointF>{{0, 0}, {1, 1}, {2, 1}, {3, 3}} << QList<double>{-0.1, 0.9};
  // y = 3 + 2 sin(2 pi x / 4) and 1 - 0.5 cos(2 pi x / 4) on x = 0 to 4.
  QList<QPointF> seno, coseno;
  for (int k = 0; k <= 8; ++k) {
    const double x = 0.5 * k;
    seno.append({x, 3 + 2 * std::sin(2 * M_PI * x / 4)});
    coseno.append({x, 1 - 0.5 * std::cos(2 * M_PI * x / 4)});
  }
  QTest::newRow("in sin") << 1 << 1 << seno << QList<double>{3, 2};
  QTest::newRow("in cos") << 2 << 1 << coseno << QList<double>{1, -0.5};
  // g = 0 everywhere: only the constant term is determined (the mean); the
  // singular rest takes its right-hand side, 0.
  QTest::newRow("class outside 0 to 2") << 3 << 2 << QList<QPointF>{{0, 1}, {1, 5}, {5, 3}, {6, 7}}
                                         << QList<double>{4, 0, 0};
  QTest::newRow("negative degree fits nothing") << 0 << -1 << recta << QList<double>{};
}

void PruebaCurvas::ajuste() {
  QFETCH(int, clase);
  QFETCH(int, parametro);
  QFETCH(QList<QPointF>, puntos);
  QFETCH(QList<double>, a);
  lista<double> calculado;
  const bool bien = ajuste_minimos_cuadrados(static_cast<std::int16_t>(clase), de(puntos),
                                             static_cast<std::int16_t>(parametro), calculado);
  QCOMPARE(bien, parametro >= 0);
  QCOMPARE(calculado.primero(), 1);
  COMPARA_LISTAS(valores(calculado), a, 1e-9);
  const double L = puntos.last().x() - puntos.first().x();
  if (!a.isEmpty()) {
    const double x = puntos.first().x();
    double y = 0;
    for (int i = 0; i < a.size(); ++i) y += a[i] * std::pow(*graficos::funcion_base(clase, x, L), i);
    QVERIFY(std::fabs(*valor_ajuste(static_cast<std::int16_t>(clase), calculado, x, L) - y) < 1e-9);
  } else {
    QVERIFY(!valor_ajuste(static_cast<std::int16_t>(clase), calculado, 0.0, L));
  }
}

void PruebaCurvas::ajuste_fallido_deja_ceros() {
  // A sine fit over points whose x range is 0: the basis divides by 0.
  lista<double> a;
  QVERIFY(!ajuste_minimos_cuadrados(1, de({{2, 1}, {3, 4}, {2, 5}}), 2, a));
  COMPARA_LISTAS(valores(a), (QList<double>{0, 0, 0}), 0.0);
  QVERIFY(!valor_ajuste(1, a, 2.5, 0.0));
  // The same points fitted in x need no L.
  QVERIFY(ajuste_minimos_cuadrados(0, de({{2, 1}, {3, 4}, {2, 5}}), 1, a));
  COMPARA_LISTAS(valores(a), (QList<double>{1, 1}), 1e-9);
}

// ---- the linear solver ---------------------------------------------------------

void PruebaCurvas::gauss_data() {
  QTest::addColumn<QList<QList<double>>>("A");
  QTest::addColumn<QList<double>>("r");
  QTest::addColumn<QList<double>>("x");
  QTest::newRow("plain") << QList<QList<double>>{{2, 1}, {1, 3}} << QList<double>{5, 10} << QList<double>{1, 3};
  QTest::newRow("zero first pivot") << QList<QList<double>>{{0, 1}, {2, 3}} << QList<double>{1, 8}
                                    << QList<double>{2.5, 1};
  // Row 2 has 0 in column 1 too: row 3 is the first with a non-zero entry.
  QTest::newRow("zero pivot, row 3 taken") << QList<QList<double>>{{0, 1, 1}, {0, 2, 1}, {1, 1, 1}}
                                           << QList<double>{3, 4, 6} << QList<double>{3, 1, 2};
  // A tiny pivot is used as it stands: x(1) loses everything (the true
  // solution is about (1, 1)).
  QTest::newRow("tiny pivot unchanged") << QList<QList<double>>{{1e-20, 1}, {1, 1}} << QList<double>{1, 2}
                                        << QList<double>{0, 1};
  // Singular: column 3 is all zero. The first later row (2), not the largest
  // entry (row 3), replaces the zero pivot; row 3 then keeps a zero pivot and
  // its right-hand side, 6 - 2 * 2, is taken as x(3).
  QTest::newRow("singular, first later row") << QList<QList<double>>{{0, 1, 0}, {1, 0, 0}, {2, 0, 0}}
                                             << QList<double>{1, 2, 6} << QList<double>{2, 1, 2};
  QTest::newRow("all zero") << QList<QList<double>>{{0, 0}, {0, 0}} << QList<double>{4, 5}
                            << QList<double>{4, 5};
  QTest::newRow("order 0") << QList<QList<double>>{} << QList<double>{} << QList<double>{};
}

void PruebaCurvas::gauss() {
  QFETCH(QList<QList<double>>, A);
  QFETCH(QList<double>, r);
  QFETCH(QList<double>, x);
  matriz M = de_filas(A);
  lista<double> derecha = de_valores(1, r);
  lista<double> solucion(1, static_cast<int>(r.size()));
  QVERIFY(graficos::gauss(M, solucion, derecha));
  COMPARA_LISTAS(valores(solucion), x, 1e-12);
  // The solution is what is left in r.
  QCOMPARE(valores(derecha), valores(solucion));
}

void PruebaCurvas::gauss_desborde_conserva_lo_hecho() {
  // The back substitution overflows on row 1, after x(2) was set.
  matriz A = de_filas({{1, 1e308}, {0, 1}});
  lista<double> r = de_valores(1, {0, 10});
  lista<double> x = de_valores(1, {-7, -7});
  QVERIFY(!graficos::gauss(A, x, r));
  QCOMPARE(valores(x), (QList<double>{-7, 10}));
}

// ---- Fourier series -------------------------------------------------------------

void PruebaCurvas::fourier_data() {
  QTest::addColumn<QList<QPointF>>("puntos");
  QTest::addColumn<int>("parametro");
  QTest::addColumn<QList<double>>("a");
  QTest::addColumn<QList<double>>("b");
  // p = 0: the trapezoid area, 1 + 4, over L = 3.
  QTest::newRow("p = 0: trapezoid mean") << QList<QPointF>{{0, 0}, {1, 2}, {3, 2}} << 0 << QList<double>{5.0 / 3}
                                         << QList<double>{0};
  QTest::newRow("constant") << QList<QPointF>{{-1, 2.5}, {0.5, 2.5}, {1, 2.5}, {3, 2.5}} << 2
                            << QList<double>{2.5, 0, 0} << QList<double>{0, 0, 0};
  // y = x on [0, 1]: a(k) = 0, b(k) = -1 / (pi k).
  QTest::newRow("ramp") << QList<QPointF>{{0, 0}, {0.25, 0.25}, {1, 1}} << 3 << QList<double>{0.5, 0, 0, 0}
                        << QList<double>{0, -1 / M_PI, -1 / (2 * M_PI), -1 / (3 * M_PI)};
  // The same ramp moved to [0.5, 1.5]: the phase is of x itself, so the odd
  // harmonics change sign.
  QTest::newRow("ramp from 0.5") << QList<QPointF>{{0.5, 0}, {1.5, 1}} << 2 << QList<double>{0.5, 0, 0}
                                 << QList<double>{0, 1 / M_PI, -1 / (2 * M_PI)};
  // A triangle on [0, 2], up to 1 at x = 1 and down again: cosines only,
  // a(k) = 2 (cos(pi k) - 1) / (pi k)^2.
  QTest::newRow("triangle") << QList<QPointF>{{0, 0}, {1, 1}, {2, 0}} << 2
                            << QList<double>{0.5, -4 / (M_PI * M_PI), 0} << QList<double>{0, 0, 0};
}

void PruebaCurvas::fourier() {
  QFETCH(QList<QPointF>, puntos);
  QFETCH(int, parametro);
  QFETCH(QList<double>, a);
  QFETCH(QList<double>, b);
  const lista_puntos p = de(puntos);
  lista<double> ca(0, parametro), cb(0, parametro);
  QVERIFY(coeficientes_fourier(p, static_cast<std::int16_t>(p.cuantos()), 0, static_cast<std::int16_t>(parametro),
                               ca, cb));
  COMPARA_LISTAS(valores(ca), a, 1e-12);
  COMPARA_LISTAS(valores(cb), b, 1e-12);
}

void PruebaCurvas::fourier_fallido_conserva_lo_hecho() {
  lista<double> a(0, 2), b(0, 2);
  // The second piece has no width: the mean stops after the first piece's
  // area, undivided; the harmonics are never reached.
  QVERIFY(!coeficientes_fourier(de({{0, 1}, {1, 1}, {1, 2}}), 3, 0, 2, a, b));
  QCOMPARE(valores(a), (QList<double>{1, 0, 0}));
  QCOMPARE(valores(b), (QList<double>{0, 0, 0}));
  // No x range at all.
  lista<double> a2(0, 1), b2(0, 1);
  QVERIFY(!coeficientes_fourier(de({{2, 1}, {3, 4}, {2, 5}}), 3, 0, 1, a2, b2));
  QCOMPARE(valores(a2), (QList<double>{0, 0}));
  // Only the points 1 to npuntos count: the line to the third point is unread.
  lista<double> a3(0, 0), b3(0, 0);
  QVERIFY(coeficientes_fourier(de({{0, 2}, {2, 4}, {2, 100}}), 2, 0, 0, a3, b3));
  QCOMPARE(a3(0), 3.0);
}

void PruebaCurvas::valor_fourier() {
  const auto a = de_valores(0, {1, 2});
  const auto b = de_valores(0, {0, 3});
  // L = 4, x = 1: the phase is pi / 2.
  QVERIFY(std::fabs(*graficos::valor_fourier(a, b, 1, 1.0, 4.0) - 4.0) < 1e-12);
  QCOMPARE(*graficos::valor_fourier(a, b, 0, 1.0, 4.0), 1.0);
  // The series of a triangle gives its peak back, near enough (the rest of
  // the series is below 0.006).
  const lista_puntos p = de({{0, 0}, {1, 1}, {2, 0}});
  lista<double> ca(0, 40), cb(0, 40);
  QVERIFY(coeficientes_fourier(p, 3, 0, 40, ca, cb));
  QVERIFY(std::fabs(*graficos::valor_fourier(ca, cb, 40, 1.0, 2.0) - 1.0) < 0.006);
  // Failing steps give no value: no x range, lists too short, 2k beyond 16 bits.
  QVERIFY(!graficos::valor_fourier(a, b, 1, 1.0, 0.0));
  QVERIFY(!graficos::valor_fourier(a, b, 2, 1.0, 4.0));
  QVERIFY(!graficos::valor_fourier(a, b, -1, 1.0, 4.0));
  lista<double> largo(0, 16384), ceros(0, 16384);
  QVERIFY(graficos::valor_fourier(largo, ceros, 16383, 1.0, 4.0));
  QVERIFY(!graficos::valor_fourier(largo, ceros, 16384, 1.0, 4.0));
}

QTEST_APPLESS_MAIN(PruebaCurvas)
#include "curvas_test.moc"
