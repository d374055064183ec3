// The graph window: layout and scale, drawing, the mouse and keyboard
// (zoom, full view, coordinates, legends, typed bounds), printing and the
// clipboard.
#include <QClipboard>
#include <QProcess>
#include <QDate>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QtTest>
#include <malloc.h>
#include <sys/resource.h>

#include "frame/frmAbout.hpp"
#include "grafica_comun.hpp"
#include "platform/escritorio.hpp"
#include "platform/app.hpp"
#include "platform/impresora.hpp"
#include "platform/lienzo.hpp"
#include "platform/mensajes.hpp"
#include "platform/twips.hpp"
#include "platform/vb.hpp"
#include "viewer/frmgraficos.hpp"
#include "viewer/graficos.hpp"

using prueba::Curva;
using prueba::grafica;

namespace {

QString f4(double v) { return plataforma::Format(v, u"####0.0000"); }

// The point of the plot widget where plot coordinates (x, y) fall.
QPoint en(const frmgraficos* w, double x, double y) {
  const QPointF p = w->pctgrafico->a_pixeles(x, y);
  const int b = w->pctgrafico->BorderStyle();
  return QPoint(qRound(p.x()) + b, qRound(p.y()) + b);
}

// Plot coordinates of a point of the plot widget, as the mouse reports them.
QPointF unidades(const frmgraficos* w, QPoint p) {
  const int b = w->pctgrafico->BorderStyle();
  return {w->pctgrafico->x_de_pixel(p.x() - b), w->pctgrafico->y_de_pixel(p.y() - b)};
}

int contar(const QImage& imagen, const QColor& color) {
  int n = 0;
  for (int y = 0; y < imagen.height(); ++y)
    for (int x = 0; x < imagen.width(); ++x)
      if (imagen.pixelColor(x, y) == color) ++n;
  return n;
}

// The pixels of mostly one primary colour, as smoothed text leaves them:
// that channel stands well above both others.
int contar_tono(const QImage& imagen, const QColor& primario) {
  int n = 0;
  for (int y = 0; y < imagen.height(); ++y)
    for (int x = 0; x < imagen.width(); ++x) {
      const QColor c = imagen.pixelColor(x, y);
      const int r = c.red(), g = c.green(), b = c.blue();
      const int tono = primario.red() ? r - std::max(g, b) : primario.green() ? g - std::max(r, b) : b - std::max(r, g);
      if (tono > 100) ++n;
    }
  return n;
}

// The run of pixels of a colour through (x, y) along the row.
int ancho_en_fila(const QImage& imagen, QPoint centro, const QColor& color) {
  int n = 0;
  for (int x = 0; x < imagen.width(); ++x)
    if (imagen.pixelColor(x, centro.y()) == color) ++n;
  return n;
}

// A window on two black polylines spanning (-2, -1) to (3, 4).
frmgraficos* ventana_basica(prueba::Visor& v) {
  Curva a, b;
  a.leyenda_x = a.leyenda_y = 0;
  a.puntos = {{-2, -1}, {3, 4}};
  b.leyenda_x = b.leyenda_y = 0;
  b.puntos = {{-2, 4}, {3, -1}};
  return v.abrir(grafica({a, b}));
}

QStringList esquinas(const frmgraficos* w) {
  return {w->leyescala(1)->text(), w->leyescala(2)->text(), w->leyescala(3)->text(), w->leyescala(4)->text()};
}

void arrastrar(QWidget* control, QPoint desde, QPoint hasta, Qt::MouseButton boton = Qt::LeftButton) {
  QTest::mousePress(control, boton, {}, desde);
  QTest::mouseMove(control, (desde + hasta) / 2);
  QTest::mouseMove(control, hasta);
  QTest::mouseRelease(control, boton, {}, hasta);
}

}  // namespace

class PruebaFrmgraficos : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() { prueba::limpiar_visor(); }
  void esquinas_al_cargar();
  void zoom_en_ambos_sentidos();
  void clic_sin_movimiento();
  void boton_derecho_vuelve_a_los_datos();
  void recuadro_de_zoom();
  void consejo_de_coordenadas();
  void escala_data();
  void escala();
  void leyendas_automatica_y_oculta();
  void radio_de_marcas();
  void marcas_sin_trazo();
  void grosor_y_color_de_linea();
  void tamano_minimo();
  void leyenda_arrastrada();
  void escala_tecleada();
  void escala_tecleada_sin_numero();
  void esquina_rechazada_y_redimensionar();
  void vista_de_datos_rechazada();
  void ajuste_imposible_fuera_del_dibujo();
  void imprimir_grafica();
  void portapapeles_y_leyendas_ocultas();
  void zoom_copiado_e_impreso_data();
  void zoom_copiado_e_impreso();
  void imagen_imposible();
  void logo_y_descarga();
};

void PruebaFrmgraficos::esquinas_al_cargar() {
  prueba::Visor v;
  frmgraficos* w = ventana_basica(v);
  QVERIFY(w != nullptr);
  QCOMPARE(esquinas(w), (QStringList{"4.0000", "-1.0000", "-2.0000", "3.0000"}));
  QCOMPARE(w->pctgrafico->ScaleLeft(), -2.0);
  QCOMPARE(w->pctgrafico->ScaleTop(), 4.0);
  QCOMPARE(w->pctgrafico->ScaleWidth(), 5.0);
  QCOMPARE(w->pctgrafico->ScaleHeight(), -5.0);
  QCOMPARE(w->lbx->text(), QString("eje x"));
  QCOMPARE(w->lby->text(), QString("eje y"));
  QCOMPARE(w->lbcomentario->text(), QString("comentario"));
  QCOMPARE(w->btclipb->text(), QString("en122"));
  QCOMPARE(w->btprint->text(), QString("en10"));
  QCOMPARE(w->btdaceptar->text(), QString("en11"));
  QCOMPARE(v.guion.cajas.size(), 0);
}

