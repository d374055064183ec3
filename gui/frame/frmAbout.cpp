#include "frame/frmAbout.hpp"

#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "frame/frmMain.hpp"
#include "frame/idiomas.hpp"
#include "frame/textos.hpp"
#include "platform/app.hpp"
#include "platform/escritorio.hpp"
#include "platform/mensajes.hpp"
#include "platform/pulsar.hpp"
#include "platform/twips.hpp"

using plataforma::colocar;

namespace {

frmAbout* instancia_ = nullptr;

// Well-known system-information tools, in the order they are looked for.
struct Herramienta {
  const char* programa;
  QStringList argumentos;
};
const Herramienta herramientas[] = {
    {"hardinfo2", {}},
    {"hardinfo", {}},
    {"kinfocenter", {}},
    {"gnome-control-center", {"info-overview"}},
    {"xfce4-about", {}},
};

}  // namespace

frmAbout& frmAbout::instancia() {
  if (instancia_ == nullptr) {
    instancia_ = new frmAbout();
    instancia_->Form_Load();
  }
  return *instancia_;
}

bool frmAbout::cargado() { return instancia_ != nullptr; }

void frmAbout::destruir() {
  delete instancia_;
  instancia_ = nullptr;
}

QUrl frmAbout::direccion_web() { return QUrl::fromLocalFile(plataforma::App::en_carpeta("acerca.html")); }

// A dialog of the main window: it stays in front of it, and stays modeless.
frmAbout::frmAbout()
    : QDialog(frmMain::cargado() ? &frmMain::instancia() : nullptr,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName("frmAbout");
  // The main window may take it with it when it goes.
  frmAbout* const yo = this;
  connect(this, &QObject::destroyed, [yo] {
    if (instancia_ == yo) instancia_ = nullptr;
  });
  crear_controles();
}

void frmAbout::crear_controles() {
  setFixedSize(plataforma::pixeles_x(7600), plataforma::pixeles_y(4200));
  auto etiqueta = [this](const char* nombre, double left, double top, double width, double height) {
    auto* l = new QLabel(this);
    l->setObjectName(nombre);
    colocar(l, left, top, width, height);
    return l;
  };
  lblTitle = etiqueta("lblTitle", 300, 240, 7000, 500);
  QFont titulo = lblTitle->font();
  titulo.setPointSize(16);
  titulo.setBold(true);
  lblTitle->setFont(titulo);
  lblVersion = etiqueta("lblVersion", 300, 780, 7000, 300);
  lblDescription = etiqueta("lblDescription", 300, 1140, 7000, 1000);
  lblDescription->setWordWrap(true);
  lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  auto* linea = new QFrame(this);
  linea->setFrameShape(QFrame::HLine);
  linea->setFrameShadow(QFrame::Sunken);
  colocar(linea, 300, 2250, 7000, 30);

  lblDisclaimer = etiqueta("lblDisclaimer", 300, 2420, 4100, 280);
  QFont negrita = lblDisclaimer->font();
  negrita.setBold(true);
  lblDisclaimer->setFont(negrita);
  Label1 = etiqueta("Label1", 300, 2700, 4100, 520);
  Label1->setWordWrap(true);
  Label2 = etiqueta("Label2", 300, 3220, 4100, 520);
  Label2->setWordWrap(true);
  lblweb = etiqueta("lblweb", 300, 3760, 4100, 280);
  lblweb->setCursor(Qt::PointingHandCursor);
  QPalette enlace = lblweb->palette();
  enlace.setColor(QPalette::WindowText, QColor(0, 0, 200));
  lblweb->setPalette(enlace);
  QFont subrayada = lblweb->font();
  subrayada.setUnderline(true);
  lblweb->setFont(subrayada);

  cmdOK = new QPushButton(this);
  cmdOK->setObjectName("cmdOK");
  colocar(cmdOK, 4600, 2450, 2700, 420);
  cmdOK->setDefault(true);
  cmdSysInfo = new QPushButton(this);
  cmdSysInfo->setObjectName("cmdSysInfo");
  colocar(cmdSysInfo, 4600, 3000, 2700, 420);

  connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
  connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
  plataforma::al_pulsar(lblweb, [this] { lblweb_Click(); });
}

void frmAbout::Form_Load() {
  using idiomas::texto;
  lblTitle->setText(textos::titulo);
  setWindowTitle(texto(25) + lblTitle->text());
  lblDescription->setText(texto(70));
  lblVersion->setText(texto(71));
  lblDisclaimer->setText(texto(72) + ":");
  cmdSysInfo->setText(texto(73) + "...");
  cmdOK->setText(texto(74));
  Label1->setText(textos::aviso_1);
  Label2->setText(textos::aviso_2);
  lblweb->setText(direccion_web().fileName());
  lblweb->setToolTip(direccion_web().toString());
}

void frmAbout::Show() {
  show();
  raise();
  activateWindow();
}

void frmAbout::closeEvent(QCloseEvent* evento) {
  evento->accept();
  if (instancia_ == this) instancia_ = nullptr;
  deleteLater();
}

void frmAbout::cmdOK_Click() { close(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

// A desktop with no program to open the page says nothing of it itself: the
// box tells which page could not be opened.
void frmAbout::lblweb_Click() {
  const QUrl direccion = direccion_web();
  if (plataforma::abrir_direccion(direccion)) return;
  const QString pagina = direccion.isLocalFile() ? QDir::toNativeSeparators(direccion.toLocalFile()) : direccion.toString();
  plataforma::MsgBox(idiomas::texto(228) + "\n\n" + pagina, plataforma::vbOKOnly);
}

void frmAbout::StartSysInfo() {
  try {
    // The first tool found is the one started; a failed start is not
    // followed by a try of the next.
    for (const Herramienta& h : herramientas) {
      const QString ruta = plataforma::buscar_programa(h.programa);
      if (ruta.isEmpty()) continue;
      if (plataforma::iniciar_programa(ruta, h.argumentos)) return;
      break;
    }
  } catch (...) {
  }
  plataforma::MsgBox(idiomas::texto(75), plataforma::vbOKOnly);
}
