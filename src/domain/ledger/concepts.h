#pragma once
// Document concepts (CONCEPT1): what a receivable document is (debit or credit, term, opposite
// concept, series, ledger links, behaviour flags, ticket texts), with its print bindings per
// currency (DET_CON1) and its payment-term plan (DET_CON2). Documents keep the concept by its
// code, so a code change re-codes them in the transaction that saves the concept.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain {

struct DocumentConcept {
    std::string code, name;  // CONCEPTO, DESCRIP
    int term_days = 0;       // PLAZO: a new document falls due this many days after its date
    std::string opposite;    // OPUESTO: the concept of the document that annuls one of these
    int debit = 1;           // TIPO: 1 debit (the customer owes more), 0 credit
    int stock_entry = 0;     // TIPO2: 1 inventory entry, 0 exit; a payment's PERMITIDO
    int books = 0;           // PROC_CONTA: 0 principal, 1 double, 2 replicated accounting
    // ASIENTO2..ASIENTO6, CXC_COMPL, COSTO_VEN, INVENTARIO (ledger links), in that order.
    std::array<std::string, 8> links;
    std::string stock_concept;     // MOV_INVENT (CONCEPT4)
    std::string sales_centre;      // C_VENTA (DEF_VENT)
    std::string diff_type;         // COD_DIFF
    Decimal late_rate;             // I_MORA
    std::string series;            // SERIAL
    std::string pending_series;    // SERIAL2
    std::string payment_concept;   // ABONO_DEF
    std::string income_concept;    // ABONO_DEF2
    std::string receipt_block;     // ABONO_BLO
    std::string payment_method;    // T_MOV_DEF
    std::string report_currency;   // MON_REP
    int max_lines = 0;             // MAX_LINEAS
    std::string proforma_concept;  // PROF_C_FAC
    std::string collection_stage;  // ETAPA_COB
    // The behaviour flags, in the order of kConceptFlags.
    std::array<bool, 26> flags{};
    // Ticket texts: TEXTO1..5, T_DESC, TITULO_TQ1..5, TITULO_T12, FINAL_TIQ1..8, TXT_AGENTE.
    std::array<std::string, 21> texts;

    bool flag(const char* field) const;
    void set_flag(const char* field, bool on);
};

// The flag fields of CONCEPT1 (0/1 numbers), in the order DocumentConcept::flags keeps them.
inline constexpr std::array<const char*, 26> kConceptFlags = {
    "DETALLE",    "LEE_SERIAL", "SERI_LOCAL", "MOD_SERIAL", "PROYECTA",  "SHOW",
    "CANCELA",    "INTERES",    "CUOTAS",     "C_C_VENTA",  "NO_VENTA",  "V_COSTO",
    "NO_CXC",     "COMPLEMENT", "DO_REGULAR", "CLAS1",      "CLAS2",     "UNICO_1_2",
    "LEE_CONTRA", "POSFECHADO", "IMP_CIERRE", "ADIC_INFO",  "P_DESCRIP", "SHOW_COMI",
    "ADD_PROVEE", "IMP_AGENTE"};
inline constexpr std::array<const char*, 8> kConceptLinks = {"ASIENTO2",  "ASIENTO3",  "ASIENTO4",
                                                             "ASIENTO5",  "ASIENTO6",  "CXC_COMPL",
                                                             "COSTO_VEN", "INVENTARIO"};
// The editor's labels of the links, which the refusals name them by.
inline constexpr std::array<const char*, 8> kConceptLinkLabels = {
    "NC/ND:",     "Impuestos:", "C x Cobrar:",  "Descuentos:",
    "Intereses:", "Compl.:",    "Costo Venta:", "Inventario:"};
