// The drawing of the curve kinds 2 to 7 on a recording picture: the order of
// settings, markers and segments, the segment counts, where the segments
// start and end, skipped steps and the settings put back at the end.
#include <QList>
#include <QPointF>
#include <QStringList>
#include <QtTest>
#include <cmath>
#include <stdexcept>

#include "viewer/dibujo_curvas.hpp"

using namespace graficos;

namespace {

struct Op {
  QString que;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // a line's ends; a circle's centre and radius in x1, y1, x2
  int valor = 0;                          // a setting's value, a line's colour
};

// Records what is drawn, refusing what the real picture refuses: a colour
// outside the palette, a width below 1, a style outside 0 to 6.
class Grabador : public plano_curvas {
 public:
  explicit Grabador(double ancho = 10) : ancho_(ancho) {}
  QList<Op> ops;

  void setForeColor(std::int32_t c) override { ops.append({"ForeColor", 0, 0, 0, 0, paleta(c)}); }
  void setFillColor(std::int32_t c) override { ops.append({"FillColor", 0, 0, 0, 0, paleta(c)}); }
  void setFillStyle(int e) override {
    if (e < 0 || e > 7) throw std::invalid_argument("FillStyle");
    ops.append({"FillStyle", 0, 0, 0, 0, e});
  }
  void setDrawWidth(int g) override {
    if (g < 1) throw std::invalid_argument("DrawWidth");
    ops.append({"DrawWidth", 0, 0, 0, 0, g});
  }
  void setDrawStyle(int e) override {
    if (e < 0 || e > 6) throw std::invalid_argument("DrawStyle");
    ops.append({"DrawStyle", 0, 0, 0, 0, e});
  }
  double ScaleWidth() const override { return ancho_; }
  void Circle(double x, double y, double r) override { ops.append({"Circle", x, y, r, 0, 0}); }
  void Line(double x1, double y1, double x2, double y2, std::int32_t c) override {
    ops.append({"Line", x1, y1, x2, y2, paleta(c)});
  }

  // The operations in order, runs of one kind written once with their count:
  // "DrawWidth 2", "Circle", "Line x50".
  QString firma() const {
    QStringList partes;
    for (int k = 0; k < ops.size();) {
      const Op& o = ops[k];
      const bool ajuste = o.que != "Circle" && o.que != "Line";
      int j = k + 1;
      if (!ajuste)
        while (j < ops.size() && ops[j].que == o.que) ++j;
      QString t = o.que;
      if (ajuste) t += " " + QString::number(o.valor);
      if (j - k > 1) t += " x" + QString::number(j - k);
      partes << t;
      k = j;
    }
    return partes.join(" | ");
  }
  QList<Op> de(const QString& que) const {
    QList<Op> r;
    for (const Op& o : ops)
      if (o.que == que) r.append(o);
    return r;
  }

 private:
  static int paleta(std::int32_t c) {
    if (c < 0 || c > 15) throw std::out_of_range("QBColor");
    return c;
  }
  double ancho_;
};

lista_puntos de(const QList<QPointF>& p) {
  lista_puntos l(1, static_cast<int>(p.size()));
  for (int k = 0; k < p.size(); ++k) l(k + 1) = {p[k].x(), p[k].y()};
  return l;
}

// Draws one curve of kind `tipo` (2 to 7) as the graph window dispatches it.
void dibuja(plano_curvas& plano, int tipo, int parametro, int marcas, int grosor, int estilo, const lista_puntos& p,
            int color) {
  const auto n = static_cast<std::int16_t>(p.cuantos());
  const auto m = static_cast<std::int16_t>(marcas);
  const auto g = static_cast<std::int16_t>(grosor);
  const auto e = static_cast<std::int16_t>(estilo);
  const auto q = static_cast<std::int16_t>(parametro);
  switch (tipo) {
    case 2: return dibuja_spline(plano, m, n, g, e, p, color);
    case 3: return dibuja_polinomio(plano, m, n, g, e, p, color);
    case 4:
    case 5:
    case 6: return dibuja_ajuste(plano, static_cast<std::int16_t>(tipo - 4), q, m, n, g, e, p, color);
    case 7: return dibuja_fourier(plano, q, m, n, g, e, p, color);
    default: QFAIL("no such kind");
  }
}

const QString ajustes_4_2_1 = "ForeColor 4 | FillColor 4 | FillStyle 0 | DrawWidth 2 | DrawStyle 1";
const QString vuelta = "FillStyle 1 | DrawWidth 1 | DrawStyle 0";

// Each line starts where the one before it ended, with nothing infinite.
bool encadenadas(const QList<Op>& lineas) {
  for (int k = 0; k < lineas.size(); ++k) {
    const Op& l = lineas[k];
    if (!std::isfinite(l.x1) || !std::isfinite(l.y1) || !std::isfinite(l.x2) || !std::isfinite(l.y2)) return false;
    if (k > 0 && (l.x1 != lineas[k - 1].x2 || l.y1 != lineas[k - 1].y2)) return false;
  }
  return true;
}

}  // namespace

