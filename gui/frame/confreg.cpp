#include "frame/confreg.hpp"

#include "platform/numeros.hpp"

namespace confreg {

void cambia_locale(std::int32_t item, const QString& valor) {
  if ((item == LOCALE_SDECIMAL && valor == ".") || (item == LOCALE_STHOUSAND && valor == ","))
    plataforma::numeros_c_en_proceso();
}

void configura_separadores() {
  cambia_locale(LOCALE_SDECIMAL, ".");
  cambia_locale(LOCALE_STHOUSAND, ",");
}

}  // namespace confreg
