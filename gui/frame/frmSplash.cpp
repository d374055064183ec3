#include "frame/frmSplash.hpp"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSysInfo>
#include <QTimer>

#include "frame/confreg.hpp"
#include "frame/frmMain.hpp"
#include "frame/idiomas.hpp"
#include "frame/imagenes.hpp"
#include "frame/textos.hpp"
#include "platform/app.hpp"
#include "platform/mensajes.hpp"
#include "platform/pulsar.hpp"
#include "platform/twips.hpp"

using plataforma::colocar;

namespace {
frmSplash* instancia_ = nullptr;
}

frmSplash& frmSplash::instancia() {
  if (instancia_ == nullptr) {
    instancia_ = new frmSplash();
    instancia_->Form_Load();
  }
  return *instancia_;
}

bool frmSplash::cargado() { return instancia_ != nullptr; }

void frmSplash::destruir() {
  delete instancia_;
  instancia_ = nullptr;
}

frmSplash::frmSplash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName("frmSplash");
  crear_controles();
}

void frmSplash::crear_controles() {
  resize(plataforma::pixeles_x(7455), plataforma::pixeles_y(4710));
  setAutoFillBackground(true);

  fraMainFrame = new QFrame(this);
  fraMainFrame->setObjectName("fraMainFrame");
  fraMainFrame->setFrameShape(QFrame::Box);
  fraMainFrame->setFrameShadow(QFrame::Sunken);
  colocar(fraMainFrame, 150, 60, 7155, 4500);

  auto etiqueta = [this](const char* nombre, double left, double top, double width, double height) {
    auto* l = new QLabel(fraMainFrame);
    l->setObjectName(nombre);
    colocar(l, left, top, width, height);
    return l;
  };
  Image1 = etiqueta("Image1", 240, 600, 1800, 1800);
  Image1->setPixmap(imagen_pozo(plataforma::pixeles_x(1800)));
  lblCompanyProduct = etiqueta("lblCompanyProduct", 2300, 300, 4600, 300);
  lblProductName = etiqueta("lblProductName", 2300, 650, 4600, 800);
  QFont grande = lblProductName->font();
  grande.setPointSize(26);
  grande.setBold(true);
  lblProductName->setFont(grande);
  lblProductDescription = etiqueta("lblProductDescription", 2300, 1500, 4600, 800);
  lblProductDescription->setWordWrap(true);
  lblProductDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblPlatform = etiqueta("lblPlatform", 2300, 2450, 4600, 300);
  lblPlatform->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblVersion = etiqueta("lblVersion", 2300, 2780, 4600, 300);
  lblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblWarning = etiqueta("lblWarning", 240, 3250, 5800, 280);
  QFont negrita = lblWarning->font();
  negrita.setBold(true);
  lblWarning->setFont(negrita);
  Label1 = etiqueta("Label1", 240, 3530, 5800, 280);
  Label2 = etiqueta("Label2", 240, 3810, 5800, 280);
  Image2 = etiqueta("Image2", 6300, 3450, 600, 600);
  Image2->setPixmap(imagen_emblema(plataforma::pixeles_x(600)));

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);

  plataforma::al_pulsar(fraMainFrame, [this] { fraMainFrame_Click(); });
  for (QLabel* control : {Image1, Image2, Label1, Label2, lblCompanyProduct, lblPlatform, lblProductName,
                          lblVersion, lblWarning})
    plataforma::al_pulsar(control, [this] { fraMainFrame_Click(); });
}

void frmSplash::Form_Load() {
  confreg::configura_separadores();
  idiomas::fichero_idioma = plataforma::App::en_carpeta("idioma.lng");
  idiomas::carga_idiomas();
  problema_idiomas_ = idiomas::problema_fichero(idiomas::fichero_idioma);

  Timer1->setInterval(1000);
  Timer1->start();

  using idiomas::texto;
  lblCompanyProduct->setText(texto(180));
  lblProductName->setText(textos::titulo);
  // Key 181, a carriage return, key 182: the label shows the two on two lines.
  lblProductDescription->setText(texto(181) + "\n" + texto(182));
  lblPlatform->setText(QSysInfo::prettyProductName());
  lblWarning->setText(texto(72) + ":");
  lblVersion->setText(texto(183));
  Label1->setText(textos::aviso_1);
  Label2->setText(textos::aviso_2);

  if (const QScreen* pantalla = QGuiApplication::primaryScreen()) {
    QRect r = rect();
    r.moveCenter(pantalla->availableGeometry().center());
    move(r.topLeft());
  }
  show();
}

void frmSplash::Timer1_Timer() {
  ++ticks_;
  if (ticks_ == 5) fraMainFrame_Click();
}

void frmSplash::fraMainFrame_Click() {
  if (entregado_) return;
  entregado_ = true;
  // Unload the start-up window (its timer ends with it), then show the main window.
  Timer1->stop();
  hide();
  instancia_ = nullptr;
  deleteLater();
  frmMain::instancia().show();

  // The warnings about the language file are in fixed words: its own texts may be unusable.
  QStringList avisos;
  if (!problema_idiomas_.isEmpty())
    avisos << QStringLiteral("No se pudo leer el fichero de idiomas; faltarán textos.\n"
                             "The language file could not be read; texts will be missing.\n\n%1\n%2")
                  .arg(idiomas::fichero_idioma, problema_idiomas_);
  if (idiomas::idioma_de_reserva) {
    const QString registrado = idiomas::leervalor(idiomas::fichero_idioma, "idioma", "idioma");
    const QString menu = idiomas::texto(3);
    avisos << (registrado.isEmpty()
                   ? QStringLiteral("El fichero de idiomas no indica el idioma actual.\n"
                                    "The language file names no current language.\n")
                   : QStringLiteral("El idioma actual «%1» no tiene sección en el fichero de idiomas.\n"
                                    "The current language «%1» has no section in the language file.\n")
                         .arg(registrado)) +
                  QStringLiteral("En esta sesión se usa «%1», el primer idioma del fichero. El fichero no se cambia "
                                 "hasta que elija un idioma en el menú «%2».\n"
                                 "This run uses «%1», the first language of the file. The file stays as it is "
                                 "until you choose a language in the «%2» menu.\n\n%3")
                      .arg(idiomas::idioma_actual, menu, idiomas::fichero_idioma);
  }
  if (const QString ausentes = idiomas::aviso_claves_ausentes(); !ausentes.isEmpty()) avisos << ausentes;
  if (!avisos.isEmpty())
    plataforma::MsgBox(avisos.join("\n\n"), plataforma::vbExclamation, QStringLiteral("Advertencia"));
}