void PruebaFrmgraficos::zoom_en_ambos_sentidos() {
  prueba::Visor v;
  frmgraficos* w = ventana_basica(v);
  QVERIFY(w != nullptr);
  const QPoint arriba_izquierda = en(w, -1, 3), abajo_derecha = en(w, 2, 0);
  const QPointF a = unidades(w, arriba_izquierda), b = unidades(w, abajo_derecha);

  arrastrar(w->pctgrafico, abajo_derecha, arriba_izquierda);
  const QStringList zoom = esquinas(w);
  QCOMPARE(zoom, (QStringList{f4(a.y()), f4(b.y()), f4(a.x()), f4(b.x())}));
  QCOMPARE(graficos::minimo.x, a.x());
  QCOMPARE(graficos::minimo.y, b.y());
  QCOMPARE(graficos::maximo.x, b.x());
  QCOMPARE(graficos::maximo.y, a.y());

  // The opposite drag, from the full view again, gives the same box.
  graficos::minimo = graficos::minimo_datos;
  graficos::maximo = graficos::maximo_datos;
  w->dibuja();
  arrastrar(w->pctgrafico, arriba_izquierda, abajo_derecha);
  QCOMPARE(esquinas(w), zoom);
  QCOMPARE(graficos::minimo.x, a.x());
  QCOMPARE(graficos::maximo.y, a.y());
  QCOMPARE(w->pctgrafico->DrawMode(), plataforma::vbCopyPen);
  QCOMPARE(v.guion.cajas.size(), 0);
}

void PruebaFrmgraficos::clic_sin_movimiento() {
  prueba::Visor v;
  frmgraficos* w = ventana_basica(v);
  QVERIFY(w != nullptr);
  const QImage antes = w->pctgrafico->Image();
  const QStringList esquinas_antes = esquinas(w);
  QTest::mouseClick(w->pctgrafico, Qt::LeftButton, {}, en(w, 0, 1));
  QCOMPARE(w->pctgrafico->Image(), antes);
  QCOMPARE(esquinas(w), esquinas_antes);
  // The view is the one shown, so the next redraw has nothing to refuse;
  // a box of no height does the same.
  arrastrar(w->pctgrafico, en(w, -1, 1), en(w, 2, 1));
  QCOMPARE(graficos::minimo.x, -2.0);
  QCOMPARE(graficos::maximo.y, 4.0);
  QCOMPARE(w->pctgrafico->DrawMode(), plataforma::vbCopyPen);
  w->Form_Resize();
  QCOMPARE(esquinas(w), esquinas_antes);
  QCOMPARE(v.guion.cajas.size(), 0);
}

void PruebaFrmgraficos::boton_derecho_vuelve_a_los_datos() {
  prueba::Visor v;
  frmgraficos* w = ventana_basica(v);
  QVERIFY(w != nullptr);
  arrastrar(w->pctgrafico, en(w, -1, 3), en(w, 2, 0));
  QVERIFY(esquinas(w) != (QStringList{"4.0000", "-1.0000", "-2.0000", "3.0000"}));
  QTest::mouseClick(w->pctgrafico, Qt::RightButton, {}, en(w, 0, 1));
  QCOMPARE(esquinas(w), (QStringList{"4.0000", "-1.0000", "-2.0000", "3.0000"}));
  QCOMPARE(graficos::minimo.x, -2.0);
  QCOMPARE(graficos::maximo.y, 4.0);
}

void PruebaFrmgraficos::recuadro_de_zoom() {
  prueba::Visor v;
  frmgraficos* w = ventana_basica(v);
  QVERIFY(w != nullptr);
  const QColor azul = plataforma::QBColor(1);
  // Between the two curves, y = x + 1 and y = 3 - x.
  const QPoint inicio = en(w, -1.5, 1.5), primera = en(w, -0.5, 2.5), segunda = en(w, -1.0, 2.2);
  QTest::mousePress(w->pctgrafico, Qt::LeftButton, {}, inicio);
  QTest::mouseMove(w->pctgrafico, primera);
  const int b = w->pctgrafico->BorderStyle();
  const QPoint borde_primero(primera.x() - b, (inicio.y() + primera.y()) / 2 - b);  // on its right edge
  int azules_cerca = 0;
  for (int dy = -1; dy <= 1; ++dy)
    if (w->pctgrafico->Image().pixelColor(borde_primero + QPoint(0, dy)) == azul) ++azules_cerca;
  QVERIFY(azules_cerca > 0);  // dotted
  QCOMPARE(w->pctgrafico->DrawMode(), plataforma::vbMergePenNot);

  QTest::mouseMove(w->pctgrafico, segunda);
  for (int dy = -1; dy <= 1; ++dy)
    QCOMPARE(w->pctgrafico->Image().pixelColor(borde_primero + QPoint(0, dy)), QColor(Qt::white));
  QVERIFY(contar(w->pctgrafico->Image(), azul) > 0);  // the new box
  QCOMPARE(w->recuadro_zoom[2], unidades(w, segunda).x());
  QTest::mouseRelease(w->pctgrafico, Qt::LeftButton, {}, segunda);
  QCOMPARE(contar(w->pctgrafico->Image(), azul), 0);  // the zoomed view is drawn anew
}

void PruebaFrmgraficos::consejo_de_coordenadas() {
  prueba::Visor v;
  frmgraficos* w = ventana_basica(v);
  QVERIFY(w != nullptr);
  for (const QPointF& punto : {QPointF(-1.5, -0.5), QPointF(2.5, 3.5)}) {
    const QPoint p = en(w, punto.x(), punto.y());
    QTest::mouseMove(w->pctgrafico, p);
    const QPointF u = unidades(w, p);
    QCOMPARE(w->pctgrafico->toolTip(), "(" + f4(u.x()) + "," + f4(u.y()) + ")");
    QVERIFY(QRegularExpression(R"(^\(-?\d+\.\d{4},-?\d+\.\d{4}\)$)").match(w->pctgrafico->toolTip()).hasMatch());
  }
  QVERIFY(w->pctgrafico->toolTip().startsWith("(2.4"));
}

