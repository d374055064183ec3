#include "platform/numeros.hpp"

#include <QLocale>
#include <clocale>

namespace plataforma {

void numeros_c_en_proceso() {
  std::setlocale(LC_NUMERIC, "C");
  QLocale::setDefault(QLocale::c());
}

}  // namespace plataforma
