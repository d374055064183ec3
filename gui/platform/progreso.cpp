#include "platform/progreso.hpp"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>
#include <thread>

namespace plataforma {

namespace {
int espera = 400;                   // ms of work before the window shows
constexpr int intervalo_eventos = 40;  // ms between two rounds of window events
constexpr int intervalo_sondeo = 20;   // ms between two looks at work done elsewhere
}  // namespace

void Progreso::fijar_espera(int milisegundos) { espera = milisegundos; }

Progreso::Progreso(const QString& titulo, const QString& cancelar) : titulo_(titulo), cancelar_(cancelar) {
  reloj_.start();
}

Progreso::~Progreso() { delete ventana_.data(); }

bool Progreso::mostrar(const QString& texto) {
  const qint64 ahora = reloj_.elapsed();
  if (!ventana_.isNull()) return true;
  if (ahora < espera || cancelado_) return false;
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return false;
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
  return true;
}

bool Progreso::seguir(const QString& texto) {
  if (cancelado_) return false;
  if (!mostrar(texto)) return true;
  const qint64 ahora = reloj_.elapsed();
  if (ahora - ultimo_ >= intervalo_eventos) {
    etiqueta_->setText(texto);
    ultimo_ = ahora;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return !cancelado_;
}

Progreso::Espera Progreso::esperar(const QString& texto, const std::function<bool()>& lista, int limite) {
  QElapsedTimer desde;
  desde.start();
  for (;;) {
    if (lista()) return Espera::Lista;
    if (cancelado_) return Espera::Cancelada;
    if (desde.elapsed() >= limite) return Espera::Agotada;
    const bool visible = mostrar(texto);
    if (visible && etiqueta_->text() != texto) etiqueta_->setText(texto);
    if (QCoreApplication::instance() == nullptr) {
      std::this_thread::sleep_for(std::chrono::milliseconds(intervalo_sondeo));
      continue;
    }
    // One round of events, for as long as the next look is due.
    QEventLoop bucle;
    QTimer::singleShot(intervalo_sondeo, &bucle, &QEventLoop::quit);
    bucle.exec(visible ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
  }
}

}  // namespace plataforma
