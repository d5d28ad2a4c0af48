#pragma once
// Automatic collections ("Cobros Automáticos"): the branches that pay by standing order are
// charged their next instalment on their collection day. The work list holds, for the day and
// the document concepts chosen, every open document of those branches with the charge due:
// the first instalment of its plan that what was paid does not cover, split into principal and
// interest (next_charge of instalments.h). Rows are marked to apply, may have their charge
// changed by hand, and the marked ones become one payment each (auto_collection_payments.h).
//
// The list is built from two orders, never by reading every document: the branches by
// standing order and collection day (DET_CLIE13), then each branch's open documents
// (DOCUMEN12). With k branches of the day and m open documents among them it costs
// O(k log n + m (log n + p)), n being the size of the tables and p the instalments of a plan.
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain {

struct CollectionRow {
    std::string customer, branch, name;  // CLIENTE, SUBCLIENTE, NOM_CLIENT of the document
    std::string document, concept_code, currency;
    Decimal amount, balance;  // MONTO, SALDO
    Decimal instalment;       // the document's CUOTA; principal + interest once changed by hand
    Decimal principal, interest;
    std::string charge_code;  // the code of the charge, typed with "Cambiar Datos"
    bool marked = false;      // to apply

    Decimal charge() const { return principal + interest; }
    // Only a whole instalment is collected: the charge must be the document's instalment.
    bool whole_instalment() const { return charge().round(2) == instalment.round(2); }
};

struct CollectionTotals {
    long applied_rows = 0, pending_rows = 0;
    Decimal applied, pending;  // the charges of the marked rows, and of the others
};

class AutoCollection {
public:
    AutoCollection(data::Db& db, UserPort& port, std::string business);

    const std::string& business() const { return m_business; }
    const std::vector<CollectionRow>& rows() const { return m_rows; }

    // "Actualizar": checks the choices, asks "Desea inicializar e actualizar?" and rebuilds the
    // list; false (list untouched) when a choice is missing or the user declines.
    bool Actualizar(int day, const std::set<std::string>& concepts);
    // The list itself, without questions.
    void rebuild(int day, const std::set<std::string>& concepts);

    // A click on the first column: marks or unmarks; a row whose charge is not a whole
    // instalment is refused.
    bool toggle_mark(size_t index);
    // "Cambiar Datos": a new charge code, principal and interest; the instalment becomes
    // principal + interest, so the row can then be marked.
    bool change_row(std::optional<size_t> index, const std::string& charge_code,
                    const Decimal& principal, const Decimal& interest);
    // "Ver Totales".
    CollectionTotals totals() const;
    // The rows marked to apply, by position.
    std::vector<size_t> marked() const;
    // Rows paid by a run of "Generar Abonos" leave the list.
    void remove_rows(const std::vector<size_t>& indexes);

private:
    bool refuse(const std::string& text);
    void add_branch_documents(const std::string& customer, const std::string& branch,
                              const std::set<std::string>& concepts);

    data::Db& m_db;
    UserPort& m_port;
    std::string m_business;
    std::vector<CollectionRow> m_rows;
};

inline constexpr const char* kNoDay = "Falta seleccionar el día";
inline constexpr const char* kNoConcept = "Falta seleccionar el concepto";
inline constexpr const char* kRefreshQuestion = "Desea inicializar e actualizar?";
inline constexpr const char* kWholeInstalments =
    "El pago solamente se puede aplicar a documentos con cuotas completas";
inline constexpr const char* kNoRowSelected = "Debe seleccionar un item del grid";
inline constexpr const char* kNothingMarked = "No hay documentos marcados para aplicar";

}  // namespace qz::domain
