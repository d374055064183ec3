#pragma once
// Window geometry in twips (1440 per inch; 15 per pixel at 96 dpi).
#include <QRect>

class QWidget;

namespace plataforma {

double twips_por_pixel_x();
double twips_por_pixel_y();

int pixeles_x(double twips);
int pixeles_y(double twips);
double twips_x(int pixeles);
double twips_y(int pixeles);

// A rectangle given in twips, in pixels.
QRect rect_twips(double left, double top, double width, double height);

// Places a control (or sizes a window) in twips.
void colocar(QWidget* w, double left, double top, double width, double height);

}  // namespace plataforma