void PruebaFrmgraficos::escala_data() {
  QTest::addColumn<QPointF>("minimo");
  QTest::addColumn<QPointF>("maximo");
  QTest::addColumn<QString>("mensaje");  // "" when the view is accepted
  QTest::newRow("x extent of exactly 1e8") << QPointF(0, 0) << QPointF(1e8, 1) << "";
  QTest::newRow("y extent of exactly 1e8") << QPointF(0, -5e7) << QPointF(1, 5e7) << "";
  QTest::newRow("x extent above 1e8") << QPointF(0, 0) << QPointF(100000000.5, 1) << "en204\nen205";
  QTest::newRow("y extent above 1e8") << QPointF(0, 0) << QPointF(1, 100000000.5) << "en203\nen205";
  QTest::newRow("no y extent") << QPointF(0, 2) << QPointF(1, 2) << "en201\nen205";
  QTest::newRow("no x extent") << QPointF(3, 0) << QPointF(3, 1) << "en202\nen205";
  QTest::newRow("no extent at all: y first") << QPointF(3, 2) << QPointF(3, 2) << "en201\nen205";
}

void PruebaFrmgraficos::escala() {
  QFETCH(QPointF, minimo);
  QFETCH(QPointF, maximo);
  QFETCH(QString, mensaje);
  prueba::Visor v;
  frmgraficos* w = ventana_basica(v);
  QVERIFY(w != nullptr);
  const QImage antes = w->pctgrafico->Image();
  graficos::minimo = {minimo.x(), minimo.y()};
  graficos::maximo = {maximo.x(), maximo.y()};
  w->dibuja();
  if (mensaje.isEmpty()) {
    QCOMPARE(v.guion.cajas.size(), 0);
    QCOMPARE(esquinas(w), (QStringList{f4(maximo.y()), f4(minimo.y()), f4(minimo.x()), f4(maximo.x())}));
    QCOMPARE(w->pctgrafico->ScaleWidth(), maximo.x() - minimo.x());
    QCOMPARE(w->pctgrafico->ScaleHeight(), minimo.y() - maximo.y());
    return;
  }
  QCOMPARE(v.guion.cajas.size(), 1);
  QCOMPARE(v.guion.cajas[0].texto, mensaje);
  QCOMPARE(v.guion.cajas[0].estilo, plataforma::vbCritical);
  QCOMPARE(v.guion.cajas[0].titulo, QString("Advertencia"));
  QCOMPARE(w->pctgrafico->Image(), antes);  // the picture of the view in force
  QVERIFY(frmgraficos::cargado());
  // The view in force is back, and the corners show it; a resize has
  // nothing more to report.
  QCOMPARE(graficos::minimo.x, -2.0);
  QCOMPARE(graficos::maximo.y, 4.0);
  QCOMPARE(esquinas(w), (QStringList{"4.0000", "-1.0000", "-2.0000", "3.0000"}));
  QCOMPARE(w->pctgrafico->ScaleWidth(), 5.0);
  w->Form_Resize();
  QCOMPARE(v.guion.cajas.size(), 1);
}

void PruebaFrmgraficos::leyendas_automatica_y_oculta() {
  prueba::Visor v;
  Curva oculta, fija, automatica;
  oculta.leyenda = "oculta";
  oculta.leyenda_x = oculta.leyenda_y = 0;
  oculta.puntos = {{0, 0}, {10, 10}};
  fija.leyenda = "fija";
  fija.leyenda_x = 5;
  fija.leyenda_y = 5;
  fija.puntos = {{0, 10}, {10, 0}};
  automatica.leyenda = "tercera";
  automatica.color = 12;
  automatica.puntos = {{2, 3}, {4, 5}};
  frmgraficos* w = v.abrir(grafica({oculta, fija, automatica}));
  QVERIFY(w != nullptr);
  const int b = w->pctgrafico->BorderStyle();
  QVERIFY(w->lbleyenda(1)->isHidden());
  QVERIFY(!w->lbleyenda(2)->isHidden());
  QCOMPARE(w->lbleyenda(2)->pos(), en(w, 5, 5));

  QLabel* tercera = w->lbleyenda(3);
  QVERIFY(!tercera->isHidden());
  QCOMPARE(tercera->text(), QString("tercera"));
  QCOMPARE(tercera->palette().color(QPalette::WindowText), plataforma::QBColor(12));
  QCOMPARE(tercera->x(), b);  // the left edge of the view
  const int fondo = w->pctgrafico->height() - b;
  QVERIFY2(qAbs(tercera->y() - (fondo - 3 * tercera->height())) <= 1,
           qPrintable(QString("top %1, bottom %2, height %3").arg(tercera->y()).arg(fondo).arg(tercera->height())));
}

void PruebaFrmgraficos::radio_de_marcas() {
  prueba::Visor v;
  Curva c;
  c.tipo = 0;
  c.marcas = 1;
  c.grosor = 4;
  c.color = 12;
  c.leyenda_x = c.leyenda_y = 0;
  c.puntos = {{0, 0}, {5, 5}, {10, 10}};
  frmgraficos* w = v.abrir(grafica({c}));
  QVERIFY(w != nullptr);
  const QColor rojo = plataforma::QBColor(12);
  const int b = w->pctgrafico->BorderStyle();
  const int ancho_area = w->pctgrafico->width() - 2 * b;
  const int ancho1 = ancho_en_fila(w->pctgrafico->Image(), en(w, 5, 5) - QPoint(b, b), rojo);

  // The x extent doubles: the radius in plot units doubles with it, so the
  // marker keeps its size on screen.
  graficos::maximo.x = 20;
  w->dibuja();
  const int ancho2 = ancho_en_fila(w->pctgrafico->Image(), en(w, 5, 5) - QPoint(b, b), rojo);
  QVERIFY2(qAbs(ancho1 - ancho2) <= 1, qPrintable(QString("%1 and %2 pixels").arg(ancho1).arg(ancho2)));
  // Radius grosor x 0.003 x ScaleWidth, outlined by a pen of width grosor.
  const double esperado = 2 * (4 * 0.003 * ancho_area) + 4;
  QVERIFY2(qAbs(ancho1 - esperado) <= 3, qPrintable(QString("%1 pixels, %2 expected").arg(ancho1).arg(esperado)));
}

void PruebaFrmgraficos::marcas_sin_trazo() {
  prueba::Visor v;
  Curva c;
  c.tipo = 0;
  c.marcas = 0;
  c.color = 12;
  c.leyenda = "solo leyenda";
  c.leyenda_x = 1;
  c.leyenda_y = 1;
  c.puntos = {{0, 0}, {5, 5}, {10, 10}};
  frmgraficos* w = v.abrir(grafica({c}));
  QVERIFY(w != nullptr);
  QCOMPARE(contar(w->pctgrafico->Image(), QColor(Qt::white)),
           w->pctgrafico->Image().width() * w->pctgrafico->Image().height());
  QVERIFY(!w->lbleyenda(1)->isHidden());
}

