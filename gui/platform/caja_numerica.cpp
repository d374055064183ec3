#include "platform/caja_numerica.hpp"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <typeinfo>
#include <utility>

#include "platform/vb.hpp"

namespace plataforma {

QString formato_caja(const QString& texto) {
  return IsNumeric(texto) ? Format(Val(texto), u"####0.000") : texto;
}

CajaNumerica::CajaNumerica(QLineEdit* caja, ReglaNumerica regla, QString& textoanterior,
                           std::function<void()> al_editar)
    : QObject(caja),
      caja_(caja),
      objeto_(caja),
      regla_(std::move(regla)),
      textoanterior_(textoanterior),
      al_editar_(std::move(al_editar)) {
  caja_->installEventFilter(this);
  vigente_ = caja_->text();
  // A change by the user is reported as edited just before it is reported
  // as changed; a text written by the program only as changed.
  connect(caja_, &QLineEdit::textEdited, this, [this] { tecleado_ = true; });
  connect(caja_, &QLineEdit::textChanged, this, [this] {
    if (entera()) Change();
  });
}

// Keeps the focus and key events of a box that is not whole from every
// filter of the box (a window's own among them) and from the box itself.
// Filters are asked last installed first, so it is installed again each time
// the box gets the focus, after the filters the windows install when they
// make their boxes.
class CajaNumerica::Guarda : public QObject {
 public:
  explicit Guarda(CajaNumerica* caja) : QObject(caja), caja_(caja) {}

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (objeto != caja_->objeto_) return false;
    switch (evento->type()) {
      case QEvent::FocusIn:
      case QEvent::FocusOut:
      case QEvent::KeyPress:
      case QEvent::KeyRelease: return !caja_->entera();
      default: return false;
    }
  }

 private:
  CajaNumerica* caja_;
};

void CajaNumerica::recordar_contenedores() {
  contenedores_.clear();
  for (const QWidget* w = caja_; w != nullptr; w = w->parentWidget()) contenedores_.emplace_back(w, typeid(*w));
}

bool CajaNumerica::entera() const {
  // The box in its own destructor is a QLineEdit no more.
  if (qobject_cast<const QLineEdit*>(objeto_) == nullptr) return false;
  // The widgets that hold it, as far as they are known: each still of its class.
  const QWidget* w = static_cast<const QWidget*>(objeto_);
  for (; w != nullptr; w = w->parentWidget())
    for (const auto& [contenedor, clase] : contenedores_)
      if (contenedor == w && clase != std::type_index(typeid(*w))) return false;
  return true;
}

bool CajaNumerica::KeyPress(QChar tecla) {
  if (regla_.rechazadas.contains(tecla)) return false;
  textoanterior_ = caja_->text();
  return true;
}

void CajaNumerica::Change() {
  const QString t = caja_->text();
  const bool tecleado = std::exchange(tecleado_, false);
  if (regla_.pasan.contains(t)) {
    vigente_ = t;
    return;
  }
  if (!IsNumeric(t)) {
    caja_->setText(textoanterior_);
    return;
  }
  if (tecleado && regla_.admite && !regla_.admite(t)) {
    caja_->setText(vigente_);
    if (regla_.rechazo) regla_.rechazo();
    return;
  }
  vigente_ = t;
  if (al_editar_) al_editar_();
}

void CajaNumerica::GotFocus() { caja_->selectAll(); }

void CajaNumerica::LostFocus() {
  if (!regla_.formato_al_salir) return;
  const QString t = caja_->text();
  if (t.isEmpty() || t == "-") return;
  caja_->setText(formato_caja(t));
}

bool CajaNumerica::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto != objeto_) return false;
  const QEvent::Type tipo = evento->type();
  if (tipo != QEvent::KeyPress && tipo != QEvent::FocusIn && tipo != QEvent::FocusOut) return false;
  if (!entera()) return false;
  switch (tipo) {
    case QEvent::KeyPress: {
      // Keys that type a character (editing keys such as Backspace and
      // Delete included); Ctrl and Alt combinations other than those that
      // edit the text pass as they are.
      const auto* tecla = static_cast<QKeyEvent*>(evento);
      const QString texto = tecla->text();
      if (!texto.isEmpty() && !KeyPress(texto.front())) return true;
      break;
    }
    case QEvent::FocusIn: {
      recordar_contenedores();
      if (guarda_ == nullptr) guarda_ = new Guarda(this);
      objeto_->installEventFilter(guarda_);
      GotFocus();
      // A click places the cursor after the focus arrives: select again
      // once the click is done.
      if (static_cast<QFocusEvent*>(evento)->reason() == Qt::MouseFocusReason)
        QTimer::singleShot(0, caja_, [c = caja_] { c->selectAll(); });
      break;
    }
    case QEvent::FocusOut: LostFocus(); break;
    default: break;
  }
  return false;
}

}  // namespace plataforma
