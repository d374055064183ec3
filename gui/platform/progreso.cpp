#include "platform/progreso.hpp"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace plataforma {

namespace {
int espera = 400;                   // ms of work before the window shows
constexpr int intervalo_eventos = 40;  // ms between two rounds of window events
}  // namespace

void Progreso::fijar_espera(int milisegundos) { espera = milisegundos; }

Progreso::Progreso(const QString& titulo, const QString& cancelar) : titulo_(titulo), cancelar_(cancelar) {
  reloj_.start();
}

Progreso::~Progreso() { delete ventana_.data(); }

bool Progreso::seguir(const QString& texto) {
  if (cancelado_) return false;
  const qint64 ahora = reloj_.elapsed();
  if (ahora < espera) return true;
  if (ventana_.isNull()) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return true;
    auto* v = new QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    v->setObjectName("progreso");
    v->setWindowTitle(titulo_);
    v->setWindowModality(Qt::ApplicationModal);
    etiqueta_ = new QLabel(texto, v);
    etiqueta_->setObjectName("texto");
    etiqueta_->setMinimumWidth(260);
    auto* boton = new QPushButton(cancelar_, v);
    boton->setObjectName("cancelar");
    auto* fila = new QHBoxLayout;
    fila->addStretch();
    fila->addWidget(boton);
    fila->addStretch();
    auto* todo = new QVBoxLayout(v);
    todo->addWidget(etiqueta_);
    todo->addLayout(fila);
    // Cancel, Escape and the close box all end the work.
    QObject::connect(boton, &QPushButton::clicked, v, &QDialog::reject);
    QObject::connect(v, &QDialog::rejected, v, [this] { cancelado_ = true; });
    ventana_ = v;
    v->show();
    ultimo_ = ahora - intervalo_eventos;
  }
  if (ahora - ultimo_ >= intervalo_eventos) {
    etiqueta_->setText(texto);
    ultimo_ = ahora;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return !cancelado_;
}

}  // namespace plataforma
