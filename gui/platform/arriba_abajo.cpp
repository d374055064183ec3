#include "platform/arriba_abajo.hpp"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "platform/vb.hpp"

namespace plataforma {

namespace {
constexpr int primera_repeticion_ms = 500;
constexpr int repeticion_ms = 80;
}  // namespace

UpDown::UpDown(QWidget* padre) : QWidget(padre) {
  arriba_ = new QToolButton(this);
  arriba_->setArrowType(Qt::UpArrow);
  arriba_->setObjectName("arriba");
  abajo_ = new QToolButton(this);
  abajo_->setArrowType(Qt::DownArrow);
  abajo_->setObjectName("abajo");
  for (QToolButton* b : {arriba_, abajo_}) {
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(false);
    b->installEventFilter(this);
  }
  // One shot at a time, started again after each step: it never fires
  // while a step's handlers run (a message box's own event loop).
  repeticion_ = new QTimer(this);
  repeticion_->setSingleShot(true);
  connect(repeticion_, &QTimer::timeout, this, [this] {
    if (sentido_ == 0) return;
    paso(sentido_);
    if (sentido_ != 0) repeticion_->start(repeticion_ms);
  });
  connect(arriba_, &QToolButton::pressed, this, [this] { pulsar(1); });
  connect(abajo_, &QToolButton::pressed, this, [this] { pulsar(-1); });
  connect(arriba_, &QToolButton::released, this, &UpDown::soltar);
  connect(abajo_, &QToolButton::released, this, &UpDown::soltar);
}

void UpDown::resizeEvent(QResizeEvent*) {
  const int mitad = height() / 2;
  arriba_->setGeometry(0, 0, width(), mitad);
  abajo_->setGeometry(0, mitad, width(), height() - mitad);
}

void UpDown::showEvent(QShowEvent*) {
  if (BuddyControl != nullptr && BuddyControl != vigilada_) {
    if (vigilada_ != nullptr) vigilada_->removeEventFilter(this);
    vigilada_ = BuddyControl;
    vigilada_->installEventFilter(this);
  }
}

bool UpDown::tecla(QEvent* evento) {
  const auto* t = static_cast<QKeyEvent*>(evento);
  if ((t->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
  if (t->key() != Qt::Key_Up && t->key() != Qt::Key_Down) return false;
  const int sentido = t->key() == Qt::Key_Up ? 1 : -1;
  if (evento->type() == QEvent::KeyPress) {
    // The key held down repeats as the arrow held down; a press that a
    // message box ended takes no repeats.
    if (!t->isAutoRepeat()) {
      sentido_ = sentido;
      tecla_ = true;
      paso(sentido);
    } else if (tecla_ && sentido_ == sentido) {
      paso(sentido);
    }
  } else if (!t->isAutoRepeat() && tecla_ && sentido_ == sentido) {
    tecla_ = false;
    soltar();
  }
  return true;
}

bool UpDown::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == vigilada_ && objeto == BuddyControl) {
    if (evento->type() == QEvent::KeyPress || evento->type() == QEvent::KeyRelease) return tecla(evento);
    if (evento->type() == QEvent::FocusOut && tecla_) {
      tecla_ = false;
      soltar();
    }
    return false;
  }
  // A quick second press arrives as a double click: it is one more press.
  if (evento->type() != QEvent::MouseButtonDblClick) return false;
  auto* boton = qobject_cast<QToolButton*>(objeto);
  if (boton == nullptr || static_cast<QMouseEvent*>(evento)->button() != Qt::LeftButton) return false;
  boton->setDown(true);
  pulsar(boton == arriba_ ? 1 : -1);
  return true;
}

void UpDown::pulsar(int sentido) {
  sentido_ = sentido;
  tecla_ = false;
  paso(sentido);
  if (sentido_ != 0) repeticion_->start(primera_repeticion_ms);
}

void UpDown::soltar() {
  repeticion_->stop();
  sentido_ = 0;
  Q_EMIT MouseUp(1);
}

namespace {

// Notes whether a modal window blocked the control's window.
class VigiaBloqueo : public QObject {
 public:
  explicit VigiaBloqueo(QWidget* ventana) : ventana_(ventana) { ventana_->installEventFilter(this); }
  ~VigiaBloqueo() override {
    if (ventana_ != nullptr) ventana_->removeEventFilter(this);
  }
  bool bloqueada = false;

 protected:
  bool eventFilter(QObject*, QEvent* evento) override {
    if (evento->type() == QEvent::WindowBlocked) bloqueada = true;
    return false;
  }

 private:
  QPointer<QWidget> ventana_;
};

}  // namespace

void UpDown::paso(int sentido) {
  if (BuddyControl == nullptr || sentido == 0) return;
  const double actual = std::clamp(Val(BuddyControl->text()), -1.0e9, 1.0e9);
  const int valor = static_cast<int>(std::lround(actual));
  const int nuevo = std::clamp(valor + sentido * Increment, Min, Max);
  if (nuevo == valor) return;

  // A handler that shows a modal box takes the mouse (or the key) away:
  // the press ends there, without repeats, as if released.
  const QPointer<UpDown> vivo(this);
  VigiaBloqueo vigia(window());
  BuddyControl->setText(QString::number(nuevo));
  Q_EMIT Change();
  if (sentido > 0)
    Q_EMIT UpClick();
  else
    Q_EMIT DownClick();
  if (vivo.isNull() || !vigia.bloqueada) return;
  arriba_->setDown(false);
  abajo_->setDown(false);
  tecla_ = false;
  soltar();
}

}  // namespace plataforma
