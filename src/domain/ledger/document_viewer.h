#pragma once
// The document viewer's model: a business's documents as the viewer lists them, narrowed by
// customer (and branch) and by state, each filter one scope of one order of DOCUMENT, so a change
// of filter reads only the rows it shows. Every operation of the viewer reads its document
// through the row mapper here.
#include <functional>
#include <optional>
#include <string>

#include "core/date.h"
#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain {

// Open: a balance other than zero. Settled: no balance and not annulled. Annulled: ANULADO holds
// the annulling (or, on the mirror, its own) number.
enum class DocumentState { Open, Settled, Annulled, All };

struct ViewedDocument {
    long recno = 0;
    std::string number, concept_code;    // DOCUMENTO, CONCEPTO
    std::string customer, branch, name;  // CLIENTE, SUBCLIENTE, NOM_CLIENT
    Date date, due;                      // FECHA, VENCE
    std::string currency;                // MONEDA
    Decimal gross, amount, balance;      // BRUTO, MONTO, SALDO
    Decimal instalment, interest;        // CUOTA, INTERES
    std::string agent, diff_type;        // AGENTE, COD_DIFF
    std::string clas1, clas2, clas3;     // CLAS1..CLAS3
    std::string description;             // DESCRIP
    std::string annulled_by;             // ANULADO
    bool delivered = false;              // ENTREGADO = 1
    Date delivered_on;                   // FECHAENT

    DocumentState state() const;
};

ViewedDocument viewed_document_from_row(const data::WDBTable& t);
std::optional<ViewedDocument> read_viewed_document(data::Db& db, const std::string& business,
                                                   const std::string& number);
// The DOCUMENT-order key of a document of the business.
std::string document_key(const std::string& business, const std::string& number);

// Runs `write` on the document's row, locked, inside one transaction with whatever else it
// writes. `write` either refuses (false, having told the user) before it changes anything, or
// writes and returns true. A document gone meanwhile is refused with kDocumentGone, a row another
// workstation holds with kRecodeAborted; true once committed.
bool write_document(data::Db& db, UserPort& port, const std::string& business,
                    const std::string& number,
                    const std::function<bool(data::WDBTable& doc)>& write);

struct ViewerFilter {
    std::string customer;  // "" = every customer
    std::string branch;    // "" = every branch of the customer
    DocumentState state = DocumentState::Open;
};

// Where the grid reads a filter's rows: the order and the key prefix that is its scope. Open
// documents come through DOCUMEN13/DOCUMEN12, settled and annulled ones through DOCUMEN25 (which
// tells the two apart), all of a customer through DOCUMEN3/DOCUMEN15.
struct ViewerScope {
    std::string order, key;
};
ViewerScope viewer_scope(const std::string& business, const ViewerFilter& f);

// The captions of the states, as the filter offers them.
const char* document_state_name(DocumentState s);

// A document deleted or re-coded on another workstation while this one looked at it.
inline constexpr const char* kDocumentGone = "El documento ya no existe: ";
inline constexpr const char* kNoDocumentChosen = "Debe marcar al menos un documento";

}  // namespace qz::domain
