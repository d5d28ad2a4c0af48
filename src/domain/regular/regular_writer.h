#pragma once
// Writing one generated regular invoice from a model (the regular document's own or a template):
// what the run shares with each document, and the steps every generator takes. Used by
// PASAFAC1 and PASAFAC2; the run (PROCESAR) calls those.
#include <optional>
#include <string>

#include "core/user_port.h"
#include "data/db.h"
#include "domain/ledger/ledger_settings.h"
#include "domain/regular/regular_generation.h"
#include "domain/regular/regular_rows.h"

namespace qz::domain::regular {

// What a run reads once and every document it writes shares.
struct Generation {
    data::Db& db;
    UserPort& port;
    std::string business;
    const RunRequest& request;
    LedgerSettings ledger;
    RegularSettings settings;
    std::string local_currency;  // F_INV M_LOCAL
};

// The model a regular document is generated from, with the tables it came from.
struct ChosenModel {
    Model model;
    bool from_template = false;
};

// Generates `d` from `m` and commits it with the regular document's new cut-off. Nothing when
// the document was refused (told through the port, nothing written); throws when writing failed
// (the document's transaction rolled back).
std::optional<GeneratedDocument> generate_from_model(Generation& g, const RegularDocument& d,
                                                     const ChosenModel& m);

// The cut-off check of the run: with the validation on, a cut-off later than the application
// date is told and the document is not generated.
bool cut_off_allows(Generation& g, const RegularDocument& d);

// PASAFAC1: the regular document's own model (ENC_REG numbered CODIGO with zeros to 10).
std::optional<GeneratedDocument> PASAFAC1(Generation& g, const RegularDocument& d);

}  // namespace qz::domain::regular
