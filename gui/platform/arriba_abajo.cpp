#include "platform/arriba_abajo.hpp"

#include <QEvent>
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
  repeticion_ = new QTimer(this);
  connect(repeticion_, &QTimer::timeout, this, [this] {
    repeticion_->setInterval(repeticion_ms);
    paso(sentido_);
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

bool UpDown::eventFilter(QObject* objeto, QEvent* evento) {
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
  repeticion_->start(primera_repeticion_ms);
  paso(sentido);
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

  // A handler that shows a modal box takes the mouse away from the arrow:
  // the press ends there, without repeats and without MouseUp.
  const QPointer<UpDown> vivo(this);
  VigiaBloqueo vigia(window());
  BuddyControl->setText(QString::number(nuevo));
  Q_EMIT Change();
  if (sentido > 0)
    Q_EMIT UpClick();
  else
    Q_EMIT DownClick();
  if (vivo.isNull() || !vigia.bloqueada) return;
  repeticion_->stop();
  sentido_ = 0;
  arriba_->setDown(false);
  abajo_->setDown(false);
}

}  // namespace plataforma
