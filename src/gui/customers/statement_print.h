#pragma once
// The customer's printouts on the print engine: the statement of open documents (IMPRIMIR), the
// historic statement (CLIENT_3), the collection plan (P_COBRO) and the customer listing
// (PRINT_CLIENTES). The draw functions lay a model out on an open job; the print functions ask
// for the printer and output (preview included) and run the job for a screen.
#include <string>
#include <vector>

#include "core/date.h"
#include "data/db.h"
#include "domain/customers/customer_listing.h"
#include "domain/ledger/customer_statement.h"
#include "domain/ledger/historic_statement.h"
#include "services/print/printer_function.h"

class QWidget;

namespace qz::gui {

inline constexpr const char* kStatementTitle = "ESTADO DE CUENTA";
inline constexpr const char* kMoneyPicture = "999,999,999.99";

void draw_open_statement(services::PrinterFunction& job, const domain::OpenStatement& s);
void draw_historic_statement(services::PrinterFunction& job, const domain::HistoricStatement& s);
void draw_collection_plan(services::PrinterFunction& job, const domain::CollectionPlan& p);
void draw_customer_listing(services::PrinterFunction& job,
                           const std::vector<domain::customers::ListingRow>& rows);

// The titles each printout is opened with (TITLE1..TITLE3), as the print functions set them.
void open_statement_titles(services::PrinterFunction& job, const Date& today);
void historic_titles(services::PrinterFunction& job, const domain::HistoricStatement& s);
void plan_titles(services::PrinterFunction& job, const Date& today);
void listing_titles(services::PrinterFunction& job, const domain::customers::ListingRequest& r);

// Each asks for the printer and prints; nothing when the user cancels.
void print_open_statement(QWidget* owner, data::Db& db, const std::string& business,
                          const std::string& customer, const Date& today);
void print_historic_statement(QWidget* owner, const domain::HistoricStatement& s);
// CLIENT_3 for `customer`: asks for the range and the branch, then prints that statement.
void ask_and_print_historic_statement(QWidget* owner, data::Db& db, const std::string& business,
                                      const std::string& customer, const Date& today);
void print_collection_plan(QWidget* owner, data::Db& db, const std::string& business,
                           const std::string& customer, const Date& today);
void print_customer_listing(QWidget* owner, data::Db& db, const std::string& business,
                            const domain::customers::ListingRequest& r);

}  // namespace qz::gui