void PruebaFrmgraficos::grosor_y_color_de_linea() {
  prueba::Visor v;
  Curva marco, linea;
  marco.leyenda_x = marco.leyenda_y = 0;
  marco.tipo = 0;
  marco.puntos = {{0, 0}, {10, 2}};
  linea.leyenda_x = linea.leyenda_y = 0;
  linea.grosor = 3;
  linea.color = 9;
  linea.puntos = {{0, 1}, {10, 1}};
  frmgraficos* w = v.abrir(grafica({marco, linea}));
  QVERIFY(w != nullptr);
  const int b = w->pctgrafico->BorderStyle();
  const QPoint medio = en(w, 5, 1) - QPoint(b, b);
  const QImage& imagen = w->pctgrafico->Image();
  // The line's cover of the column: 3 pixels, however its edges are smoothed.
  double cubierto = 0;
  for (int y = 0; y < imagen.height(); ++y) {
    const QColor c = imagen.pixelColor(medio.x(), y);
    QCOMPARE(c.blue(), 255);  // only white, blue and their blends
    cubierto += (255 - c.red()) / 255.0;
  }
  QVERIFY2(qAbs(cubierto - 3) < 0.2, qPrintable(QString::number(cubierto)));
  // The settings are back to their defaults after the curve.
  QCOMPARE(w->pctgrafico->DrawWidth(), 1);
  QCOMPARE(w->pctgrafico->DrawStyle(), 0);
  QCOMPARE(w->pctgrafico->FillStyle(), 1);
}

void PruebaFrmgraficos::tamano_minimo() {
  prueba::Visor v;
  frmgraficos* w = ventana_basica(v);
  QVERIFY(w != nullptr);
  const QRect pantalla = w->screen()->geometry();
  // 0.8 of the screen's height and 0.7 of its width, in whole pixels rounded up.
  const int alto_minimo = static_cast<int>(std::ceil(0.8f * pantalla.height()));
  const int ancho_minimo = static_cast<int>(std::ceil(0.7f * pantalla.width()));
  const QSize grande = w->frameGeometry().size();
  QVERIFY(grande.height() > alto_minimo && grande.width() > ancho_minimo);
  const QPoint puntero = w->geometry().center();

  // Too low: the height snaps back and the pointer goes down to the new bottom edge.
  QCursor::setPos(puntero);
  w->resize(w->width(), alto_minimo - 40);
  QTRY_COMPARE(w->frameGeometry().height(), alto_minimo);
  QCOMPARE(w->frameGeometry().width(), grande.width());
  QCOMPARE(QCursor::pos(), QPoint(puntero.x(), w->frameGeometry().y() + alto_minimo));

  // Too narrow: the width, and the pointer goes to the new right edge.
  QCursor::setPos(puntero);
  w->resize(ancho_minimo - 50, w->height());
  QTRY_COMPARE(w->frameGeometry().width(), ancho_minimo);
  QCOMPARE(QCursor::pos(), QPoint(w->frameGeometry().x() + ancho_minimo, puntero.y()));

  // Both: the height first, the width on the resize that follows.
  QCursor::setPos(puntero);
  w->resize(ancho_minimo - 50, alto_minimo - 40);
  QTRY_COMPARE(w->frameGeometry().height(), alto_minimo);
  QTRY_COMPARE(w->frameGeometry().width(), ancho_minimo);
  QCOMPARE(QCursor::pos().y(), w->frameGeometry().y() + alto_minimo);
  // The layout of the corrected size stands.
  QCOMPARE(w->frmgrafico->height(), plataforma::pixeles_y(0.8 * plataforma::twips_y(alto_minimo)));
}

void PruebaFrmgraficos::leyenda_arrastrada() {
  prueba::Visor v;
  Curva c;
  c.leyenda = "arrastrada";
  c.leyenda_x = 1;
  c.leyenda_y = 9;
  c.puntos = {{0, 0}, {10, 10}};
  frmgraficos* w = v.abrir(grafica({c}));
  QVERIFY(w != nullptr);
  QLabel* l = w->lbleyenda(1);
  const QPoint agarre(4, 3);
  const QPoint destino = en(w, 6, 4);
  QTest::mouseMove(l, agarre);
  QTest::mousePress(l, Qt::LeftButton, {}, agarre);
  const QPoint en_etiqueta = destino - l->pos();
  QTest::mouseMove(l, (agarre + en_etiqueta) / 2);
  QTest::mouseMove(l, en_etiqueta);
  QTest::mouseRelease(l, Qt::LeftButton, {}, en_etiqueta);
  QCoreApplication::processEvents();

  QCOMPARE(w->leyenda_indice, 1);
  QVERIFY(qAbs(l->x() - (destino.x() - agarre.x())) <= 1);
  QVERIFY(qAbs(l->y() - (destino.y() - agarre.y())) <= 1);
  const graficos::tcurva& curva = graficos::curvas(1);
  const QPointF soltado = unidades(w, destino);
  QCOMPARE(curva.leyenda_x, soltado.x() - w->pctgrafico->ScaleWidth() * w->leyenda_dx / w->pctgrafico->Width());
  QCOMPARE(curva.leyenda_y, soltado.y() - w->pctgrafico->ScaleHeight() * w->leyenda_dy / w->pctgrafico->Height());
  QCOMPARE(w->leyenda_dx, qRound(plataforma::twips_x(agarre.x())));

  // The next drawing pass puts the legend there again.
  const QPoint colocada = l->pos();
  w->dibuja();
  QVERIFY((l->pos() - colocada).manhattanLength() <= 1);

  // A drop outside the plot leaves it where it is.
  const double x_antes = curva.leyenda_x;
  QTest::mouseMove(l, agarre);
  QTest::mousePress(l, Qt::LeftButton, {}, agarre);
  const QPoint fuera = QPoint(-w->pctgrafico->x() / 2, 0) - l->pos();  // left of the plot, in the frame
  QTest::mouseMove(l, fuera / 2);
  QTest::mouseMove(l, fuera);
  QTest::mouseRelease(l, Qt::LeftButton, {}, fuera);
  QCOMPARE(l->pos(), colocada);
  QCOMPARE(curva.leyenda_x, x_antes);
}

