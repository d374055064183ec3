// The curve kinds 2 to 7 on the real picture box and in the graph window:
// where the curve lands, the settings afterwards, refused settings, and a
// plot file with every kind.
#include <QLabel>
#include <QtTest>
#include <cmath>

#include "grafica_comun.hpp"
#include "platform/lienzo.hpp"
#include "platform/vb.hpp"
#include "viewer/curvas.hpp"
#include "viewer/curvas_lienzo.hpp"
#include "viewer/frmgraficos.hpp"
#include "viewer/graficos.hpp"

using plataforma::Lienzo;
using plataforma::QBColor;
using prueba::Curva;
using prueba::grafica;

namespace {

int contar(const QImage& imagen, const QColor& color) {
  int n = 0;
  for (int y = 0; y < imagen.height(); ++y)
    for (int x = 0; x < imagen.width(); ++x)
      if (imagen.pixelColor(x, y) == color) ++n;
  return n;
}

// A pixel of the colour within a pixel or two of (x, y) in the picture's scale.
bool cerca_de(const Lienzo& l, double x, double y, const QColor& color) {
  const QPointF p = l.a_pixeles(x, y);
  const QImage& imagen = l.Image();
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx) {
      const QPoint q(qRound(p.x()) + dx, qRound(p.y()) + dy);
      if (imagen.rect().contains(q) && imagen.pixelColor(q) == color) return true;
    }
  return false;
}

// A picture of 400 x 300 pixels showing x from 0 to 4 and y from 0 to 3.
void preparar(Lienzo& l) {
  l.resize(402, 302);
  l.setScaleLeft(0);
  l.setScaleTop(3);
  l.setScaleWidth(4);
  l.setScaleHeight(-3);
  l.Cls();
  // Settings a curve must not leave behind.
  l.setFillStyle(3);
  l.setDrawWidth(5);
  l.setDrawStyle(2);
}

global::lista_vertices vertices(const std::vector<QPointF>& p) {
  global::lista_vertices l;
  l.redim_preserve(static_cast<int>(p.size()));
  for (std::size_t k = 0; k < p.size(); ++k) l(static_cast<int>(k) + 1) = {p[k].x(), p[k].y()};
  return l;
}

graficos::lista_puntos puntos_curva(const std::vector<QPointF>& p) {
  graficos::lista_puntos l(1, static_cast<int>(p.size()));
  for (std::size_t k = 0; k < p.size(); ++k) l(static_cast<int>(k) + 1) = {p[k].x(), p[k].y()};
  return l;
}

void dibuja(Lienzo& l, int tipo, int parametro, int marcas, int grosor, const std::vector<QPointF>& p, int color) {
  const auto v = vertices(p);
  const auto n = static_cast<std::int16_t>(p.size());
  const auto m = static_cast<std::int16_t>(marcas);
  const auto g = static_cast<std::int16_t>(grosor);
  const auto q = static_cast<std::int16_t>(parametro);
  switch (tipo) {
    case 2: return graficos::dibuja_spline(l, m, n, g, 0, v, color);
    case 3: return graficos::dibuja_polinomio(l, m, n, g, 0, v, color);
    case 7: return graficos::dibuja_fourier(l, q, m, n, g, 0, v, color);
    default: return graficos::dibuja_ajuste(l, static_cast<std::int16_t>(tipo - 4), q, m, n, g, 0, v, color);
  }
}

const std::vector<QPointF> puntos_base{{0, 1}, {1, 2}, {2, 1.5}, {4, 2.5}};

}  // namespace

class PruebaCurvasLienzo : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { prueba::limpiar_visor(); }
  void en_su_sitio_data();
  void en_su_sitio();
  void ajustes_rechazados();
  void cada_tipo_en_la_ventana();
};

void PruebaCurvasLienzo::en_su_sitio_data() {
  QTest::addColumn<int>("tipo");
  QTest::addColumn<int>("parametro");
  QTest::newRow("spline") << 2 << 0;
  QTest::newRow("polynomial") << 3 << 0;
  QTest::newRow("fit in x") << 4 << 2;
  QTest::newRow("fit in sin") << 5 << 1;
  QTest::newRow("fit in cos") << 6 << 1;
  QTest::newRow("Fourier") << 7 << 2;
}