class PruebaDibujoCurvas : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void orden_data();
  void orden();
  void interpolantes_por_intervalos();
  void ajustadas_desde_su_valor();
  void marcas_con_su_radio();
  void abandonadas_sin_dibujo_data();
  void abandonadas_sin_dibujo();
  void ajustes_rechazados_data();
  void ajustes_rechazados();
  void segmentos_sin_valor_saltados();
};

void PruebaDibujoCurvas::orden_data() {
  QTest::addColumn<int>("tipo");
  QTest::addColumn<int>("parametro");
  QTest::addColumn<int>("marcas");
  QTest::addColumn<QList<QPointF>>("puntos");
  QTest::addColumn<QString>("firma");
  const QList<QPointF> cuatro{{0, 1}, {1, 3}, {2, 2}, {4, 5}};
  const QString intervalos_con_marcas = "Circle | Line x50 | Circle | Line x50 | Circle | Line x50 | Circle";
  const QString ajustada_con_marcas = "Circle x4 | Line x500";
  QTest::newRow("spline") << 2 << 0 << 1 << cuatro
                          << ajustes_4_2_1 + " | " + intervalos_con_marcas + " | " + vuelta;
  QTest::newRow("polynomial") << 3 << 0 << -1 << cuatro
                              << ajustes_4_2_1 + " | " + intervalos_con_marcas + " | " + vuelta;
  QTest::newRow("spline, no markers") << 2 << 0 << 0 << cuatro << ajustes_4_2_1 + " | Line x150 | " + vuelta;
  QTest::newRow("polynomial, two points") << 3 << 0 << 0 << QList<QPointF>{{0, 0}, {1, 1}}
                                          << ajustes_4_2_1 + " | Line x50 | " + vuelta;
  QTest::newRow("spline, one point") << 2 << 0 << 1 << QList<QPointF>{{2, 3}}
                                     << ajustes_4_2_1 + " | Circle | " + vuelta;
  QTest::newRow("polynomial, one point, no markers") << 3 << 0 << 0 << QList<QPointF>{{2, 3}}
                                                     << ajustes_4_2_1 + " | " + vuelta;
  QTest::newRow("fit in x") << 4 << 1 << 1 << cuatro
                            << ajustes_4_2_1 + " | " + ajustada_con_marcas + " | " + vuelta;
  QTest::newRow("fit in sin") << 5 << 2 << 1 << cuatro
                              << ajustes_4_2_1 + " | " + ajustada_con_marcas + " | " + vuelta;
  QTest::newRow("fit in cos") << 6 << 0 << 1 << cuatro
                              << ajustes_4_2_1 + " | " + ajustada_con_marcas + " | " + vuelta;
  QTest::newRow("Fourier") << 7 << 2 << 1 << cuatro
                           << ajustes_4_2_1 + " | " + ajustada_con_marcas + " | " + vuelta;
  QTest::newRow("Fourier, no markers") << 7 << 1 << 0 << cuatro << ajustes_4_2_1 + " | Line x500 | " + vuelta;
}

void PruebaDibujoCurvas::orden() {
  QFETCH(int, tipo);
  QFETCH(int, parametro);
  QFETCH(int, marcas);
  QFETCH(QList<QPointF>, puntos);
  QFETCH(QString, firma);
  Grabador g;
  dibuja(g, tipo, parametro, marcas, 2, 1, de(puntos), 4);
  QCOMPARE(g.firma(), firma);
  QVERIFY(encadenadas(g.de("Line").mid(0, 50)));
  for (const Op& l : g.de("Line")) QCOMPARE(l.valor, 4);
}

