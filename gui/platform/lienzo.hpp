#pragma once
// A picture box: a drawing surface that keeps what is drawn on it (an image
// the size of its drawing area), with a scale of its own (twips, or a user
// scale of any origin and extent, y growing upward when the height is
// negative), the classic pen settings (width, style, raster operation), fill
// settings, lines, boxes, circles, text and pictures, and mouse events in its
// own units.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

class QPainter;

namespace plataforma {

// Mouse buttons and shift keys as the events report them.
inline constexpr int vbLeftButton = 1;
inline constexpr int vbRightButton = 2;
inline constexpr int vbMiddleButton = 4;
inline constexpr int vbShiftMask = 1;
inline constexpr int vbCtrlMask = 2;
inline constexpr int vbAltMask = 4;

// Draw modes used by the program: the copy pen and the pen merged with the
// inverse of the surface (drawing a shape twice on white leaves white).
inline constexpr int vbCopyPen = 13;
inline constexpr int vbMergePenNot = 14;

class Lienzo : public QWidget {
  Q_OBJECT

 public:
  explicit Lienzo(QWidget* padre = nullptr);

  // 0: no border; 1: a one-pixel line, with the drawing area inside it.
  int BorderStyle() const { return borde_; }
  void setBorderStyle(int estilo);

  QColor BackColor() const { return fondo_; }
  void setBackColor(const QColor& c);
  QColor ForeColor() const { return tinta_; }
  void setForeColor(const QColor& c) { tinta_ = c; }
  QColor FillColor() const { return relleno_; }
  void setFillColor(const QColor& c) { relleno_ = c; }
  // 0 solid, 1 transparent, 2 to 7 hatches. Other values throw std::invalid_argument.
  int FillStyle() const { return estilo_relleno_; }
  void setFillStyle(int estilo);
  // Pen width in pixels, 1 or more; otherwise std::invalid_argument.
  int DrawWidth() const { return grosor_; }
  void setDrawWidth(int grosor);
  // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none, 6 inside
  // solid; the broken styles draw solid with a pen wider than 1. Other values
  // throw std::invalid_argument.
  int DrawStyle() const { return estilo_trazo_; }
  void setDrawStyle(int estilo);
  // Raster operation of the pen, 1 to 16 (13 copy pen); otherwise std::invalid_argument.
  int DrawMode() const { return modo_; }
  void setDrawMode(int modo);
  void setFontText(const QFont& f) { letra_ = f; }

  // Scale. ScaleMode 1 is twips from the drawing area's top left corner;
  // setting any of the four scale values selects the user scale (0).
  int ScaleMode() const { return modo_escala_; }
  void setScaleMode(int modo);
  double ScaleLeft() const;
  double ScaleTop() const;
  double ScaleWidth() const;
  double ScaleHeight() const;
  void setScaleLeft(double v);
  void setScaleTop(double v);
  void setScaleWidth(double v);
  void setScaleHeight(double v);

  double CurrentX = 0;
  double CurrentY = 0;

  // Outer size in twips.
  double Width() const;
  double Height() const;

  // Drawing, in the current scale, onto the kept image. The colour defaults
  // to ForeColor.
  void Line(double x1, double y1, double x2, double y2, std::optional<QColor> color = std::nullopt);
  // The outline of the box with corners (x1, y1) and (x2, y2).
  void Box(double x1, double y1, double x2, double y2, std::optional<QColor> color = std::nullopt);
  // A circle whose radius is measured along x, filled by the fill settings.
  void Circle(double x, double y, double radio, std::optional<QColor> color = std::nullopt);
  // Clears to the back colour; the print position goes to the scale's origin.
  void Cls();
  // A picture at its own size with its top left corner at (x, y).
  void PaintPicture(const QImage& imagen, double x, double y);
  // Text at (CurrentX, CurrentY) in ForeColor; then the position moves to
  // the start of the next line.
  void Print(const QString& texto);
  double TextWidth(const QString& texto) const;
  double TextHeight(const QString& texto) const;

  // What has been drawn: the image of the drawing area.
  const QImage& Image() const;

  // Scale units <-> pixels of the drawing area.
  QPointF a_pixeles(double x, double y) const;
  double x_de_pixel(double px) const;
  double y_de_pixel(double py) const;

  // Child controls placed in the scale: their top left corner at (left, top).
  void colocar_hijo(QWidget* hijo, double left, double top) const;
  double Left(const QWidget* hijo) const;
  double Top(const QWidget* hijo) const;
  // A child's width and height in scale units (the height is negative with
  // a negative ScaleHeight).
  double Width(const QWidget* hijo) const;
  double Height(const QWidget* hijo) const;

 Q_SIGNALS:
  // Button: the button that changed (down, up) or the buttons held (move).
  void MouseDown(int Button, int Shift, double X, double Y);
  void MouseMove(int Button, int Shift, double X, double Y);
  void MouseUp(int Button, int Shift, double X, double Y);
  // A control in automatic drag mode was dropped here.
  void DragDrop(QWidget* Source, double X, double Y);

 protected:
  void paintEvent(QPaintEvent* evento) override;
  void mousePressEvent(QMouseEvent* evento) override;
  void mouseMoveEvent(QMouseEvent* evento) override;
  void mouseReleaseEvent(QMouseEvent* evento) override;

 private:
  QSize area() const;
  QImage& imagen();
  double ancho_escala_twips() const;
  double alto_escala_twips() const;
  void escala_usuario();
  void dibujar(const std::function<void(QPainter&)>& trazo, const QColor& color, bool con_relleno);
  void evento_raton(QMouseEvent* evento, int tipo);

  int borde_ = 1;
  QColor fondo_ = Qt::white;
  QColor tinta_ = Qt::black;
  QColor relleno_ = Qt::black;
  int estilo_relleno_ = 1;
  int grosor_ = 1;
  int estilo_trazo_ = 0;
  int modo_ = vbCopyPen;
  QFont letra_;
  int modo_escala_ = 1;
  double izquierda_ = 0, arriba_ = 0, ancho_ = 1, alto_ = 1;  // user scale
  mutable QImage imagen_;
};

// Automatic drag mode: pressing on the control and moving the mouse drags
// an outline of it; releasing over a Lienzo raises that Lienzo's DragDrop
// with the control as source and the drop point in its scale. The dragged
// control does not take its own drop; a release anywhere else does nothing.
void arrastre_automatico(QWidget* control);

}  // namespace plataforma
