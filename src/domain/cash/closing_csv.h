#pragma once
// The closing as CSV for scripts (`quartzen closing`): a header, then the listing and its totals.
//
//     registro,codigo,descripcion,fecha,hora,movimiento,cliente,referencia,moneda,monto
//
// `linea` (detail only): one tender line under its payment type (code and description), with the
// receipt's date (YYYY-MM-DD), time, number, customer, reference and currency symbol;
// `tipo`: each payment type with a non-zero total, in code order, with the closing currency's
// symbol; `total`: GRAVADO, EXENTO, IMPUESTOS, GENERAL and RECAUDADO with their titles.
// Amounts have a point and two decimals, money out negative.
#include <string>

#include "domain/cash/closing.h"

namespace qz::domain::cash {

std::string closing_csv(const Closing& c, bool detail);

}  // namespace qz::domain::cash
