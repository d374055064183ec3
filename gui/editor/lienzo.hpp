#pragma once
// A picture box with a user scale and a persistent drawing: lines drawn into
// it stay until it is cleared, whatever covers or repaints it. The scale maps
// the inside of the box: ScaleLeft and ScaleTop at its top-left corner,
// ScaleLeft + ScaleWidth and ScaleTop + ScaleHeight at its bottom-right
// corner (a negative ScaleHeight makes values grow upward).
#include <QColor>
#include <QFrame>
#include <QImage>
#include <QLineF>
#include <QList>


namespace editor {

class Lienzo : public QFrame {
  Q_OBJECT

 public:
  explicit Lienzo(QWidget* padre = nullptr);

  double ScaleLeft = 0;
  double ScaleTop = 0;
  double ScaleWidth = 1;
  double ScaleHeight = 1;
  QColor ForeColor = Qt::black;
  int DrawWidth = 1;  // pixels

  QColor BackColor() const { return fondo_; }
  // A new background clears the drawing.
  void setBackColor(const QColor& color);

  // Clears the drawing to the background.
  void Cls();
  // A line in scale units, in ForeColor, DrawWidth pixels wide.
  void Line(double x1, double y1, double x2, double y2);

  // Scale units <-> pixels of the inside of the box.
  QPointF a_pixeles(double x, double y) const;
  QPointF a_escala(QPointF pixel) const;

  // The drawing as it stands, and the lines drawn since the last clearing
  // (in scale units, with their width and colour).
  const QImage& imagen() const { return imagen_; }
  struct Trazo {
    QLineF linea;
    int ancho;
    QColor color;
  };
  const QList<Trazo>& trazos() const { return trazos_; }

 Q_SIGNALS:
  // Pointer movement over the box: buttons, modifiers, position in scale units.
  void MouseMove(int Button, int Shift, double X, double Y);

 protected:
  void paintEvent(QPaintEvent* evento) override;
  void mouseMoveEvent(QMouseEvent* evento) override;

 private:
  // The image follows the size of the inside of the box, also while the box
  // is hidden; what was drawn stays at its top-left corner.
  void ajustar_imagen();

  QColor fondo_ = Qt::white;
  QImage imagen_;
  QList<Trazo> trazos_;
};

}  // namespace editor