inline constexpr std::array<const char*, 21> kConceptTexts = {
    "TEXTO1",     "TEXTO2",     "TEXTO3",     "TEXTO4",     "TEXTO5",     "T_DESC",
    "TITULO_TQ1", "TITULO_TQ2", "TITULO_TQ3", "TITULO_TQ4", "TITULO_TQ5", "TITULO_T12",
    "FINAL_TIQ1", "FINAL_TIQ2", "FINAL_TIQ3", "FINAL_TIQ4", "FINAL_TIQ5", "FINAL_TIQ6",
    "FINAL_TIQ7", "FINAL_TIQ8", "TXT_AGENTE"};

// One print binding: how documents of the concept in `currency` are printed.
struct ConceptBinding {
    std::string currency;           // MONEDA
    std::string format;             // FORM_DOC
    std::string printer, printer2;  // PREDET_P, PREDET_P2 (shared printer codes)
    int copies = 1;                 // N_COPIA
    int ticket = 0;                 // TICKET: 0 the page format, else the ticket layout
    int doc_type = 0;               // TIPO_DOC
    bool no_log = false;            // NO_IMP_LOG
    long source = 0;                // the DET_CON1 record it was read from; 0 when new
    bool operator==(const ConceptBinding&) const = default;
};

// One instalment of the term plan.
struct TermRow {
    int days = 0;      // PLAZO
    Decimal percent;   // PORCENTAJE of the document's amount
    Decimal interest;  // INTERES rate
    bool operator==(const TermRow&) const = default;
};

DocumentConcept document_concept_from_row(const data::WDBTable& t);
void put_document_concept_row(data::WDBTable& t, const std::string& business,
                              const DocumentConcept& c);
// DET_CON1 rows and the editor's work copy of them (the same fields and N_REC, the source).
ConceptBinding binding_from_row(const data::WDBTable& t);
void put_binding_row(data::WDBTable& t, const std::string& business,
                     const std::string& concept_code, const ConceptBinding& b);
TermRow term_from_row(const data::WDBTable& t);

std::optional<DocumentConcept> read_document_concept(data::Db& db, const std::string& business,
                                                     const std::string& code);
std::vector<DocumentConcept> business_document_concepts(data::Db& db, const std::string& business);
std::vector<ConceptBinding> read_bindings(data::Db& db, const std::string& business,
                                          const std::string& code);
std::vector<TermRow> read_term_plan(data::Db& db, const std::string& business,
                                    const std::string& code);

// The editor's work copy of the bindings (a temporary table of TMP_CON1): filled from the
// stored rows, edited freely, read back on "Aceptar".
void fill_binding_copy(data::WDBTable& copy, const std::string& business,
                       const std::string& concept_code, const std::vector<ConceptBinding>& rows);
std::vector<ConceptBinding> bindings_of_copy(data::WDBTable& copy);

// What is wrong with a concept and its rows: the CONCEPT1 field to go back to ("DET_CON1" or
// "DET_CON2" for a row of the grid or the plan) and the refusal; empty when nothing.
struct ConceptProblem {
    std::string field, text;
    bool empty() const { return text.empty(); }
};
ConceptProblem check_document_concept(data::Db& db, const std::string& business,
                                      const DocumentConcept& c,
                                      const std::vector<ConceptBinding>& bindings,
                                      const std::vector<TermRow>& plan);

// Adds (`old_code` empty) or changes a concept with its bindings and plan in one transaction.
// Every refusal is told through `port` and writes nothing; `problem` (when given) receives it.
bool save_document_concept(data::Db& db, UserPort& port, const std::string& business,
                           const std::string& old_code, const DocumentConcept& c,
                           const std::vector<ConceptBinding>& bindings,
                           const std::vector<TermRow>& plan, ConceptProblem* problem = nullptr);
// Refused while documents or another concept name it; otherwise, after the question, removes
// it with its bindings, plan and set memberships.
bool delete_document_concept(data::Db& db, UserPort& port, const std::string& business,
                             const std::string& code);

inline constexpr const char* kDocConceptDuplicate = "Código de concepto ya definido...";

}  // namespace qz::domain
