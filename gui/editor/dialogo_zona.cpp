#include "editor/dialogo_zona.hpp"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVariant>

#include "editor/frmdatos.hpp"
#include "editor/posicion.hpp"
#include "frame/frmMain.hpp"
#include "frame/global.hpp"
#include "frame/idiomas.hpp"
#include "frame/lineas_problema.hpp"
#include "platform/caja_numerica.hpp"
#include "platform/twips.hpp"
#include "platform/vb.hpp"

namespace editor {

global::tzona& DialogoZona::zona() { return global::zonas.at(static_cast<std::size_t>(global::zona_actual)); }

namespace {

DialogoZona* abierto_ = nullptr;

// Drops a typed character once the box holds n characters and none is
// selected; editing keys and program writes pass.
class LimiteTecleo : public QObject {
 public:
  LimiteTecleo(QLineEdit* caja, int n) : QObject(caja), caja_(caja), n_(n) { caja->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (objeto != caja_ || evento->type() != QEvent::KeyPress) return false;
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    const QString t = tecla->text();
    if (t.isEmpty() || !t.front().isPrint()) return false;
    return caja_->text().size() >= n_ && !caja_->hasSelectedText();
  }

 private:
  QLineEdit* caja_;
  int n_;
};

}  // namespace

void marcar_modificado() {
  global::modificado = true;
  frmMain::instancia().cambia_titulo();
}

void limitar_tecleo(QLineEdit* caja, int n) { new LimiteTecleo(caja, n); }

namespace {

// The value behind a box, kept as the box's properties.
constexpr const char* valor_detras = "valor_detras";
constexpr const char* valor_vigente = "valor_vigente";
constexpr const char* valor_seguido = "valor_seguido";

// The value while the box shows it; none once its text changed to another
// number.
bool tiene_valor(const QLineEdit* caja) { return caja->property(valor_vigente).toBool(); }

void dejar_valor(QLineEdit* caja, const QVariant& valor) {
  caja->setProperty(valor_detras, valor);
  caja->setProperty(valor_vigente, valor.isValid());
  if (caja->property(valor_seguido).toBool()) return;
  caja->setProperty(valor_seguido, true);
  QObject::connect(caja, &QLineEdit::textChanged, caja, [caja](const QString& texto) {
    if (!tiene_valor(caja)) return;
    const double valor = caja->property(valor_detras).toDouble();
    const double mostrado = plataforma::Val(plataforma::Format(valor, u"####0.000"));
    const double v = plataforma::Val(texto);
    if (v != valor && v != mostrado) caja->setProperty(valor_vigente, false);
  });
}

}  // namespace

void mostrar_valor(QLineEdit* caja, double valor) { mostrar_valor(caja, valor, plataforma::Format(valor, u"####0.000")); }

void mostrar_valor(QLineEdit* caja, double valor, const QString& texto) {
  dejar_valor(caja, valor);
  caja->setText(texto);
}

double valor_de(const QLineEdit* caja) {
  return tiene_valor(caja) ? caja->property(valor_detras).toDouble() : plataforma::Val(caja->text());
}

void copiar_valor(const QLineEdit* de, QLineEdit* a) {
  dejar_valor(a, tiene_valor(de) ? de->property(valor_detras) : QVariant());
  a->setText(de->text());
}

DialogoZona::DialogoZona(DialogoZona*& ranura, int clave, double ancho, double alto)
    : ranura_(ranura), clave_(clave) {
  ranura_ = this;
  QFont letra = font();
  letra.setPointSize(8);
  setFont(letra);
  setFixedSize(plataforma::pixeles_x(ancho), plataforma::pixeles_y(alto));
  btactualiza = new QPushButton(this);
  btactualiza->setObjectName("btactualiza");
  btcancel = new QPushButton(this);
  btcancel->setObjectName("btcancel");
  btaceptar = new QPushButton(this);
  btaceptar->setObjectName("btaceptar");
  connect(btactualiza, &QPushButton::clicked, this, &DialogoZona::btactualiza_Click);
  connect(btcancel, &QPushButton::clicked, this, &DialogoZona::btcancel_Click);
  connect(btaceptar, &QPushButton::clicked, this, &DialogoZona::btaceptar_Click);
}

DialogoZona::~DialogoZona() {
  if (abierto_ == this) abierto_ = nullptr;
  if (ranura_ == this) ranura_ = nullptr;
}

QLineEdit* DialogoZona::caja_real(QWidget* padre, const char* nombre, double left, double top, double width,
                                  double height, std::function<QString()> etiqueta) {
  auto* c = new QLineEdit(padre);
  c->setObjectName(nombre);
  colocar(c, left, top, width, height);
  plataforma::ReglaNumerica regla{"", {"", "-"}, true};
  lineas_problema::limitar(regla, std::move(etiqueta), lineas_problema::Escrito::real);
  new plataforma::CajaNumerica(c, regla, textoanterior, marcar_modificado);
  limitar_tecleo(c, 8);
  return c;
}

DialogoZona* DialogoZona::abierto() { return abierto_; }

void DialogoZona::cerrar_abierto() {
  if (abierto_ == nullptr) return;
  if (frmdatos::cargado()) frmdatos::instancia().setEnabled(true);
  abierto_->cerrar();
}

void DialogoZona::mostrar() {
  QMdiArea* area = frmMain::instancia().mdiArea;
  // A title bar without buttons.
  subventana_ = area->addSubWindow(this, Qt::SubWindow | Qt::WindowTitleHint);
  subventana_->setAttribute(Qt::WA_DeleteOnClose, false);
  abierto_ = this;
  subventana_->show();
  subventana_->setFocus();
}

void DialogoZona::Form_Load() {
  setWindowTitle(idiomas::texto(clave_));
  btactualiza->setText(idiomas::texto(81));
  btcancel->setText(idiomas::texto(82));
  btaceptar->setText(idiomas::texto(74));
  rellenar();
  marcar_modificado();
}

void DialogoZona::btactualiza_Click() {
  actualizar();
  if (frmdatos::cargado()) frmdatos::instancia().dibuja_potencial();
}

void DialogoZona::btaceptar_Click() {
  btactualiza_Click();
  if (frmdatos::cargado()) frmdatos::instancia().setEnabled(true);
  cerrar();
}

void DialogoZona::btcancel_Click() {
  if (frmdatos::cargado()) frmdatos::instancia().setEnabled(true);
  cerrar();
}

void DialogoZona::closeEvent(QCloseEvent* evento) {
  // Only the dialog's own buttons close it.
  if (cerrando_)
    evento->accept();
  else
    evento->ignore();
}

void DialogoZona::cerrar() {
  cerrando_ = true;
  if (abierto_ == this) abierto_ = nullptr;
  if (ranura_ == this) ranura_ = nullptr;
  // Destroyed once the click that closes it has been handled.
  if (subventana_ != nullptr) {
    subventana_->hide();
    subventana_->deleteLater();
  } else {
    hide();
    deleteLater();
  }
}

}  // namespace editor
