#include "comun.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

#include "frame/frmAbout.hpp"
#include "frame/frmMain.hpp"
#include "frame/frmSplash.hpp"
#include "frame/global.hpp"
#include "frame/idiomas.hpp"
#include "platform/ajustes.hpp"
#include "platform/app.hpp"
#include "platform/mensajes.hpp"
#include "platform/texto1252.hpp"

namespace prueba {

Guion::Guion(std::deque<int> respuestas) : respuestas_(std::move(respuestas)) {
  plataforma::fijar_guion_msgbox([this](const QString& texto, int estilo, const QString& titulo) {
    cajas.append({texto, estilo, titulo});
    if (al_mostrar) al_mostrar(cajas.back());
    if (respuestas_.empty()) return 1;
    const int r = respuestas_.front();
    respuestas_.pop_front();
    return r;
  });
}

Guion::~Guion() { plataforma::fijar_guion_msgbox({}); }

Carpeta::Carpeta() {
  limpiar();
  plataforma::App::fijar_Path(dir_.path());
  plataforma::fijar_carpeta_ajustes(dir_.filePath("ajustes"));
  plataforma::App::HelpFile().clear();
  idiomas::fichero_idioma = dir_.filePath("idioma.lng");
}

Carpeta::~Carpeta() { limpiar(); }

QString Carpeta::ruta(const QString& nombre) const { return dir_.filePath(nombre); }

void Carpeta::escribir(const QString& nombre, const QByteArray& bytes) const {
  QFile f(ruta(nombre));
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write test file");
  f.write(bytes);
}

QByteArray Carpeta::leer(const QString& nombre) const {
  QFile f(ruta(nombre));
  if (!f.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
  return f.readAll();
}

bool Carpeta::existe(const QString& nombre) const { return QFile::exists(ruta(nombre)); }

void Carpeta::idioma(const QByteArray& bytes) const {
  escribir("idioma.lng", bytes);
  idiomas::fichero_idioma = ruta("idioma.lng");
}

QByteArray fichero_idiomas(const QString& actual, const QStringList& lenguas) {
  QString texto = "[Idioma]\r\nidioma=" + actual + "\r\n";
  for (const QString& lengua : lenguas) {
    texto += "[" + lengua + "]\r\n";
    const QString prefijo = lengua == "Español" ? "es" : "en";
    for (int k : idiomas::claves_en_uso()) texto += QString::number(k) + "=" + prefijo + QString::number(k) + "\r\n";
  }
  return plataforma::a_1252(texto);
}

SinSitio::SinSitio(rlim_t bytes) {
  ::getrlimit(RLIMIT_FSIZE, &antes_);
  senal_ = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limite = antes_;
  limite.rlim_cur = bytes;
  ::setrlimit(RLIMIT_FSIZE, &limite);
}

SinSitio::~SinSitio() {
  ::setrlimit(RLIMIT_FSIZE, &antes_);
  std::signal(SIGXFSZ, senal_);
}

void aceptar_caja_real(int ms, QString& texto) {
  QTimer::singleShot(ms, [&texto] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* c = qobject_cast<QMessageBox*>(w); c != nullptr && c->isVisible()) {
        texto = c->text();
        c->button(QMessageBox::Ok)->click();
      }
  });
}

void limpiar() {
  frmAbout::destruir();
  frmSplash::destruir();
  frmMain::destruir();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  global::modificado = false;
  global::archivo.clear();
  global::respuesta = 0;
  idiomas::idioma_actual.clear();
  idiomas::num_idiomas = 0;
  idiomas::lista_idiomas.clear();
  plataforma::App::fijar_End({});
}

QString aviso_de_fichero_danado(const QString& ruta, int linea, const QString& esperado) {
  return "en219\n\n" + QDir::toNativeSeparators(ruta) + "\nen222 " + QString::number(linea) + ", en223: " + esperado;
}

}  // namespace prueba
