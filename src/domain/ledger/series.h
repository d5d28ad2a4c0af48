#pragma once
// Maintenance of the number series (MANT_SER): the series of a business by module, and adding,
// changing and deleting them. The form's numbers arrive as typed, so every bad entry gets its
// own message before anything is written.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain {

struct Series {
    std::string code;        // CODIGO
    std::string name;        // DESCRIP
    std::string module;      // MODULO
    long long number = 0;    // NUMERO: last number issued
    long long limit = 0;     // NUMERO2: last valid number, 0 = unlimited
    std::string prefix;      // PREFIJO
    std::string suffix;      // POSFIJO
    long indent = 0;         // INDENT
    bool unpadded = false;   // JUSTIFICA = 1
    std::string mutuo;       // MUTUO
    bool disabled = false;   // INACTIVO
    std::string current;     // CURRENT_N (read only)
    std::string user;        // USUARIO: blank for the business's own series
};

// The one place that knows a series row.
Series series_from_row(const data::WDBTable& t);
void put_series_row(data::WDBTable& t, const std::string& business, const Series& s);

// MODULO codes with their labels, as stored ("02" "Facturación ").
const std::vector<std::pair<std::string, std::string>>& series_modules();
// The label of a module code; the code itself when unknown.
std::string module_label(const std::string& module);

// Every series of the business, by module and code.
std::vector<Series> business_series(data::Db& db, const std::string& business);
std::optional<Series> read_series(data::Db& db, const std::string& business,
                                  const std::string& code);

// The maintenance form as typed.
struct SeriesInput {
    std::string code, name, module, prefix, suffix, mutuo;
    std::string number, limit, indent;  // digits
    bool unpadded = false, disabled = false;
};

// What is wrong with the form, in the form's order ("" when nothing); `out` gets the values.
std::string check_series(const SeriesInput& in, Series& out);

// Adds the series; refuses a bad form or a code the business already has. True when added.
bool add_series(data::Db& db, UserPort& port, const std::string& business, const SeriesInput& in);
// Saves the form over the series `before` (as the form read it; its code does not change). A
// number drawn by another workstation meanwhile is kept unless the user typed another one.
bool modify_series(data::Db& db, UserPort& port, const std::string& business,
                   const Series& before, const SeriesInput& in);
// Asks "Desea borrar el Serial?" and deletes it. True when deleted.
bool delete_series(data::Db& db, UserPort& port, const std::string& business,
                   const std::string& code);

inline constexpr const char* kSeriesDuplicate = "Código de Serial ya definido...";
std::string series_gone(const std::string& code);

}  // namespace qz::domain
