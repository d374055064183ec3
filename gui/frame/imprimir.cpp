#include "frame/imprimir.hpp"

#include <cmath>
#include <utility>

#include "frame/idiomas.hpp"
#include "platform/impresora.hpp"
#include "platform/mensajes.hpp"
#include "platform/progreso.hpp"
#include "platform/vb.hpp"
#include "viewer/frmgraficos.hpp"

namespace imprimir {

namespace {

constexpr double margen_superior = 800;
constexpr double margen_izquierdo = 1440;
constexpr int columnas_tabulador = 10;
const QString salto_pagina = QStringLiteral(".../...");

plataforma::Impresora& impresora() { return plataforma::Printer(); }

void linea_con(const QString& texto) {
  impresora().Print(texto);
  impresora().FinLinea();
}

void centrada(const QString& texto) {
  plataforma::Impresora& p = impresora();
  p.CurrentX = (p.ScaleWidth() - p.TextWidth(texto)) / 2;
  linea_con(texto);
}

bool fin_de_pagina() { return impresora().CurrentY > impresora().ScaleHeight() - margen_inferior; }

// The job being printed: its progress window, shown while it runs longer
// than a moment, tells the pages printed so far and can stop it.
struct Trabajo {
  plataforma::Progreso progreso{idiomas::texto(10), idiomas::texto(82)};
  QString pagina = idiomas::texto(214) + ' ';
  bool cancelado = false;
};
Trabajo* trabajo_actual = nullptr;

void pagina_nueva(const QString& cabecera1) {
  pie_pagina();
  impresora().CurrentY = margen_superior;
  imprimir_cabecera(cabecera1, QStringLiteral(" "));
  impresora().CurrentX = margen_izquierdo;
  if (trabajo_actual != nullptr &&
      !trabajo_actual->progreso.seguir(trabajo_actual->pagina + QString::number(impresora().Page())))
    trabajo_actual->cancelado = true;
}

// What the user learns at the end of a job. A job that a print server kept
// from its printer went to the PDF file; the message says why.
void avisar(const plataforma::FinTrabajo& fin) {
  using plataforma::FinTrabajo;
  QString destino = QStringLiteral("\n\n") + fin.destino;
  if (!fin.motivo.isEmpty()) destino += QStringLiteral("\n\n") + fin.motivo;
  if (fin.estado == FinTrabajo::EnFichero) {
    switch (fin.causa) {
      case FinTrabajo::SinImpresora: plataforma::MsgBox(idiomas::texto(212) + destino, plataforma::vbInformation); break;
      case FinTrabajo::SinRespuesta: plataforma::MsgBox(idiomas::texto(255) + destino, plataforma::vbCritical); break;
      case FinTrabajo::SinConexion: plataforma::MsgBox(idiomas::texto(256) + destino, plataforma::vbCritical); break;
    }
  } else if (fin.estado == FinTrabajo::Fallo) {
    plataforma::MsgBox(idiomas::texto(213) + destino, plataforma::vbCritical);
  }
}

}  // namespace

void imprimir_cabecera(const QString& linea1, const QString& linea2) {
  linea_con(QStringLiteral(" "));
  linea_con(QStringLiteral(" "));
  centrada(linea1);
  if (!linea2.isEmpty()) {
    linea_con(QStringLiteral(" "));
    centrada(linea2);
  }
  linea_con(QStringLiteral(" "));
  impresora().FinLinea();
}

void pie_pagina() {
  impresora().FinLinea();
  centrada(QStringLiteral("Página: ") + plataforma::Format(impresora().Page(), u"###"));
  impresora().NewPage();
}

void imprimir_texto(const QString& texto, const QString& cabecera1, const QString& cabecera2, std::int16_t modo) {
  plataforma::Impresora& p = impresora();
  Trabajo trabajo;
  Trabajo* const anterior = std::exchange(trabajo_actual, &trabajo);
  // The printer waits for its print server in the job's window.
  p.fijar_progreso(&trabajo.progreso, idiomas::texto(257));
  struct Restaurar {
    Trabajo* anterior;
    plataforma::Impresora& p;
    ~Restaurar() {
      trabajo_actual = anterior;
      p.fijar_progreso(nullptr, QString());
    }
  } restaurar{anterior, p};

  p.setPaperSize(9);
  p.CurrentY = margen_superior;
  p.setFontName(QStringLiteral("Courier New"));
  p.setFontSize(10);
  imprimir_cabecera(cabecera1, cabecera2);
  // A graph whose picture cannot be made has been told: no page without it.
  if (modo == 6 && frmgraficos::cargado() && !trabajo.progreso.cancelado() && !frmgraficos::instancia().printgraf()) {
    p.KillDoc();
    return;
  }
  p.CurrentX = margen_izquierdo;

  const qsizetype n = texto.size();
  qsizetype pos = 0;
  while (pos < n && !trabajo.cancelado && !trabajo.progreso.cancelado()) {
    const qsizetype inicio = pos;
    while (pos < n && texto[pos].unicode() > 32) ++pos;
    const QString palabra = texto.mid(inicio, pos - inicio);

    if (p.CurrentX + p.TextWidth(palabra) > p.ScaleWidth()) {
      p.FinLinea();
      if (fin_de_pagina())
        pagina_nueva(cabecera1);
      else
        p.CurrentX = margen_izquierdo;
    }
    if (palabra == salto_pagina) {
      p.CurrentY = p.ScaleHeight() - margen_inferior;
      pagina_nueva(cabecera1);
      continue;
    }
    p.Print(palabra);

    for (; pos < n && texto[pos].unicode() <= 32; ++pos) {
      const char16_t c = texto[pos].unicode();
      if (c == ' ') {
        p.Print(QStringLiteral(" "));
      } else if (c == '\n') {
        p.FinLinea();
        if (fin_de_pagina()) pagina_nueva(cabecera1);
        p.CurrentX = margen_izquierdo;
        if (trabajo.cancelado) break;
      } else if (c == '\t') {
        const double cifra = p.TextWidth(QStringLiteral("0"));
        const int col = static_cast<int>(std::nearbyint((p.CurrentX - margen_izquierdo) / cifra));
        const int siguiente = col + columnas_tabulador - col % columnas_tabulador;
        p.CurrentX = margen_izquierdo + siguiente * cifra;
      }
    }
  }
  // A job cancelled at any point, its last page included, goes nowhere.
  if (trabajo.cancelado || trabajo.progreso.cancelado()) {
    p.KillDoc();
    return;
  }
  while (p.CurrentY < p.ScaleHeight() - margen_inferior) p.FinLinea();
  pie_pagina();
  avisar(p.EndDoc());
}

}  // namespace imprimir