void PruebaFrmgraficos::escala_tecleada() {
  prueba::Visor v;
  frmgraficos* w = ventana_basica(v);
  QVERIFY(w != nullptr);
  w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w));

  // The y maximum typed equal to the y minimum shown: refused.
  QTest::mouseDClick(w->leyescala(1), Qt::LeftButton);
  QLineEdit* t = w->txtescala(1);
  QVERIFY(!t->isHidden());
  QCOMPARE(t->text(), QString("4.0000"));
  QCOMPARE(t->selectedText(), QString("4.0000"));
  QCOMPARE(t->geometry(), w->leyescala(1)->geometry());
  QTest::keyClicks(t, w->leyescala(2)->text());
  QCOMPARE(t->text(), QString("-1.0000"));
  QTest::keyClick(t, Qt::Key_Return);
  QCOMPARE(v.guion.cajas.size(), 1);
  QCOMPARE(v.guion.cajas[0].texto, QString("El valor de Y máxima debe ser mayor que Y mínima"));
  QCOMPARE(v.guion.cajas[0].estilo, plataforma::vbOKOnly);
  QCOMPARE(v.guion.cajas[0].titulo, plataforma::App::Title);
  QVERIFY(!t->isHidden());
  QVERIFY(t->hasFocus());
  QCOMPARE(graficos::maximo.y, 4.0);

  // Enter accepts a value above the minimum without leaving the box.
  t->selectAll();
  QTest::keyClicks(t, "2.5");
  QTest::keyClick(t, Qt::Key_Return);
  QCOMPARE(v.guion.cajas.size(), 1);
  QVERIFY(t->isHidden());
  QCOMPARE(graficos::maximo.y, 2.5);
  QCOMPARE(w->leyescala(1)->text(), QString("2.5000"));
  QCOMPARE(w->pctgrafico->ScaleTop(), 2.5);

  // An x minimum above the x maximum, accepted by leaving the box: refused.
  QTest::mouseDClick(w->leyescala(3), Qt::LeftButton);
  QLineEdit* x = w->txtescala(3);
  x->selectAll();
  QTest::keyClicks(x, "7");
  w->pctgrafico->setFocus(Qt::MouseFocusReason);
  QCOMPARE(v.guion.cajas.size(), 2);
  QCOMPARE(v.guion.cajas[1].texto, QString("El valor de X máximo debe ser mayor que X mínimo"));
  QVERIFY(!x->isHidden());
  QCOMPARE(graficos::minimo.x, -2.0);
  // A lower one is taken when the box loses the focus.
  x->selectAll();
  QTest::keyClicks(x, "-1");
  w->pctgrafico->setFocus(Qt::MouseFocusReason);
  QVERIFY(x->isHidden());
  QCOMPARE(graficos::minimo.x, -1.0);
  QCOMPARE(w->leyescala(3)->text(), QString("-1.0000"));
}

// A typed corner value the scale check refuses (an x extent above 1e8):
// the view in force stays, the corner shows it again, and a resize after
// it has nothing to report.
void PruebaFrmgraficos::esquina_rechazada_y_redimensionar() {
  prueba::Visor v;
  frmgraficos* w = ventana_basica(v);
  QVERIFY(w != nullptr);
  w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w));
  auto teclear = [w](int k, const QString& texto) {
    QTest::mouseDClick(w->leyescala(k), Qt::LeftButton);
    QLineEdit* t = w->txtescala(k);
    t->selectAll();
    QTest::keyClicks(t, texto);
    QTest::keyClick(t, Qt::Key_Return);
  };
  // A view of its own first: x up to 2.5.
  teclear(4, "2.5");
  const QStringList en_vigor{"4.0000", "-1.0000", "-2.0000", "2.5000"};
  QCOMPARE(esquinas(w), en_vigor);
  const QImage antes = w->pctgrafico->Image();

  teclear(4, "2000000000");
  QCOMPARE(v.guion.cajas.size(), 1);
  QCOMPARE(v.guion.cajas[0].texto, QString("en204\nen205"));
  QVERIFY(w->txtescala(4)->isHidden());
  QCOMPARE(esquinas(w), en_vigor);
  QCOMPARE(graficos::maximo.x, 2.5);
  QCOMPARE(w->pctgrafico->ScaleWidth(), 4.5);
  QCOMPARE(w->pctgrafico->Image(), antes);

  const QSize mayor = w->size() + QSize(40, 30);
  w->resize(mayor);
  QTRY_COMPARE(w->size(), mayor);
  w->Form_Resize();
  QCOMPARE(v.guion.cajas.size(), 1);
  QCOMPARE(esquinas(w), en_vigor);
  QCOMPARE(w->pctgrafico->ScaleWidth(), 4.5);

  // The corner takes a good value again, checked against what it shows.
  teclear(3, "2.4");
  QCOMPARE(v.guion.cajas.size(), 1);
  QCOMPARE(esquinas(w), (QStringList{"4.0000", "-1.0000", "2.4000", "2.5000"}));
}

// Data spanning more than 1e8 along x: the view is refused at load with no
// view in force to go back to; a resize does not report it again, and a
// corner typed into range draws.
void PruebaFrmgraficos::vista_de_datos_rechazada() {
  prueba::Visor v;
  Curva a;
  a.leyenda_x = a.leyenda_y = 0;
  a.puntos = {{0, 0}, {2e8, 1}};
  frmgraficos* w = v.abrir(grafica({a}));
  QVERIFY(w != nullptr);
  QCOMPARE(v.guion.cajas.size(), 1);
  QCOMPARE(v.guion.cajas[0].texto, QString("en204\nen205"));
  w->Form_Resize();
  QCOMPARE(v.guion.cajas.size(), 1);

  QTest::mouseDClick(w->leyescala(4), Qt::LeftButton);
  QLineEdit* t = w->txtescala(4);
  t->selectAll();
  QTest::keyClicks(t, "100");
  QTest::keyClick(t, Qt::Key_Return);
  QCOMPARE(v.guion.cajas.size(), 1);
  QCOMPARE(esquinas(w), (QStringList{"1.0000", "0.0000", "0.0000", "100.0000"}));
  QVERIFY(contar(w->pctgrafico->Image(), Qt::white) < w->pctgrafico->Image().width() * w->pctgrafico->Image().height());
}

