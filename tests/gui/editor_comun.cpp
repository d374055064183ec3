#include "editor_comun.hpp"

#include <QToolButton>
#include <QtTest>

#include "editor/frmdatos.hpp"
#include "frame/frmMain.hpp"
#include "frame/idiomas.hpp"
#include "platform/arriba_abajo.hpp"
#include "platform/texto1252.hpp"

namespace prueba {

QByteArray idiomas_editor() {
  QString texto = "[Idioma]\r\nidioma=English\r\n[English]\r\n";
  QList<int> claves;
  for (int k = 1; k <= 231; ++k) claves << k;
  // Every other text the program uses, as its own language file has them:
  // the language lacks none.
  for (int k : idiomas::claves_en_uso())
    if (k > 231) claves << k;
  for (int k : claves) texto += QString::number(k) + "=en" + QString::number(k) + "\r\n";
  return plataforma::a_1252(texto);
}

Problema::Problema() {
  carpeta.idioma(idiomas_editor());
  idiomas::carga_idiomas();
  f().mnuFileNew_Click();
}

frmMain& Problema::f() { return frmMain::instancia(); }
frmdatos& Problema::d() { return frmdatos::instancia(); }

GuionDialogos::GuionDialogos(std::deque<QString> rutas) : rutas_(std::move(rutas)) {
  plataforma::fijar_guion_dialogos([this](plataforma::DialogoComun::Tipo tipo, const plataforma::DialogoComun& d) {
    peticiones.append({tipo, d.DialogTitle, d.Filter, d.FilterIndex, d.InitDir});
    if (rutas_.empty()) return QString();
    QString r = rutas_.front();
    rutas_.pop_front();
    return r;
  });
}

GuionDialogos::~GuionDialogos() { plataforma::fijar_guion_dialogos({}); }

void subir_zonas(frmdatos& d, int veces) {
  for (int i = 0; i < veces; ++i) QTest::mouseClick(d.udzonas->boton_arriba(), Qt::LeftButton);
}

void bajar_zonas(frmdatos& d, int veces) {
  for (int i = 0; i < veces; ++i) QTest::mouseClick(d.udzonas->boton_abajo(), Qt::LeftButton);
}

}  // namespace prueba