void PruebaDibujoCurvas::interpolantes_por_intervalos() {
  // The polynomial through these points is 1 + x^2; the spline of points on
  // a line is the line.
  struct Caso {
    int tipo;
    QList<QPointF> puntos;
    double (*f)(double);
  };
  const QList<Caso> casos{
      {3, {{0, 1}, {1, 2}, {2, 5}}, [](double x) { return 1 + x * x; }},
      {2, {{-1, -1}, {0.5, 2}, {3, 7}}, [](double x) { return 2 * x + 1; }},
  };
  for (const Caso& c : casos) {
    Grabador g;
    const lista_puntos p = de(c.puntos);
    dibuja(g, c.tipo, 0, 0, 1, 0, p, 9);
    const QList<Op> l = g.de("Line");
    QCOMPARE(l.size(), 100);
    for (int i = 1; i <= 2; ++i) {
      const QList<Op> tramo = l.mid((i - 1) * 50, 50);
      // The interval starts at its first point itself and ends at the next.
      QCOMPARE(tramo.first().x1, p(i).x);
      QCOMPARE(tramo.first().y1, p(i).y);
      QVERIFY(encadenadas(tramo));
      QVERIFY(std::fabs(tramo.last().x2 - p(i + 1).x) < 1e-12);
      QVERIFY(std::fabs(tramo.last().y2 - p(i + 1).y) < 1e-9);
      // 50 equal steps, each end on the curve.
      const double paso = (p(i + 1).x - p(i).x) / 50;
      for (const Op& s : tramo) {
        QVERIFY(std::fabs(s.x2 - s.x1 - paso) < 1e-12);
        QVERIFY(std::fabs(s.y2 - c.f(s.x2)) < 1e-9);
      }
    }
  }
}

void PruebaDibujoCurvas::ajustadas_desde_su_valor() {
  // The mean of 0, 2 and 1 is 1: the fitted line of degree 0 starts at (0, 1),
  // not at the first point (0, 0), and runs to x = 2 in 500 steps.
  const lista_puntos p = de({{0, 0}, {1, 2}, {2, 1}});
  for (const int tipo : {4, 7}) {
    Grabador g;
    dibuja(g, tipo, 0, 0, 1, 0, p, 2);
    const QList<Op> l = g.de("Line");
    QCOMPARE(l.size(), 500);
    QVERIFY(encadenadas(l));
    QCOMPARE(l.first().x1, 0.0);
    // Fourier of degree 0: the trapezoid mean, (1 + 1.5) / 2.
    const double y = tipo == 4 ? 1.0 : 1.25;
    for (const Op& s : l) {
      QVERIFY(std::fabs(s.y1 - y) < 1e-12);
      QVERIFY(std::fabs(s.x2 - s.x1 - 2.0 / 500) < 1e-12);
    }
    QVERIFY(std::fabs(l.last().x2 - 2.0) < 1e-12);
  }
  // A sine fit takes sin(2 pi x / L) of x itself: with L = 1 and points from
  // x = 0.25, 3 + 2 sin starts at 5.
  QList<QPointF> seno;
  for (int k = 0; k <= 8; ++k) {
    const double x = 0.25 + k / 8.0;
    seno.append({x, 3 + 2 * std::sin(2 * M_PI * x)});
  }
  Grabador g;
  dibuja(g, 5, 1, 0, 1, 0, de(seno), 2);
  const QList<Op> l = g.de("Line");
  QVERIFY(std::fabs(l.first().y1 - 5) < 1e-9);
  QVERIFY(std::fabs(l[249].y2 - 1) < 1e-9);  // half way: x = 0.75
}

void PruebaDibujoCurvas::marcas_con_su_radio() {
  const QList<QPointF> puntos{{0, 1}, {1, 3}, {2, 2}};
  for (const int tipo : {2, 3, 4, 7}) {
    Grabador g(8);
    dibuja(g, tipo, 1, 1, 3, 0, de(puntos), 1);
    const QList<Op> c = g.de("Circle");
    QCOMPARE(c.size(), 3);
    for (int k = 0; k < 3; ++k) {
      QCOMPARE(c[k].x1, puntos[k].x());
      QCOMPARE(c[k].y1, puntos[k].y());
      QCOMPARE(c[k].x2, 0.003 * 3 * 8);
    }
  }
}

