#pragma once
// The promise every input-layer diagnostic keeps, whatever the file held:
// one short line that names the file, without control characters.
#include <cstring>
#include <string_view>

#include "comun.hpp"

namespace sondeo {

inline void comprobar_diagnostico(std::string_view d, std::string_view fichero) {
    COMPROBAR(d.substr(0, fichero.size()) == fichero);
    COMPROBAR(d.size() <= fichero.size() + 200);
    for (char c : d) COMPROBAR(static_cast<unsigned char>(c) >= 0x20);
}

} // namespace sondeo
