// The whole road from the window, against the real engines in a program
// folder of the test's own: open the example oscillator, Run, ask for each
// of the three graphs, and print the report into a PDF.
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QtTest>

#include "comun.hpp"
#include "editor_comun.hpp"
#include "frame/frmMain.hpp"
#include "frame/idiomas.hpp"
#include "frame/imprimir.hpp"
#include "platform/app.hpp"
#include "platform/ficheros.hpp"
#include "platform/impresora.hpp"
#include "platform/mensajes.hpp"
#include "viewer/frmedit.hpp"
#include "viewer/frmgraficos.hpp"
#include "viewer/frmprintgraf.hpp"
#include "viewer/frmprintres.hpp"
#include "viewer/graficos.hpp"

namespace {

// The system printer's measures, recording instead of printing: the pages a
// job needs on the PDF printer.
class Medidora : public plataforma::ImpresoraGrabadora {
 public:
  double ScaleWidth() const override { return medida().ScaleWidth(); }
  double ScaleHeight() const override { return medida().ScaleHeight(); }
  double TextWidth(const QString& t) const override { return medida().TextWidth(t); }
  double TextHeight(const QString& t) const override { return medida().TextHeight(t); }

 private:
  plataforma::ImpresoraSistema& medida() const {
    pdf_.setFontName(Font().family());
    pdf_.setFontSize(Font().pointSizeF());
    return pdf_;
  }
  mutable plataforma::ImpresoraSistema pdf_{true};
};

int paginas_pdf(const QByteArray& pdf) {
  return static_cast<int>(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

}  // namespace

class PruebaCamino : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanup() {
    frmprintgraf::destruir();
    frmprintres::destruir();
    frmgraficos::destruir();
    frmedit::destruir();
    prueba::limpiar();
  }
  void de_punta_a_punta();
};

void PruebaCamino::de_punta_a_punta() {
  prueba::Carpeta carpeta;
  for (const char* p : {CALCULOS_EXE, FUNCIONES_EXE, NIVELES_EXE, PROBS_EXE})
    QVERIFY(QFile::copy(p, carpeta.ruta(QFileInfo(p).fileName())));
  for (const char* f : {"idioma.lng", "oscilador.dat"})
    QVERIFY(QFile::copy(QString(DATA_DIR "/") + f, carpeta.ruta(f)));
  idiomas::carga_idiomas();
  frmMain& m = frmMain::instancia();
  {
    prueba::GuionDialogos dialogos({carpeta.ruta("oscilador.dat")});
    m.mnuFileOpen_Click();
  }
  prueba::Guion guion;
  m.tbToolBar_ButtonClick(m.tbToolBar_Buttons("Ejecutar"));
  QVERIFY(guion.cajas.isEmpty());
  QVERIFY(m.tbToolBar_Buttons("EditarG")->isEnabled());

  // Each graph: its program writes its plot file, and the window draws it.
  m.tbToolBar_ButtonClick(m.tbToolBar_Buttons("EditarG"));
  const char* graficas[] = {"nivel", "funcion", "prob"};
  for (int k = 0; k < 3; ++k) {
    QFile::remove(plataforma::resolver_nombre(carpeta.ruta(graficas[k])));
    frmprintgraf::instancia().Optprintgraf(k)->click();
    frmprintgraf::instancia().btactualizar->click();
    QVERIFY2(guion.cajas.isEmpty(), qPrintable(guion.cajas.value(0).texto));
    QVERIFY2(QFile::exists(plataforma::resolver_nombre(carpeta.ruta(graficas[k]))), graficas[k]);
    QVERIFY(frmgraficos::cargado());
    QVERIFY(graficos::fichero_grafico.endsWith(graficas[k]));
    QVERIFY(graficos::num_curvas >= 1);
    int puntos = 0;
    for (int i = 1; i <= graficos::num_curvas; ++i)
      if (graficos::curvas(i).activa) puntos += graficos::curvas(i).npuntos;
    QVERIFY2(puntos > 1, graficas[k]);
  }
  QVERIFY(carpeta.leer("dib").contains(" = 1\r\n"));

  // The full report in the viewer, printed into the PDF of a machine without a printer.
  m.tbToolBar_ButtonClick(m.tbToolBar_Buttons("EditarR"));
  frmprintres::instancia().btaceptar->click();
  QVERIFY(frmedit::cargado());
  const QString texto = frmedit::instancia().rtxtdatos->toPlainText();
  QVERIFY(texto.count('\n') > 500);

  auto propia = std::make_unique<Medidora>();
  Medidora* medidora = propia.get();
  plataforma::fijar_impresora(std::move(propia));
  imprimir::imprimir_texto(texto, "a", "b", 7);
  const int esperadas = medidora->ordenes.back().pagina;
  plataforma::fijar_impresora(std::make_unique<plataforma::ImpresoraSistema>(true));
  frmedit::instancia().btprint->click();
  plataforma::fijar_impresora(nullptr);
  QVERIFY(esperadas > 10);
  QCOMPARE(paginas_pdf(carpeta.leer("impresion.pdf")), esperadas);
  QCOMPARE(guion.cajas.size(), 1);  // the message naming the PDF
  QVERIFY(guion.cajas[0].texto.contains(carpeta.ruta("impresion.pdf")));
}

QTEST_MAIN(PruebaCamino)
#include "camino_test.moc"
