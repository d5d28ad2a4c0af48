#pragma once
// The stage chains documents, orders and proformas move along. Each workflow keeps its stages in
// a table of its own, ordered by code (the chain order), and its authorisers in another; what
// moves is a row of a document table whose stage field names where it stands. One descriptor
// per workflow says which tables and fields those are, so the moves are written once.
#include <optional>
#include <string>
#include <vector>

#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain {

struct StageWorkflow {
    const char* stages;  // stage table, keyed business + code in its order `stage_order`
    const char* stage_order;
    const char* authorisers;    // authoriser table, keyed business + code in an order of its name
    const char* documents;      // the table whose rows move, keyed business + number
    const char* stage_field;    // where a row stands
    const char* second_header;  // the table holding APROB_CRED, keyed like `documents`
    const char* history_kind;   // HIST_ETAP.TIPO
    bool collector = false;     // moves also hand the row to a collector (COBRADOR)
    const char* lines = nullptr;  // the rows' lines (orders and proformas)
    bool holds_stock = false;     // the lines hold stock back (ARTICULO BLOQUEO) until annulled
};

inline constexpr StageWorkflow kCollectionWorkflow{"ETAPAS_B",  "ETAPAS_B1", "AUTO_COB", "DOCUMENT",
                                                   "ETAPA_COB", "ENC_DOC2",  "C",        true};
inline constexpr StageWorkflow kOrderWorkflow{"ETAPAS_P", "ETAPAS_P1", "AUTO_PED", "ENC_PED",
                                              "ETAPA",    "ENC_PED2",  "P",        false,
                                              "DET_PED",  true};
inline constexpr StageWorkflow kProformaWorkflow{"ETAP_PRO", "ETAP_PRO1", "AUTO_PRO", "ENC_PROF",
                                                 "ETAPA",    "ENC_PRO2",  "R",        false,
                                                 "DET_PROF", false};

struct Stage {
    std::string code, name;  // CODIGO, DESCRIP
    bool hidden = false;     // NO_MOSTRAR: no node in the tree, yet rows may move into it
    bool uncounted = false;  // NO_CONTAR
    bool alert = false;      // ALERTA: a sound while it holds rows
    std::string sound;       // SONIDO
    // CTRL_CRED = 0: entering it approves the row's credit (APROB_CRED 1); for orders it is also
    // where the credit control stands guard.
    bool credit_controlled = false;
    bool processing = false;  // PROCESAR (collections)
    bool to_invoice = false;  // PEDI_FACT (orders)
};

Stage stage_from_row(const data::WDBTable& t);

class StageChain {
public:
    explicit StageChain(std::vector<Stage> stages) : m_stages(std::move(stages)) {}
    const std::vector<Stage>& stages() const { return m_stages; }
    const Stage* find(const std::string& code) const;
    const Stage* next(const std::string& code) const;      // none after the last
    const Stage* previous(const std::string& code) const;  // none before the first
    const Stage* first() const { return m_stages.empty() ? nullptr : &m_stages.front(); }

private:
    std::vector<Stage> m_stages;
};

StageChain read_stage_chain(data::Db& db, const StageWorkflow& w, const std::string& business);

// The authorisers' stage lists: "[" + code + "]" for every stage chosen.
std::string stage_tag(const std::string& code);
bool stage_listed(const std::string& list, const std::string& code);
std::vector<std::string> listed_stages(const std::string& list);
std::string stage_list(const std::vector<std::string>& codes);

}  // namespace qz::domain
