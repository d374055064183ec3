#include "frame/imagenes.hpp"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

constexpr int lado_boton = 32;

QPixmap lienzo(int lado) {
  QPixmap p(lado, lado);
  p.fill(Qt::transparent);
  return p;
}

QPen pluma(const QColor& c, double ancho = 1.5) {
  return QPen(c, ancho, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

const QColor tinta(40, 48, 64);

// A sheet of paper with its corner turned down.
void hoja(QPainter& p, const QColor& fondo = Qt::white) {
  QPainterPath hoja;
  hoja.moveTo(7, 3);
  hoja.lineTo(20, 3);
  hoja.lineTo(26, 9);
  hoja.lineTo(26, 29);
  hoja.lineTo(7, 29);
  hoja.closeSubpath();
  p.setPen(pluma(tinta));
  p.setBrush(fondo);
  p.drawPath(hoja);
  p.drawPolyline(QPolygonF({QPointF(20, 3), QPointF(20, 9), QPointF(26, 9)}));
}

void renglones(QPainter& p, int desde, int hasta) {
  p.setPen(pluma(QColor(120, 130, 150), 1.2));
  for (int y = desde; y <= hasta; y += 4) p.drawLine(10, y, 23, y);
}

void nuevo(QPainter& p) {
  hoja(p);
  p.setPen(pluma(QColor(230, 170, 0), 2));
  p.drawLine(22, 19, 22, 27);
  p.drawLine(18, 23, 26, 23);
}

void abrir(QPainter& p) {
  p.setPen(pluma(tinta));
  p.setBrush(QColor(240, 200, 90));
  p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(12, 8), QPointF(15, 11), QPointF(27, 11),
                           QPointF(27, 26), QPointF(3, 26)}));
  p.setBrush(QColor(250, 220, 130));
  p.drawPolygon(QPolygonF({QPointF(3, 26), QPointF(8, 15), QPointF(30, 15), QPointF(27, 26)}));
}

void guardar(QPainter& p) {
  p.setPen(pluma(tinta));
  p.setBrush(QColor(60, 110, 190));
  p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(9, 4, 14, 9));
  p.setBrush(QColor(200, 210, 225));
  p.drawRect(QRectF(8, 18, 16, 10));
  p.setBrush(tinta);
  p.drawRect(QRectF(18, 6, 3, 5));
}

void ejecutar(QPainter& p) {
  p.setPen(pluma(QColor(20, 100, 30)));
  p.setBrush(QColor(60, 170, 70));
  p.drawPolygon(QPolygonF({QPointF(9, 5), QPointF(27, 16), QPointF(9, 27)}));
}

void imprimir(QPainter& p) {
  p.setPen(pluma(tinta));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(9, 3, 14, 10));
  p.setBrush(QColor(170, 175, 185));
  p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(9, 19, 14, 10));
  renglones(p, 23, 27);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 170, 70));
  p.drawEllipse(QPointF(25, 15.5), 1.5, 1.5);
}

void editar_datos(QPainter& p) {
  hoja(p);
  renglones(p, 11, 26);
}

void editar_resultados(QPainter& p) {
  hoja(p, QColor(255, 252, 235));
  p.setPen(pluma(QColor(120, 130, 150), 1.2));
  for (int y = 12; y <= 26; y += 4) {
    p.drawLine(10, y, 14, y);
    p.drawLine(17, y, 23, y);
  }
}

void editar_graficos(QPainter& p) {
  p.setPen(pluma(tinta));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(3, 3, 26, 26));
  p.setPen(pluma(QColor(150, 150, 160), 1));
  p.drawLine(6, 16, 27, 16);
  QPainterPath onda;
  onda.moveTo(6, 16);
  for (int i = 1; i <= 42; ++i) {
    const double x = 6 + i * 0.5;
    onda.lineTo(x, 16 - 10 * std::sin((x - 6) / 21.0 * 2 * M_PI) * std::exp(-(x - 16.5) * (x - 16.5) / 120.0));
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(pluma(QColor(200, 40, 40), 1.8));
  p.drawPath(onda);
}

