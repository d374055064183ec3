#include "platform/pulsar.hpp"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace plataforma {

namespace {

class FiltroPulsar : public QObject {
 public:
  FiltroPulsar(QWidget* control, std::function<void()> manejador)
      : QObject(control), control_(control), manejador_(std::move(manejador)) {}

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (objeto != control_) return false;
    // A press on a child control passes on to its parent when the child has
    // no use for it: that is a click on the child, not on this control.
    if (evento->type() == QEvent::MouseButtonPress) {
      const auto* raton = static_cast<QMouseEvent*>(evento);
      pulsado_ = raton->button() == Qt::LeftButton && control_->childAt(raton->position().toPoint()) == nullptr;
    } else if (evento->type() == QEvent::MouseButtonRelease) {
      const auto* raton = static_cast<QMouseEvent*>(evento);
      const bool clic = pulsado_ && raton->button() == Qt::LeftButton &&
                        control_->rect().contains(raton->position().toPoint());
      pulsado_ = false;
      if (clic) {
        // The handler may unload the window that holds the control, and with
        // it this filter: copy the handler before calling it.
        auto manejador = manejador_;
        manejador();
        return true;
      }
    }
    return false;
  }

 private:
  QWidget* control_;
  std::function<void()> manejador_;
  bool pulsado_ = false;
};

}  // namespace

void al_pulsar(QWidget* control, std::function<void()> manejador) {
  control->installEventFilter(new FiltroPulsar(control, std::move(manejador)));
}

}  // namespace plataforma
