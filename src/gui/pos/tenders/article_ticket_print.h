#pragma once
// Article tickets (P_TIQUETES): after a sale is saved, one printed ticket per whole unit of an
// article sold as an entry or pass, each its own print job on the business's ticket printer.
#include <string>

#include "core/date.h"
#include "core/decimal.h"
#include "gui/ledger/formats/document_print.h"
#include "gui/print/print_job.h"
#include "services/print/printer_function.h"

namespace qz::gui {

struct ArticleTicketRequest {
    std::string business;
    Decimal quantity;                  // the sale line's
    std::string article, description;  // DEF_ART CODIGO, DESCRIP
    std::string document;
    Date date;
    std::string time;  // "HH:MM:SS"
};

// Copy `copy` of the ticket on the open job; `logo` is the picture file ("" for none).
void draw_article_ticket(services::PrinterFunction& job, const ArticleTicketRequest& r, long copy,
                         const std::string& logo);

// Prints every ticket; returns how many were printed (fewer when the printer failed: the user
// was told).
long P_TIQUETES(DocumentPrinter& p, const ArticleTicketRequest& r);

}  // namespace qz::gui
