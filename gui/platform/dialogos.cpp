#include "platform/dialogos.hpp"

#include <QFileDialog>
#include <QRegularExpression>
#include <QStringList>

namespace plataforma {

namespace {
GuionDialogo guion;
}

void fijar_guion_dialogos(GuionDialogo g) { guion = std::move(g); }

QString filtro_qt(const QString& filtro) {
  const QStringList partes = filtro.split('|');
  QStringList filtros;
  for (qsizetype i = 0; i + 1 < partes.size(); i += 2) {
    // The name usually shows its patterns already, "Name (*.dat)": shown once,
    // with the patterns the toolkit matches ("*.*" means every file).
    QString nombre = partes[i].trimmed();
    nombre.remove(QRegularExpression(R"(\s*\([^()]*\)\s*$)"));
    QStringList patrones = partes[i + 1].split(';', Qt::SkipEmptyParts);
    for (QString& p : patrones) {
      p = p.trimmed();
      if (p == "*.*") p = "*";
    }
    filtros << nombre + " (" + patrones.join(' ') + ")";
  }
  return filtros.join(";;");
}

void DialogoComun::ShowOpen(QWidget* dueno) { mostrar(dueno, Tipo::Abrir); }
void DialogoComun::ShowSave(QWidget* dueno) { mostrar(dueno, Tipo::Guardar); }

void DialogoComun::mostrar(QWidget* dueno, Tipo tipo) {
  if (guion) {
    FileName = guion(tipo, *this);
    return;
  }
  QFileDialog dialogo(dueno, DialogTitle, InitDir);
  dialogo.setOption(QFileDialog::DontUseNativeDialog);
  dialogo.setOption(QFileDialog::DontConfirmOverwrite);
  dialogo.setAcceptMode(tipo == Tipo::Abrir ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialogo.setFileMode(tipo == Tipo::Abrir ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  const QStringList filtros = filtro_qt(Filter).split(";;", Qt::SkipEmptyParts);
  dialogo.setNameFilters(filtros);
  if (FilterIndex >= 1 && FilterIndex <= filtros.size()) dialogo.selectNameFilter(filtros[FilterIndex - 1]);
  FileName.clear();
  if (dialogo.exec() == QDialog::Accepted && !dialogo.selectedFiles().isEmpty())
    FileName = dialogo.selectedFiles().constFirst();
}

}  // namespace plataforma
