#pragma once
// Answers the real modal windows (message boxes, file dialogs) that come up
// while a test runs a command: a timer looks at the active modal window and
// gives it the next answer. The nested event loop of a modal window keeps
// the timers going.
#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QtTest>
#include <deque>
#include <functional>
#include <utility>

namespace prueba {

class Modales {
 public:
  // One answer: true once it has answered the window it was given; false
  // when the window is not of its kind (the answer waits).
  using Respuesta = std::function<bool(QWidget*)>;

  Modales() {
    QObject::connect(&reloj_, &QTimer::timeout, [this] { mirar(); });
    reloj_.start(20);
  }
  // The next answer, after those given before.
  Modales& operator<<(Respuesta r) {
    respuestas_.push_back(std::move(r));
    return *this;
  }
  Modales(const Modales&) = delete;
  Modales& operator=(const Modales&) = delete;

  // The texts of the message boxes answered, in order.
  QStringList textos;
  bool quedan() const { return !respuestas_.empty(); }

  // A message box answered by its button.
  Respuesta boton(QMessageBox::StandardButton cual) {
    return [this, cual](QWidget* w) {
      auto* caja = qobject_cast<QMessageBox*>(w);
      if (caja == nullptr || caja->button(cual) == nullptr) return false;
      textos << caja->text();
      caja->button(cual)->click();
      return true;
    };
  }
  // A file dialog: the path put into its name box and Return pressed (put
  // whole, so that no completion list opens to take the Return).
  static Respuesta fichero(const QString& ruta) {
    return [ruta](QWidget* w) {
      auto* dialogo = qobject_cast<QFileDialog*>(w);
      if (dialogo == nullptr) return false;
      auto* nombre = dialogo->findChild<QLineEdit*>("fileNameEdit");
      if (nombre == nullptr) return false;
      nombre->setFocus();
      nombre->setText(ruta);
      QTest::keyClick(nombre, Qt::Key_Return);
      return true;
    };
  }
  // A file dialog cancelled.
  static Respuesta cancelar_fichero() {
    return [](QWidget* w) {
      auto* dialogo = qobject_cast<QFileDialog*>(w);
      if (dialogo == nullptr) return false;
      static_cast<QDialog*>(dialogo)->reject();
      return true;
    };
  }

 private:
  void mirar() {
    QWidget* w = QApplication::activeModalWidget();
    if (w == nullptr || !w->isVisible() || respuestas_.empty()) return;
    // The window just answered may still be on its way out.
    if (!contestado_.isNull() && contestado_ == w && w->isVisible()) return;
    if (respuestas_.front()(w)) {
      contestado_ = w;
      respuestas_.pop_front();
    }
  }

  std::deque<Respuesta> respuestas_;
  QPointer<QWidget> contestado_;
  QTimer reloj_;
};

}  // namespace prueba
