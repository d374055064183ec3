#pragma once
// The clock of a calculation: the time of day at its start and end, and the
// elapsed time printed at the end of the report.
#include <cstdint>

namespace calculos {

struct Hora {
    std::int16_t horas, minutos, segundos, centesimas;
};

struct Transcurrido {
    std::int16_t horas, minutos;
    double segundos;
};

// The local time of day now.
Hora leer_reloj();

// End minus start. The hours count past midnight (24 is added to the end hour
// when it is below the start hour); negative seconds borrow a minute, then
// negative minutes borrow an hour; the hundredths adjust the seconds without
// a further borrow.
Transcurrido tiempo_transcurrido(Hora inicio, Hora fin);

} // namespace calculos
