#pragma once
// The number separators of this process: "." for decimals, "," for
// thousands, whatever the user's locale. Only the process changes; the
// user's desktop settings are left as they are.
#include <QString>
#include <cstdint>

namespace confreg {

inline constexpr std::int32_t LOCALE_SDECIMAL = 14;
inline constexpr std::int32_t LOCALE_STHOUSAND = 15;

// Sets one separator of the process. Only "." as decimal separator and ","
// as thousands separator can be set; any other request is refused silently.
void cambia_locale(std::int32_t item, const QString& valor);

// cambia_locale(14, "."), then cambia_locale(15, ",").
void configura_separadores();

}  // namespace confreg
