#pragma once
// An up-down control with a buddy text box. A press of an arrow (and every
// repeat while it is held) moves the number in the buddy box by Increment,
// within Min and Max; when the number changes, the buddy's text changes
// first (its own change event), then Change, then UpClick or DownClick.
// Releasing an arrow raises MouseUp. The Up and Down keys in the buddy box
// press and release the arrows alike. A step whose handlers show a modal
// box ends the press there (MouseUp, no more repeats). An Increment of 0 moves nothing and
// raises none of the three.
#include <QWidget>

class QLineEdit;
class QTimer;
class QToolButton;

namespace plataforma {

class UpDown : public QWidget {
  Q_OBJECT

 public:
  explicit UpDown(QWidget* padre = nullptr);

  int Min = 0;
  int Max = 10;
  int Increment = 1;
  // The box whose number the control moves; its text is read afresh at each
  // step, so a number written into it by a program is where the next step
  // starts from.
  QLineEdit* BuddyControl = nullptr;

  QToolButton* boton_arriba() const { return arriba_; }
  QToolButton* boton_abajo() const { return abajo_; }

 Q_SIGNALS:
  void Change();
  void UpClick();
  void DownClick();
  void MouseUp(int Button);

 protected:
  void resizeEvent(QResizeEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;
  void showEvent(QShowEvent* evento) override;

 private:
  void paso(int sentido);
  void pulsar(int sentido);
  void soltar();
  bool tecla(QEvent* evento);

  QToolButton* arriba_;
  QToolButton* abajo_;
  QTimer* repeticion_;
  int sentido_ = 0;
  bool tecla_ = false;  // the press is a key's
  QLineEdit* vigilada_ = nullptr;
};

}  // namespace plataforma