// Pixels whose colour leans to one channel (0 red, 1 green, 2 blue): a line
// of a pure colour, smoothed against the white of the plot.
int tenidos(const QImage& imagen, int canal) {
  int n = 0;
  for (int y = 0; y < imagen.height(); ++y)
    for (int x = 0; x < imagen.width(); ++x) {
      const QColor c = imagen.pixelColor(x, y);
      const int v[3] = {c.red(), c.green(), c.blue()};
      if (v[canal] > v[(canal + 1) % 3] + 60 && v[canal] > v[(canal + 2) % 3] + 60) ++n;
    }
  return n;
}

// A Fourier fit on points that repeat an x cannot be made: it is left out
// of the drawing, and the curves before and after it are drawn as usual.
void PruebaFrmgraficos::ajuste_imposible_fuera_del_dibujo() {
  prueba::Visor v;
  Curva antes, fourier, despues;
  antes.leyenda_x = antes.leyenda_y = 0;
  antes.color = 10;  // green
  antes.puntos = {{0, 0}, {10, 10}};
  fourier.tipo = 7;
  fourier.parametro = 1;
  fourier.color = 12;  // red
  fourier.puntos = {{0, 1}, {4, 3}, {4, 5}, {10, 2}};
  despues.leyenda_x = despues.leyenda_y = 0;
  despues.color = 9;  // blue
  despues.puntos = {{0, 10}, {10, 0}};
  frmgraficos* w = v.abrir(grafica({antes, fourier, despues}));
  QVERIFY(w != nullptr);
  QCOMPARE(v.guion.cajas.size(), 0);
  const QImage& imagen = w->pctgrafico->Image();
  QCOMPARE(tenidos(imagen, 0), 0);
  QVERIFY(tenidos(imagen, 1) > 100);
  QVERIFY(tenidos(imagen, 2) > 100);
}

void PruebaFrmgraficos::escala_tecleada_sin_numero() {
  prueba::Visor v;
  frmgraficos* w = ventana_basica(v);
  QVERIFY(w != nullptr);
  w->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w));
  QTest::mouseDClick(w->leyescala(2), Qt::LeftButton);
  QLineEdit* t = w->txtescala(2);
  t->selectAll();
  QTest::keyClicks(t, "-");
  QCOMPARE(t->text(), QString("-"));
  QTest::keyClicks(t, "a");  // not numeric: the text before the key comes back
  QCOMPARE(t->text(), QString("-"));
  w->pctgrafico->setFocus(Qt::MouseFocusReason);
  QVERIFY(!t->isHidden());  // "-" is not taken, and the box stays
  QTest::keyClick(t, Qt::Key_Return);
  QVERIFY(!t->isHidden());
  QCOMPARE(graficos::minimo.y, -1.0);
  QCOMPARE(v.guion.cajas.size(), 0);
}

void PruebaFrmgraficos::imprimir_grafica() {
  using Orden = plataforma::ImpresoraGrabadora::Orden;
  // The page sizes are made from the composition's size, W by H twips, so
  // that the picture fits one page and overflows the others.
  struct Caso {
    const char* que;
    double ancho_pagina, alto_pagina;  // in W and H; 0: the size alone
    double extra_ancho, extra_alto;    // twips added
    double escala;                     // of the printed picture
  } casos[] = {
      {"fits", 0, 0, 11000, 16000, 1.0},
      {"wider than the page", 0.5, 0, 0, 16000, 0.5},
      {"taller than the space between header and footer", 0, 0.5, 11000, 2480 + 1000, 0.5},
      {"too wide and too tall", 0.25, 0.5, 0, 2480 + 1000, 0.25},
  };
  prueba::Visor v;
  frmgraficos* w = ventana_basica(v);
  QVERIFY(w != nullptr);
  w->printgraf();  // the composition's size
  const double W = w->pctgraficas->Width(), H = w->pctgraficas->Height();
  for (const Caso& c : casos) {
    const double ancho = c.ancho_pagina * W + c.extra_ancho, alto = c.alto_pagina * H + c.extra_alto;
    auto propia = std::make_unique<plataforma::ImpresoraGrabadora>(ancho, alto);
    plataforma::ImpresoraGrabadora* impresora = propia.get();
    plataforma::fijar_impresora(std::move(propia));
    QTest::mouseClick(w->btprint, Qt::LeftButton);

    QList<QString> textos;
    const Orden* imagen = nullptr;
    for (const Orden& o : impresora->ordenes) {
      QCOMPARE(o.pagina, 1);
      QCOMPARE(o.papel, 9);
      if (o.tipo == Orden::Texto) textos << o.texto;
      if (o.tipo == Orden::Imagen) imagen = &o;
    }
    QVERIFY2(imagen != nullptr, c.que);
    QCOMPARE(impresora->ordenes.back().tipo, Orden::Fin);
    const QString fecha = "en113: " + QDate::currentDate().toString("MM-dd-yyyy");
    QVERIFY(textos.contains("comentario"));
    QVERIFY(textos.contains(fecha));
    QVERIFY(textos.contains(QString("Página: 1")));
    QCOMPARE(fecha.size(), 7 + 10);

    // The whole composition, at its own size when it fits, else scaled down
    // keeping its proportions; centred across the page.
    QVERIFY(imagen->imagen.width() >= w->frmgrafico->width());
    QVERIFY(imagen->imagen.height() >= w->frmgrafico->height());
    QVERIFY2(qFuzzyCompare(imagen->ancho, W * c.escala), c.que);
    QVERIFY2(qFuzzyCompare(imagen->alto, H * c.escala), c.que);
    QVERIFY2(qFuzzyCompare(imagen->x + 1, (ancho - imagen->ancho) / 2 + 1), c.que);
    // Between the header's last line and the footer's band; centred down
    // the page when that leaves it clear of both.
    const auto pos_fecha = std::find_if(impresora->ordenes.begin(), impresora->ordenes.end(),
                                        [&](const Orden& o) { return o.texto == fecha; });
    const double linea = impresora->TextHeight(" ");
    const double arriba = pos_fecha->y + 3 * linea;  // the date, a blank line and the header's end
    QCOMPARE(arriba, 2480.0);
    QVERIFY2(imagen->y >= arriba - 1e-9, c.que);
    QVERIFY2(imagen->y + imagen->alto <= alto - 1000 + 1e-9, c.que);
    if (c.escala == 1.0 || c.alto_pagina == 0) QVERIFY2(qFuzzyCompare(imagen->y, (alto - imagen->alto) / 2), c.que);
    // After the header, before the footer.
    const auto pos_imagen = std::find_if(impresora->ordenes.begin(), impresora->ordenes.end(),
                                         [](const Orden& o) { return o.tipo == Orden::Imagen; });
    const auto pos_pie = std::find_if(impresora->ordenes.begin(), impresora->ordenes.end(),
                                      [](const Orden& o) { return o.texto.startsWith("Página"); });
    QVERIFY(pos_fecha < pos_imagen && pos_imagen < pos_pie);
  }
}

