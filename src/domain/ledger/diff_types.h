#pragma once
// Exchange-difference types (COD_DIFF): the ledger link that takes the gains and losses of a
// document's revaluation, and whether revaluations are posted at all. Document concepts name
// one; every document copies it.
#include <optional>
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain {

struct DiffType {
    std::string code;     // CODIGO
    std::string name;     // DESCRIP
    std::string link;     // LIGA_DIFF "Liga:"
    bool adjust = false;  // AJUSTAR "Generar Ajuste de Diferencial"
};

DiffType diff_type_from_row(const data::WDBTable& t);
std::optional<DiffType> read_diff_type(data::Db& db, const std::string& business,
                                       const std::string& code);
std::vector<DiffType> business_diff_types(data::Db& db, const std::string& business);

std::string check_diff_type(const DiffType& d);
bool add_diff_type(data::Db& db, UserPort& port, const std::string& business, const DiffType& d);
bool modify_diff_type(data::Db& db, UserPort& port, const std::string& business,
                      const std::string& old_code, const DiffType& d);
// After "Desea borrar el Código de Diferencial?"; refused while a concept names the type.
bool delete_diff_type(data::Db& db, UserPort& port, const std::string& business,
                      const std::string& code);

// The stale-rate check of the business (window NEG_CAMB): by days (CHECK_MON 1) or months.
struct RateCheckSettings {
    bool by_days = true;
    long amount = 0;  // CANT_MON; 0 = no check
};
RateCheckSettings read_rate_check(data::Db& db, const std::string& business);
bool save_rate_check(data::Db& db, UserPort& port, const std::string& business,
                     const RateCheckSettings& s);

inline constexpr const char* kDiffTypeDeleteAsk = "Desea borrar el Código de Diferencial?";
inline constexpr const char* kDiffTypeDuplicate = "Código de Diferencial ya definido...";

}  // namespace qz::domain
