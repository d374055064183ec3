// The picture box of the platform layer: user scale, the inverting pen,
// lines far outside the picture, and settings it refuses.
#include <QtTest>
#include <stdexcept>

#include "platform/lienzo.hpp"
#include "platform/twips.hpp"
#include "platform/vb.hpp"

using plataforma::Lienzo;

namespace {

int contar(const QImage& imagen, const QColor& color) {
  int n = 0;
  for (int y = 0; y < imagen.height(); ++y)
    for (int x = 0; x < imagen.width(); ++x)
      if (imagen.pixelColor(x, y) == color) ++n;
  return n;
}

}  // namespace

class PruebaLienzo : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void escala_de_usuario();
  void pluma_inversora();
  void lineas_lejanas();
  void ajustes_rechazados();
};

void PruebaLienzo::escala_de_usuario() {
  Lienzo l;
  l.resize(202, 102);  // a drawing area of 200 x 100 inside the border
  QCOMPARE(l.ScaleMode(), 1);
  QCOMPARE(l.ScaleWidth(), plataforma::twips_x(200));
  l.setScaleTop(4);
  l.setScaleLeft(-2);
  l.setScaleHeight(-5);  // y grows upward
  l.setScaleWidth(10);
  QCOMPARE(l.ScaleMode(), 0);
  QCOMPARE(l.a_pixeles(-2, 4), QPointF(0, 0));
  QCOMPARE(l.a_pixeles(8, -1), QPointF(200, 100));
  QCOMPARE(l.x_de_pixel(100), 3.0);
  QCOMPARE(l.y_de_pixel(20), 3.0);

  QWidget hijo(&l);
  hijo.resize(20, 10);
  l.colocar_hijo(&hijo, 3, 3);
  QCOMPARE(hijo.pos(), QPoint(101, 21));
  QCOMPARE(l.Left(&hijo), 3.0);
  QCOMPARE(l.Top(&hijo), 3.0);
  QCOMPARE(l.Height(&hijo), -0.5);
}

void PruebaLienzo::pluma_inversora() {
  Lienzo l;
  l.resize(102, 102);
  l.setScaleWidth(100);
  l.setScaleHeight(100);
  const QColor azul = plataforma::QBColor(1);
  l.setDrawMode(plataforma::vbMergePenNot);
  l.setDrawStyle(2);
  l.Box(10, 10, 60, 40, azul);
  const int puntos = contar(l.Image(), azul);
  QVERIFY(puntos > 0);
  QVERIFY(puntos < 2 * (50 + 30));  // dotted
  l.Box(10, 10, 60, 40, azul);
  QCOMPARE(contar(l.Image(), Qt::white), 100 * 100);

  l.setDrawMode(plataforma::vbCopyPen);
  l.Box(10, 10, 60, 40, azul);
  l.Box(10, 10, 60, 40, azul);
  QCOMPARE(contar(l.Image(), azul), puntos);
}

void PruebaLienzo::lineas_lejanas() {
  Lienzo l;
  l.resize(102, 102);
  l.setScaleLeft(0);
  l.setScaleTop(1e-6);
  l.setScaleWidth(1e-6);  // a deep zoom: the lines' ends lie some 1e8 pixels away
  l.setScaleHeight(-1e-6);
  l.setDrawStyle(2);
  l.Line(-1, 0.5e-6, 1, 0.5e-6, Qt::black);
  const int negros = contar(l.Image(), Qt::black);
  QVERIFY2(negros >= 45 && negros <= 55, qPrintable(QString::number(negros)));  // one dotted row
  for (int x = 0; x < 100; ++x)
    for (int y = 0; y < 100; ++y)
      if (l.Image().pixelColor(x, y) == Qt::black) QVERIFY(qAbs(y - 50) <= 1);
  // A diagonal through the picture, from far outside to far outside.
  l.setDrawStyle(0);
  l.Line(-1, -1, 1, 1, Qt::red);
  QCOMPARE(l.Image().pixelColor(25, 75), QColor(Qt::red));
  QCOMPARE(l.Image().pixelColor(75, 25), QColor(Qt::red));
  l.Line(-1e300, -1e300, -2e300, -1e300, Qt::blue);  // wholly outside: nothing
  QCOMPARE(contar(l.Image(), Qt::blue), 0);
}

void PruebaLienzo::ajustes_rechazados() {
  Lienzo l;
  QVERIFY_THROWS_EXCEPTION(std::invalid_argument, l.setDrawWidth(0));
  QVERIFY_THROWS_EXCEPTION(std::invalid_argument, l.setDrawStyle(7));
  QVERIFY_THROWS_EXCEPTION(std::invalid_argument, l.setDrawMode(0));
  QVERIFY_THROWS_EXCEPTION(std::invalid_argument, l.setFillStyle(8));
  QCOMPARE(l.DrawWidth(), 1);
  QCOMPARE(l.DrawStyle(), 0);
}

QTEST_MAIN(PruebaLienzo)
#include "lienzo_test.moc"