void PruebaFrmgraficos::portapapeles_y_leyendas_ocultas() {
  prueba::Visor v;
  auto propia = std::make_unique<plataforma::ImpresoraGrabadora>();
  plataforma::ImpresoraGrabadora* impresora = propia.get();
  plataforma::fijar_impresora(std::move(propia));
  Curva visible, oculta;
  visible.leyenda = "verde";
  visible.leyenda_x = 1;
  visible.leyenda_y = 9;
  visible.color = 10;
  visible.tipo = 0;
  visible.puntos = {{0, 0}, {10, 10}};
  oculta.leyenda = "roja";
  oculta.leyenda_x = oculta.leyenda_y = 0;
  oculta.color = 12;
  oculta.tipo = 0;
  oculta.puntos = {{0, 10}, {10, 0}};
  frmgraficos* w = v.abrir(grafica({visible, oculta}));
  QVERIFY(w != nullptr);
  QVERIFY(w->lbleyenda(2)->isHidden());

  QGuiApplication::clipboard()->clear();
  QTest::mouseClick(w->btclipb, Qt::LeftButton);
  const QImage copia = QGuiApplication::clipboard()->image();
  // The frame's size, grown only where a corner value stands out of it:
  // no text is cut at the picture's edges.
  QVERIFY(copia.width() >= w->frmgrafico->width() && copia.width() <= w->frmgrafico->width() + 40);
  QCOMPARE(copia.height(), w->frmgrafico->height());
  const QColor blanco = copia.pixelColor(0, 0);
  for (int y = 0; y < copia.height(); ++y) {
    QCOMPARE(copia.pixelColor(0, y), blanco);
    QCOMPARE(copia.pixelColor(copia.width() - 1, y), blanco);
  }
  QVERIFY(contar(copia, plataforma::QBColor(10)) > 0);
  QCOMPARE(contar(copia, plataforma::QBColor(12)), 0);
  // The plot's own picture stands 10 twips right of and below its place.
  const int b = w->pctgrafico->BorderStyle();
  const QPoint origen = w->pctgrafico->pos() + QPoint(plataforma::pixeles_x(10), plataforma::pixeles_y(10));
  QCOMPARE(copia.pixelColor(origen + QPoint(5, 5)), w->pctgrafico->Image().pixelColor(5, 5));
  Q_UNUSED(b);

  w->printgraf();
  const auto& o = impresora->ordenes.back();
  QCOMPARE(o.tipo, plataforma::ImpresoraGrabadora::Orden::Imagen);
  QVERIFY(contar(o.imagen, plataforma::QBColor(10)) > 0);
  QCOMPARE(contar(o.imagen, plataforma::QBColor(12)), 0);
  QCOMPARE(impresora->CurrentY, 9000.0);
}

void PruebaFrmgraficos::zoom_copiado_e_impreso_data() {
  QTest::addColumn<int>("lado");
  QTest::newRow("60-pixel box") << 60;
  QTest::newRow("15-pixel box") << 15;
  QTest::newRow("6-pixel box") << 6;
}

// Copy and Print after a zoom into a small box of the plot: the picture is
// the frame as shown, whatever the zoom. A legend whose place lies in the
// view is drawn, cut at the plot's edges; one whose place lies far outside
// the zoomed view is left out, and the picture does not grow to reach it.
void PruebaFrmgraficos::zoom_copiado_e_impreso() {
  QFETCH(int, lado);
  prueba::Visor v;
  auto propia = std::make_unique<plataforma::ImpresoraGrabadora>();
  plataforma::ImpresoraGrabadora* impresora = propia.get();
  plataforma::fijar_impresora(std::move(propia));
  // A light blue line; two curves that draw nothing but their legends, red
  // in the zoomed box, green far from it.
  Curva linea, dentro, fuera;
  linea.leyenda_x = linea.leyenda_y = 0;
  linea.color = 9;
  linea.grosor = 2;
  linea.puntos = {{0, 0}, {10, 1}};
  dentro.leyenda = "dentro";
  dentro.leyenda_x = 5;
  dentro.leyenda_y = 0.5;
  dentro.tipo = 0;
  dentro.color = 12;
  dentro.puntos = {{0, 0}, {10, 1}};
  fuera = dentro;
  fuera.leyenda = "fuera";
  fuera.leyenda_x = 9;
  fuera.leyenda_y = 0.1;
  fuera.color = 10;
  frmgraficos* w = v.abrir(grafica({linea, dentro, fuera}));
  QVERIFY(w != nullptr);
  const QPoint centro = en(w, 5, 0.5);
  arrastrar(w->pctgrafico, centro - QPoint(lado / 2, lado / 2), centro + QPoint(lado - lado / 2, lado - lado / 2));
  QVERIFY2(graficos::maximo.x - graficos::minimo.x < 20.0 * lado / w->pctgrafico->width(),
           qPrintable(QString("%1 to %2").arg(graficos::minimo.x).arg(graficos::maximo.x)));

  QGuiApplication::clipboard()->clear();
  QTest::mouseClick(w->btclipb, Qt::LeftButton);
  const QImage copia = QGuiApplication::clipboard()->image();
  QVERIFY(!copia.isNull());
  QVERIFY(copia.width() >= w->frmgrafico->width() && copia.width() <= w->frmgrafico->width() + 40);
  QCOMPARE(copia.height(), w->frmgrafico->height());
  QVERIFY(contar(copia, plataforma::QBColor(9)) > 0);
  QVERIFY(contar_tono(copia, plataforma::QBColor(12)) > 0);
  QCOMPARE(contar_tono(copia, plataforma::QBColor(10)), 0);

  QTest::mouseClick(w->btprint, Qt::LeftButton);
  const auto imagen = std::find_if(impresora->ordenes.begin(), impresora->ordenes.end(),
                                   [](const auto& o) { return o.tipo == plataforma::ImpresoraGrabadora::Orden::Imagen; });
  QVERIFY(imagen != impresora->ordenes.end());
  QCOMPARE(imagen->imagen.size(), copia.size());
  QVERIFY(contar(imagen->imagen, plataforma::QBColor(9)) > 0);
  QVERIFY(contar_tono(imagen->imagen, plataforma::QBColor(12)) > 0);
  QCOMPARE(contar_tono(imagen->imagen, plataforma::QBColor(10)), 0);
  QCOMPARE(impresora->ordenes.back().tipo, plataforma::ImpresoraGrabadora::Orden::Fin);
  QCOMPARE(v.guion.cajas.size(), 0);
}