// A curve whose coefficients meet a zero divisor or a value that is not
// finite is left out whole: no setting, no marker, no segment.
void PruebaDibujoCurvas::abandonadas_sin_dibujo_data() {
  QTest::addColumn<int>("tipo");
  QTest::addColumn<int>("parametro");
  QTest::addColumn<QList<QPointF>>("puntos");
  QTest::newRow("spline, same x") << 2 << 0 << QList<QPointF>{{0, 0}, {1, 1}, {1, 2}, {2, 0}};
  QTest::newRow("spline, two points, same x") << 2 << 0 << QList<QPointF>{{1, 0}, {1, 1}};
  QTest::newRow("polynomial, same x") << 3 << 0 << QList<QPointF>{{0, 0}, {1, 1}, {1, 2}};
  // The slope of a piece of no width.
  QTest::newRow("Fourier, same x inside") << 7 << 1 << QList<QPointF>{{0, 0}, {1, 1}, {1, 2}, {2, 0}};
  QTest::newRow("Fourier, same x and y") << 7 << 2 << QList<QPointF>{{0, 1}, {1, 3}, {1, 3}, {2, 2}, {3, 0}};
  QTest::newRow("Fourier, same x first, mean only") << 7 << 0 << QList<QPointF>{{0, 0}, {0, 4}, {3, 1}};
  QTest::newRow("Fourier, no x range") << 7 << 1 << QList<QPointF>{{1, 0}, {2, 1}, {1, 2}};
  // Sine and cosine divide by the x range.
  QTest::newRow("sine fit, no x range") << 5 << 1 << QList<QPointF>{{1, 0}, {2, 1}, {1, 2}};
  QTest::newRow("cosine fit, no x range") << 6 << 0 << QList<QPointF>{{1, 0}, {2, 1}, {1, 2}};
  // x^2 beyond the largest double in the normal equations.
  QTest::newRow("fit in x, overflow") << 4 << 1 << QList<QPointF>{{0, 0}, {1e200, 1}, {2e200, 2}};
}

void PruebaDibujoCurvas::abandonadas_sin_dibujo() {
  QFETCH(int, tipo);
  QFETCH(int, parametro);
  QFETCH(QList<QPointF>, puntos);
  Grabador g;
  dibuja(g, tipo, parametro, 1, 2, 1, de(puntos), 4);
  QCOMPARE(g.firma(), QString());
}

void PruebaDibujoCurvas::ajustes_rechazados_data() {
  QTest::addColumn<int>("tipo");
  QTest::addColumn<int>("grosor");
  QTest::addColumn<int>("estilo");
  QTest::addColumn<int>("color");
  QTest::addColumn<QString>("firma");
  // Width 0 and style 9 are refused: the curve is drawn with what the
  // picture had; markers of radius 0.
  QTest::newRow("spline, width and style") << 2 << 0 << 9 << 3
                                           << "ForeColor 3 | FillColor 3 | FillStyle 0 | Circle | Line x50 | Circle | "
                                                  "Line x50 | Circle | " + vuelta;
  QTest::newRow("fit, width and style") << 4 << -2 << -1 << 3
                                        << "ForeColor 3 | FillColor 3 | FillStyle 0 | Circle x3 | Line x500 | " +
                                               vuelta;
  // A colour outside the palette: no colour is set and no line is drawn;
  // the markers stand.
  QTest::newRow("polynomial, colour") << 3 << 1 << 0 << 16
                                      << "FillStyle 0 | DrawWidth 1 | DrawStyle 0 | Circle x3 | " +
                                             vuelta;
  QTest::newRow("Fourier, colour") << 7 << 2 << 2 << -1
                                   << "FillStyle 0 | DrawWidth 2 | DrawStyle 2 | Circle x3 | " + vuelta;
}

void PruebaDibujoCurvas::ajustes_rechazados() {
  QFETCH(int, tipo);
  QFETCH(int, grosor);
  QFETCH(int, estilo);
  QFETCH(int, color);
  QFETCH(QString, firma);
  Grabador g;
  dibuja(g, tipo, 1, 1, grosor, estilo, de({{0, 1}, {1, 3}, {2, 2}}), color);
  QCOMPARE(g.firma(), firma);
}

void PruebaDibujoCurvas::segmentos_sin_valor_saltados() {
  // 1e-200 x^2 through x = 0, 1e154 and 2e154: x^2 overflows beyond about
  // 1.34e154, so part of the second interval has no value.
  const lista_puntos p = de({{0, 0}, {1e154, 1e108}, {2e154, 4e108}});
  Grabador g;
  dibuja(g, 3, 0, 1, 1, 0, p, 0);
  const QList<Op> l = g.de("Line");
  QVERIFY(encadenadas(l.mid(0, 50)));
  QVERIFY(encadenadas(l.mid(50)));
  QVERIFY2(l.size() > 50 && l.size() < 100, QByteArray::number(l.size()));
  QVERIFY(g.firma().endsWith("Line x" + QString::number(l.size() - 50) + " | Circle | " + vuelta));
}

QTEST_APPLESS_MAIN(PruebaDibujoCurvas)
#include "dibujo_curvas_test.moc"
