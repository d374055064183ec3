#include "calculos/reloj.hpp"

#include <chrono>
#include <ctime>

namespace calculos {

Hora leer_reloj() {
    using namespace std::chrono;
    const auto ahora = system_clock::now();
    const std::time_t t = system_clock::to_time_t(ahora);
    std::tm local{};
    localtime_r(&t, &local);
    const auto cs = duration_cast<milliseconds>(ahora.time_since_epoch()).count() % 1000 / 10;
    return {static_cast<std::int16_t>(local.tm_hour), static_cast<std::int16_t>(local.tm_min),
            static_cast<std::int16_t>(local.tm_sec > 59 ? 59 : local.tm_sec), static_cast<std::int16_t>(cs)};
}

Transcurrido tiempo_transcurrido(Hora inicio, Hora fin) {
    int hora_fin = fin.horas;
    if (hora_fin < inicio.horas) hora_fin += 24;
    int h = hora_fin - inicio.horas;
    int m = fin.minutos - inicio.minutos;
    int s = fin.segundos - inicio.segundos;
    if (s < 0) {
        s += 60;
        m -= 1;
    }
    if (m < 0) {
        m += 60;
        h -= 1;
    }
    const double segundos = s + (fin.centesimas - inicio.centesimas) / 100.0;
    return {static_cast<std::int16_t>(h), static_cast<std::int16_t>(m), segundos};
}

} // namespace calculos
