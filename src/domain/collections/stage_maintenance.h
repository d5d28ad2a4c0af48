#pragma once
// Keeping a workflow's stages and the collectors. A stage's code is written into the
// authorisers' stage lists and into the rows standing in it, so changing or deleting a stage
// carries the change into both in the same transaction; a stage that still holds rows, or a
// collector still named by a document, is not deleted.
#include <optional>
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"
#include "domain/collections/stage_chain.h"

namespace qz::domain {

// The stored flags the workflow does not act on yet (ED_PROVEE, ASIGNA_COB) travel with the
// stage so a change through the screen keeps them.
struct StageRecord {
    Stage stage;
    bool edits_supplier = false;     // ED_PROVEE
    bool assigns_collector = false;  // ASIGNA_COB
};

StageRecord stage_record_from_row(const data::WDBTable& t);
std::optional<StageRecord> read_stage(data::Db& db, const StageWorkflow& w,
                                      const std::string& business, const std::string& code);

// Add (`old_code` empty) or change a stage in one transaction. A new code is carried into every
// authoriser's lists and into the rows standing in the old one.
bool save_stage(data::Db& db, UserPort& port, const StageWorkflow& w, const std::string& business,
                const std::string& old_code, const StageRecord& s);

// After the question: takes the stage out of every authoriser's lists, then deletes it. Refused
// while a row stands in it.
bool delete_stage(data::Db& db, UserPort& port, const StageWorkflow& w, const std::string& business,
                  const std::string& code);

// After the question "Desea borrar el Autorizador?". The moves it authorised keep its name in
// the stage history.
bool delete_stage_authoriser(data::Db& db, UserPort& port, const StageWorkflow& w,
                             const std::string& business, const std::string& code);

// The stage new documents of the business start in (F_FAC.ETAPA_COB); the collections screen
// lists every document of it.
std::string collection_entry_stage(data::Db& db, const std::string& business);

struct Collector {
    std::string code, name, address, phone;  // CODIGO, NOMBRE, DIRECCION, TELEFONO
    Decimal discount;                        // DESCUENTO
    bool active = true;                      // ACTIVO "S" / "N"
};

Collector collector_from_row(const data::WDBTable& t);
std::optional<Collector> read_collector(data::Db& db, const std::string& business,
                                        const std::string& code);
std::vector<Collector> active_collectors(data::Db& db, const std::string& business);
// Add (`old_code` empty) or change; a collector's code never changes, the documents keep it.
bool save_collector(data::Db& db, UserPort& port, const std::string& business,
                    const std::string& old_code, const Collector& c);
// After the question; refused while a document names the collector.
bool delete_collector(data::Db& db, UserPort& port, const std::string& business,
                      const std::string& code);

inline constexpr const char* kAskDeleteStage = "¿Desea borrar la Etapa?";
inline constexpr const char* kAskDeleteCollector = "Desea borrar el DEF_COB?";
inline constexpr const char* kBlankCode = "El código no puede definirse en blanco";
inline constexpr const char* kBlankName = "El nombre no puede definirse en blanco";
inline constexpr const char* kStageDuplicate = "Este código de etapa ya existe...";
inline constexpr const char* kCollectorDuplicate = "Este código de cobrador ya existe...";

}  // namespace qz::domain
