#pragma once
// The customer log's screens, for every screen that offers a customer's notes (the customer list,
// the receivables inquiry): the window E_BITACORA, the note editor ADD_BITACORA, the copy to
// another customer CPY_BITA and the printout IMP_BITA; and the ID-registry lookup V_PADRON the
// document screens offer.
#include <optional>
#include <string>

#include "data/db.h"
#include "domain/customers/customer_log.h"
#include "services/print/printer_function.h"

class QWidget;

namespace qz::gui {

class WDIAG;

// Who works with the log: the database, the business and the user's short code.
struct LogDesk {
    data::Db& db;
    std::string business, user;
};

// The customer-log window: the customer's notes newest first, the chosen note's full text, and
// "Agregar", "Modificar", "Borrar", "Imprimir". New notes carry `document`. The owner stays
// disabled while it is open. Null when it could not open.
WDIAG* E_BITACORA(QWidget* owner, const LogDesk& desk, const std::string& customer,
                  const std::string& name, const std::string& document = "");

inline constexpr int kAddNote = 1, kChangeNote = 2;
// The note editor: mode 1 writes a new note of the customer (about `document` when given);
// mode 2 changes the note `recno`. True when it saved.
bool ADD_BITACORA(QWidget* owner, const LogDesk& desk, const std::string& document,
                  const std::string& customer, const std::string& name, int mode, long recno = 0);

// Copies the log of the customer at `customer_recno` (CLIENTES) to a customer typed by code or
// chosen from the list. Returns the notes copied, -1 when nothing was done.
long CPY_BITA(QWidget* owner, const LogDesk& desk, long customer_recno);

// "Impresión de Bitácora": the customer's notes through the printer dialog (preview, printer,
// PDF, workbook).
void IMP_BITA(QWidget* owner, const LogDesk& desk, const std::string& customer,
              const std::string& name);
// Draws the notes on an open job.
void draw_customer_log(services::PrinterFunction& job, const std::string& customer,
                       const std::string& name,
                       const std::vector<domain::customers::LogNote>& notes);

// The chosen row of the ID registry: CEDULA and the full name.
struct PadronChoice {
    std::string id, name;
};
std::optional<PadronChoice> V_PADRON(QWidget* owner, data::Db& db);

// Control ids.
enum CustomerLogControl {
    kLogNotesGrid = 500,
    kLogNoteText = 501,
    kLogAdd = 201,
    kLogChange = 202,
    kLogDelete = 203,
    kLogPrint = 204,
    kNoteName = 601,
    kNoteDocument = 602,
    kNoteMoment = 603,
    kNoteText = 604,
    kCopyTarget = 611,
    kCopyTargetName = 612,
    kCopyChoose = 613,
};

}  // namespace qz::gui