void PruebaCurvasLienzo::en_su_sitio() {
  QFETCH(int, tipo);
  QFETCH(int, parametro);
  Lienzo l;
  preparar(l);
  dibuja(l, tipo, parametro, 1, 1, puntos_base, 12);
  const QColor rojo = QBColor(12);

  // The curve's own values, from the numbers behind it.
  const auto p = puntos_curva(puntos_base);
  const double L = 4;
  auto valor = [&](double x) -> double {
    switch (tipo) {
      case 2: {
        const auto s = graficos::spline(p);
        const int j = x < 1 ? 1 : x < 2 ? 2 : 3;
        return *graficos::valor_spline(p, *s, j, x);
      }
      case 3: return *graficos::valor_polinomio(*graficos::polinomio(p), x);
      case 7: {
        graficos::lista<double> a(0, parametro), b(0, parametro);
        graficos::coeficientes_fourier(p, 4, 0, static_cast<std::int16_t>(parametro), a, b);
        return *graficos::valor_fourier(a, b, static_cast<std::int16_t>(parametro), x, L);
      }
      default: {
        graficos::lista<double> a;
        graficos::ajuste_minimos_cuadrados(static_cast<std::int16_t>(tipo - 4), p,
                                           static_cast<std::int16_t>(parametro), a);
        return *graficos::valor_ajuste(static_cast<std::int16_t>(tipo - 4), a, x, L);
      }
    }
  };
  for (const double x : {0.3, 1.5, 2.8, 3.6}) {
    const double y = valor(x);
    if (y < 0 || y > 3) continue;  // outside the view
    QVERIFY2(cerca_de(l, x, y, rojo), qPrintable(QString("no curve at (%1, %2)").arg(x).arg(y)));
  }
  // Filled markers at the points, in the curve's colour.
  for (const QPointF& q : puntos_base) QVERIFY(cerca_de(l, q.x(), q.y(), rojo));
  // Only the fill style, the width and the style go back.
  QCOMPARE(l.FillStyle(), 1);
  QCOMPARE(l.DrawWidth(), 1);
  QCOMPARE(l.DrawStyle(), 0);
  QCOMPARE(l.ForeColor(), rojo);
  QCOMPARE(l.FillColor(), rojo);
}

void PruebaCurvasLienzo::ajustes_rechazados() {
  for (const int tipo : {2, 3, 4, 7}) {
    // A colour outside the palette: nothing is drawn, and nothing escapes.
    Lienzo l;
    preparar(l);
    dibuja(l, tipo, 1, 0, 1, puntos_base, 16);
    QCOMPARE(contar(l.Image(), Qt::white), 400 * 300);
    QCOMPARE(l.FillStyle(), 1);
    QCOMPARE(l.DrawWidth(), 1);
    QCOMPARE(l.DrawStyle(), 0);

    // Width 0 is refused: the curve is drawn with the width the picture had.
    Lienzo m;
    preparar(m);
    dibuja(m, tipo, 1, 0, 0, puntos_base, 9);
    QVERIFY(contar(m.Image(), QBColor(9)) > 0);
    QCOMPARE(m.DrawWidth(), 1);
  }
}

void PruebaCurvasLienzo::cada_tipo_en_la_ventana() {
  prueba::Visor v;
  std::vector<Curva> curvas;
  auto curva = [&](int tipo, std::optional<int> parametro, int color, std::vector<QPointF> puntos) {
    Curva c;
    c.leyenda = "tipo " + QString::number(tipo);
    c.tipo = tipo;
    c.parametro = parametro;
    c.color = color;
    c.marcas = tipo == 0 ? 1 : 0;
    c.puntos = std::move(puntos);
    curvas.push_back(c);
  };
  curva(0, std::nullopt, 1, {{2, 2}, {8, 8}});
  curva(1, std::nullopt, 2, {{0, 1}, {10, 2}});
  // A spline that gives up (two points with the same x) draws nothing; the
  // pass goes on with the next curve and its legend.
  curva(2, std::nullopt, 3, {{0, 5}, {5, 6}, {5, 7}, {10, 5}});
  curva(2, std::nullopt, 4, {{0, 3}, {3, 5}, {6, 2}, {10, 4}});
  // Eleven points: the polynomial runs far beyond the view between the last ones.
  std::vector<QPointF> runge;
  for (int k = 0; k <= 10; ++k) runge.emplace_back(k, 6 + 3 / (1 + std::pow(k - 5.0, 2)));
  curva(3, std::nullopt, 5, runge);
  curva(4, 2, 9, {{0, 8}, {2, 7}, {4, 7.5}, {6, 8.5}, {8, 8}, {10, 9}});
  curva(5, 1, 10, {{0, 4}, {2.5, 5}, {5, 4}, {7.5, 3}, {10, 4}});
  curva(6, 1, 12, {{0, 1}, {2.5, 0}, {5, 1}, {7.5, 2}, {10, 1}});
  curva(7, 3, 13, {{0, 9}, {1, 9}, {2, 10}, {4, 10}, {5, 9}, {7, 9}, {8, 10}, {10, 10}});

  frmgraficos* w = v.abrir(grafica(curvas));
  QVERIFY(w != nullptr);
  QCOMPARE(v.guion.cajas.size(), 0);
  const QImage& imagen = w->pctgrafico->Image();
  for (const int color : {1, 2, 4, 5, 9, 10, 12, 13})
    QVERIFY2(contar(imagen, QBColor(color)) > 0, qPrintable(QString("colour %1").arg(color)));
  QCOMPARE(contar(imagen, QBColor(3)), 0);
  for (int i = 1; i <= 9; ++i) QVERIFY(!w->lbleyenda(i)->isHidden());
  QCOMPARE(w->pctgrafico->DrawWidth(), 1);
  QCOMPARE(w->pctgrafico->FillStyle(), 1);
}

QTEST_MAIN(PruebaCurvasLienzo)
#include "curvas_lienzo_test.moc"
