#pragma once
// How a concept's documents are printed: its print bindings (DET_CON1, one or more rows per
// currency: format, shared printer, copies, ticket or page) and the texts its tickets carry.
#include <optional>
#include <string>
#include <vector>

#include "data/db.h"

namespace qz::domain {

struct PrintBinding {
    std::string concept_code, currency;
    std::string format;             // FORM_DOC
    std::string printer, printer2;  // PREDET_P, PREDET_P2: shared-printer codes
    int copies = 1;                 // N_COPIA
    int ticket = 0;                 // TICKET: 0 the page format, else the ticket layout
    int doc_type = 0;               // TIPO_DOC
    bool no_log = false;            // NO_IMP_LOG
};

// The texts of a concept's tickets (CONCEPT1), with its name.
struct ConceptPrintTexts {
    std::string code, name;
    std::vector<std::string> titles;   // TITULO_TQ1..5 then TITULO_T12, blanks left out
    std::vector<std::string> texts;    // TEXTO1..5, blanks left out
    std::string discount_text;         // T_DESC
    std::vector<std::string> closing;  // FINAL_TIQ1..8, blanks left out
    std::string agent_caption;         // TXT_AGENTE
    bool print_agent = false;          // IMP_AGENTE
};

std::optional<ConceptPrintTexts> read_concept_print_texts(data::Db& db, const std::string& business,
                                                          const std::string& concept_code);
// Every binding of the concept, in the order they were written.
std::vector<PrintBinding> read_print_bindings(data::Db& db, const std::string& business,
                                              const std::string& concept_code);
// Appends one binding; the caller holds the transaction when it writes several.
void add_print_binding(data::Db& db, const std::string& business, const PrintBinding& b);

}  // namespace qz::domain