// The picture of a window larger than the memory left allows cannot be
// made: Copy and Print tell it, the clipboard gets nothing and no page is
// printed without the graph. The memory is cut by a limit on the address
// space, a little above what the process uses once the window is drawn.
// It runs in a process of its own, where large blocks are taken from the
// system each time (and given back when freed), so that none is left over in
// the heap from other tests to make the picture from.
void PruebaFrmgraficos::imagen_imposible() {
#if defined(__SANITIZE_ADDRESS__)
  QSKIP("the sanitizers' allocator reserves the address space beforehand: no limit can be put on it");
#else
  if (qEnvironmentVariableIsEmpty("PRUEBA_PROCESO_PROPIO")) {
    QProcess propio;
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert("PRUEBA_PROCESO_PROPIO", "1");
    propio.setProcessEnvironment(entorno);
    propio.setProcessChannelMode(QProcess::MergedChannels);
    propio.start(QCoreApplication::applicationFilePath(), {"imagen_imposible"});
    QVERIFY(propio.waitForFinished(120000));
    const QByteArray salida = propio.readAll();
    QVERIFY2(propio.exitStatus() == QProcess::NormalExit && propio.exitCode() == 0, salida.constData());
    QVERIFY2(salida.contains("PASS   : PruebaFrmgraficos::imagen_imposible()"), salida.constData());
    return;
  }
  mallopt(M_MMAP_THRESHOLD, 256 << 10);
  malloc_trim(0);
  struct Restaurar {
    ~Restaurar() { mallopt(M_MMAP_THRESHOLD, 128 << 10); }
  } restaurar;
  prueba::Visor v;
  auto propia = std::make_unique<plataforma::ImpresoraGrabadora>();
  plataforma::ImpresoraGrabadora* impresora = propia.get();
  plataforma::fijar_impresora(std::move(propia));
  frmgraficos* w = ventana_basica(v);
  QVERIFY(w != nullptr);
  w->resize(3000, 2400);
  QTRY_VERIFY(w->pctgrafico->Image().width() > 2000);
  QCoreApplication::processEvents();
  QGuiApplication::clipboard()->clear();

  long long usado = 0;  // bytes of address space in use
  QFile estado("/proc/self/status");
  QVERIFY(estado.open(QIODevice::ReadOnly));
  for (const QByteArray& l : estado.readAll().split('\n'))
    if (l.startsWith("VmSize:")) usado = l.mid(7).trimmed().split(' ')[0].toLongLong() * 1024;
  QVERIFY(usado > 0);
  rlimit antes{};
  QVERIFY(::getrlimit(RLIMIT_AS, &antes) == 0);
  rlimit corto = antes;
  corto.rlim_cur = static_cast<rlim_t>(usado + (8 << 20));
  QVERIFY(::setrlimit(RLIMIT_AS, &corto) == 0);
  w->btclipb_Click();
  w->btprint_Click();
  ::setrlimit(RLIMIT_AS, &antes);

  QCOMPARE(v.guion.cajas.size(), 2);
  for (const prueba::Caja& c : v.guion.cajas) {
    QVERIFY2(c.texto.startsWith("en258\n\n"), qPrintable(c.texto));
    QCOMPARE(c.estilo, plataforma::vbCritical);
  }
  QVERIFY(QGuiApplication::clipboard()->image().isNull());
  QVERIFY(!impresora->ordenes.empty());
  QCOMPARE(impresora->ordenes.back().tipo, plataforma::ImpresoraGrabadora::Orden::Abandono);
  for (const auto& o : impresora->ordenes) QVERIFY(o.tipo != plataforma::ImpresoraGrabadora::Orden::Imagen);

  // With the memory back, the same window copies.
  QTest::mouseClick(w->btclipb, Qt::LeftButton);
  QCOMPARE(QGuiApplication::clipboard()->image().height(), w->frmgrafico->height());
#endif
}

void PruebaFrmgraficos::logo_y_descarga() {
  prueba::Visor v;
  frmgraficos* w = ventana_basica(v);
  QVERIFY(w != nullptr);
  QList<QUrl> abiertas;
  plataforma::fijar_guion_navegador([&](const QUrl& u) {
    abiertas << u;
    return true;
  });
  QTest::mouseClick(w->Image1, Qt::LeftButton, {}, QPoint(3, 3));
  plataforma::fijar_guion_navegador({});
  QCOMPARE(abiertas, QList<QUrl>{frmAbout::direccion_web()});

  // Closing the window unloads the about box with it.
  w->muestra_acerca();
  QVERIFY(frmAbout::cargado());
  QTest::mouseClick(w->btdaceptar, Qt::LeftButton);
  QVERIFY(!frmgraficos::cargado());
  QVERIFY(!frmAbout::cargado());
  QVERIFY(!v.programa_terminado);
}

QTEST_MAIN(PruebaFrmgraficos)
#include "frmgraficos_test.moc"
