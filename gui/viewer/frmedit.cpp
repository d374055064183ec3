#include "viewer/frmedit.hpp"

#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFontDatabase>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QHBoxLayout>

#include "frame/idiomas.hpp"
#include "frame/imprimir.hpp"
#include "platform/ficheros.hpp"
#include "platform/mensajes.hpp"
#include "platform/texto_largo.hpp"
#include "platform/twips.hpp"

namespace {
frmedit* instancia_ = nullptr;
}

frmedit& frmedit::instancia() {
  if (instancia_ == nullptr) instancia_ = new frmedit();
  return *instancia_;
}

bool frmedit::cargado() { return instancia_ != nullptr; }

void frmedit::destruir() {
  if (instancia_ == nullptr) return;
  QWidget* marco = qobject_cast<QMdiSubWindow*>(instancia_->parentWidget());
  delete instancia_;
  delete marco;
}

frmedit::~frmedit() {
  if (instancia_ == this) instancia_ = nullptr;
}

frmedit::frmedit() {
  setObjectName("frmedit");
  setAttribute(Qt::WA_DeleteOnClose);
  rtxtdatos = new plataforma::TextoLargo(this);
  rtxtdatos->setObjectName("rtxtdatos");
  // "Courier", or the nearest fixed-pitch font the machine has.
  QFont letra("Courier");
  letra.setStyleHint(QFont::TypeWriter);
  letra.setFixedPitch(true);
  if (!QFontInfo(letra).fixedPitch()) letra = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  rtxtdatos->setFont(letra);
  btprint = new QPushButton("&Imprimir", this);
  btprint->setObjectName("btprint");
  btdaceptar = new QPushButton("&Aceptar", this);
  btdaceptar->setObjectName("btdaceptar");

  auto* botones = new QHBoxLayout;
  botones->addStretch();
  botones->addWidget(btprint);
  botones->addWidget(btdaceptar);
  auto* todo = new QVBoxLayout(this);
  todo->addWidget(rtxtdatos);
  todo->addLayout(botones);
  resize(plataforma::pixeles_x(10500), plataforma::pixeles_y(7000));

  connect(btprint, &QPushButton::clicked, this, &frmedit::btprint_Click);
  connect(btdaceptar, &QPushButton::clicked, this, &frmedit::btdaceptar_Click);
}

bool frmedit::rtxtdatos_FileName(const QString& ruta) {
  fichero_ = ruta;
  setWindowTitle(ruta);
  // The earlier text goes before the next is read: two long reports never
  // stand in memory at once.
  rtxtdatos->clear();
  QByteArray bytes;
  plataforma::Lectura lectura;
  const QString fichero = plataforma::resolver_nombre(ruta);
  if (!plataforma::leer_fichero(fichero, bytes, lectura)) {
    // A named pipe, a device or a socket in the file's place is refused at
    // once, and said.
    if (lectura.no_regular)
      plataforma::MsgBox(idiomas::texto(247) + "\n\n" + QDir::toNativeSeparators(fichero), plataforma::vbCritical,
                         QString());
    return false;
  }
  rtxtdatos->cargar(std::move(bytes));
  return true;
}

QString frmedit::nombre_impreso(const QString& ruta) {
  const QString nombre = ruta.mid(ruta.lastIndexOf('/') + 1);
  // A name without a three-letter extension prints whole.
  if (nombre.size() > 4 && nombre.at(nombre.size() - 4) == '.') return nombre.left(nombre.size() - 4);
  return nombre;
}

void frmedit::Unload() {
  if (auto* marco = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    marco->setAttribute(Qt::WA_DeleteOnClose);
    marco->close();
  } else {
    close();
  }
}

// A closed viewer is gone at once: the next display loads a new one, even
// before this one is deleted.
void frmedit::closeEvent(QCloseEvent* evento) {
  QWidget::closeEvent(evento);
  if (instancia_ == this) instancia_ = nullptr;
}

void frmedit::btprint_Click() {
  using idiomas::texto;
  const QString linea1 = texto(111) + "  " + texto(112);
  const QString linea2 = texto(1) + ": " + nombre_impreso(fichero_) + "     " + texto(113) + ": " +
                         QDate::currentDate().toString("MM-dd-yyyy");
  // The window may go while a long job runs (its events go on).
  const QPointer<frmedit> yo(this);
  imprimir::imprimir_texto(rtxtdatos->toPlainText(), linea1, linea2, 7);
  if (!yo.isNull()) Unload();
}

void frmedit::btdaceptar_Click() { Unload(); }
