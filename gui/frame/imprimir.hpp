#pragma once
// Text printing: a text as numbered pages in Courier New 10, a centred
// header at the top of every page and a centred page number at the bottom.
#include <QString>
#include <cstdint>

namespace imprimir {

// The band at the foot of every page that holds the page number, in twips:
// the printed lines end above it.
inline constexpr double margen_inferior = 1000;

// Prints texto as one job. On every page after the first the header is
// cabecera1 over a blank line. modo 6 has the graph window paint its graph
// right after the first page's header.
void imprimir_texto(const QString& texto, const QString& cabecera1, const QString& cabecera2, std::int16_t modo);

// A page header at the current position: linea1 centred, then linea2
// centred when it is not "".
void imprimir_cabecera(const QString& linea1, const QString& linea2);

// The page number, centred, then a new page.
void pie_pagina();

}  // namespace imprimir
