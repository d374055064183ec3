#pragma once
// The process's own number formatting. The user's desktop settings are never
// touched: only this process formats and reads numbers with "." as decimal
// separator and "," as thousands separator.
namespace plataforma {

// C numeric locale for the C library, QLocale::c() as Qt's default locale.
void numeros_c_en_proceso();

}  // namespace plataforma
