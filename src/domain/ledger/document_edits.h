#pragma once
// The viewer's edits of one document's own fields: its branch, exchange-difference type,
// description and classifications, agent and the amount recomputed from its lines. Each checks
// first and tells the user through `port` why it refuses, then writes in one transaction with the
// document's row locked; true once written.
#include <string>

#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain {

// Another branch of the same customer: SUBCLIENTE and NOM_CLIENT (the branch's name, as every
// document of a branch is headed).
bool change_document_branch(data::Db& db, UserPort& port, const std::string& business,
                            const std::string& number, const std::string& branch);

// MOV_DIFF: the exchange-difference type must exist; written to COD_DIFF.
bool change_document_diff_type(data::Db& db, UserPort& port, const std::string& business,
                               const std::string& number, const std::string& diff_type);

struct DocumentLabels {
    std::string description, clas1, clas2, clas3;
};
// DESCRIP and CLAS1..CLAS3. Classifications #1 and #2 are codes of D_CLAS1 and D_CLAS2, and
// required when the concept asks for them (its CLAS1/CLAS2 flags).
bool edit_document_labels(data::Db& db, UserPort& port, const std::string& business,
                          const std::string& number, const DocumentLabels& labels);

// AGENTE: an agent of the business, or blank for none.
bool change_document_agent(data::Db& db, UserPort& port, const std::string& business,
                           const std::string& number, const std::string& agent);

// The amount again from the lines, after "Desea recalcular el monto del documento?": MONTO =
// BRUTO + tax − discount, each total over the lines rounded to 2 decimals; the part already paid
// (old MONTO − SALDO) stays, so SALDO = new MONTO − that part. A plan of one instalment follows
// the new amount. Refused for an annulled document, whose balance must stay 0.
bool recalculate_document_amount(data::Db& db, UserPort& port, const std::string& business,
                                 const std::string& number);

// The totals of a document's lines (DET_DOC), each rounded to 2 decimals.
struct LineTotals {
    Decimal discount, tax;
};
LineTotals document_line_totals(data::Db& db, const std::string& business,
                                const std::string& number);

inline constexpr const char* kNoBranch = "Debe seleccionar una Sucursal válida";
inline constexpr const char* kNoDiffType = "Debe seleccionar un Código de Diferencial válido";
inline constexpr const char* kNoClass1Doc = "Debe definir la Clasificación #1";
inline constexpr const char* kNoClass2Doc = "Debe definir la Clasificación #2";
inline constexpr const char* kNoAgentDoc = "Debe seleccionar un Agente válido";
inline constexpr const char* kRecalcAsk = "Desea recalcular el monto del documento?";
inline constexpr const char* kAlreadyAnnulled = "Este documento ya se encuentra anulado";

}  // namespace qz::domain