void acerca(QPainter& p) {
  p.setPen(pluma(QColor(30, 70, 150)));
  p.setBrush(QColor(70, 120, 210));
  p.drawEllipse(QRectF(3, 3, 26, 26));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(16, 9.5), 2.2, 2.2);
  p.drawRoundedRect(QRectF(14, 14, 4, 11), 1.5, 1.5);
}

void salir(QPainter& p) {
  p.setPen(pluma(tinta));
  p.setBrush(QColor(150, 100, 60));
  p.drawRect(QRectF(5, 3, 14, 26));
  p.setBrush(QColor(250, 230, 120));
  p.drawEllipse(QPointF(16, 17), 1.3, 1.3);
  p.setPen(pluma(QColor(200, 40, 40), 2.4));
  p.drawLine(17, 16, 29, 16);
  p.drawLine(25, 12, 29, 16);
  p.drawLine(25, 20, 29, 16);
}

}  // namespace

QIcon imagen_boton(const QString& clave) {
  QIcon icono;
  for (int escala : {1, 2}) {
    QPixmap pix = lienzo(lado_boton * escala);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(escala, escala);
    if (clave == "Nuevo") nuevo(p);
    else if (clave == "Abrir") abrir(p);
    else if (clave == "Guardar") guardar(p);
    else if (clave == "Ejecutar") ejecutar(p);
    else if (clave == "Imprimir") imprimir(p);
    else if (clave == "EditarD") editar_datos(p);
    else if (clave == "EditarR") editar_resultados(p);
    else if (clave == "EditarG") editar_graficos(p);
    else if (clave == "Acerca") acerca(p);
    else if (clave == "Salir") salir(p);
    p.end();
    icono.addPixmap(pix);
  }
  return icono;
}

QPixmap imagen_pozo(int lado) {
  QPixmap pix = lienzo(lado);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(lado / 100.0, lado / 100.0);
  p.fillRect(QRectF(0, 0, 100, 100), QColor(245, 248, 255));
  // The harmonic well V = x^2 and its first three levels.
  QPainterPath pozo;
  for (int i = 0; i <= 80; ++i) {
    const double x = 10 + i;
    const double y = 90 - 80 * std::pow((x - 50) / 40, 2);
    i == 0 ? pozo.moveTo(x, y) : pozo.lineTo(x, y);
  }
  p.setPen(pluma(QColor(40, 60, 110), 2.5));
  p.drawPath(pozo);
  for (int n = 0; n < 3; ++n) {
    const double e = 90 - 12 - 24 * n;
    const double media = 40 * std::sqrt((90 - e) / 80);
    p.setPen(pluma(QColor(120, 130, 150), 1.2));
    p.drawLine(QPointF(50 - media, e), QPointF(50 + media, e));
  }
  // The ground state's wave function above its level.
  QPainterPath onda;
  for (int i = 0; i <= 60; ++i) {
    const double x = 20 + i;
    const double y = 78 - 16 * std::exp(-std::pow((x - 50) / 11, 2));
    i == 0 ? onda.moveTo(x, y) : onda.lineTo(x, y);
  }
  p.setPen(pluma(QColor(200, 40, 40), 2.2));
  p.drawPath(onda);
  p.end();
  return pix;
}

QPixmap imagen_emblema(int lado) {
  QPixmap pix = lienzo(lado);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(lado / 32.0, lado / 32.0);
  p.setPen(pluma(tinta, 2));
  p.drawLine(5, 4, 5, 28);
  p.drawLine(27, 4, 27, 28);
  p.drawLine(5, 28, 27, 28);
  QPainterPath onda;
  for (int i = 0; i <= 44; ++i) {
    const double x = 5 + i * 0.5;
    const double y = 20 - 11 * std::sin((x - 5) / 22 * 2 * M_PI);
    i == 0 ? onda.moveTo(x, y) : onda.lineTo(x, y);
  }
  p.setPen(pluma(QColor(200, 40, 40), 2));
  p.drawPath(onda);
  p.end();
  return pix;
}
