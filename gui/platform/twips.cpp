#include "platform/twips.hpp"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace plataforma {

namespace {
double por_pixel(bool x) {
  const QScreen* pantalla = QGuiApplication::primaryScreen();
  if (pantalla == nullptr) return 15.0;
  const double dpi = x ? pantalla->logicalDotsPerInchX() : pantalla->logicalDotsPerInchY();
  return dpi > 0 ? 1440.0 / dpi : 15.0;
}
}  // namespace

double twips_por_pixel_x() { return por_pixel(true); }
double twips_por_pixel_y() { return por_pixel(false); }

int pixeles_x(double twips) { return static_cast<int>(std::lround(twips / twips_por_pixel_x())); }
int pixeles_y(double twips) { return static_cast<int>(std::lround(twips / twips_por_pixel_y())); }
double twips_x(int pixeles) { return pixeles * twips_por_pixel_x(); }
double twips_y(int pixeles) { return pixeles * twips_por_pixel_y(); }

QRect rect_twips(double left, double top, double width, double height) {
  return QRect(pixeles_x(left), pixeles_y(top), pixeles_x(width), pixeles_y(height));
}

void colocar(QWidget* w, double left, double top, double width, double height) {
  w->setGeometry(rect_twips(left, top, width, height));
}

}  // namespace plataforma
