#include "domain/pos/sale_journal.h"

namespace qz::domain::pos {

// Placeholder bodies while the sale's accounting lines are written on their own branch.
SaleJournal::SaleJournal(data::Db& db, ContaTransaction& conta, SaleJournalContext context)
    : m_db(db), m_conta(conta), m_ctx(std::move(context)) {}
void SaleJournal::begin_document(const std::string& document, const std::string& customer_name) {
    m_document = document;
    m_customer_name = customer_name;
}
void SaleJournal::post_line(const SaleLine&) {}
void SaleJournal::post_document(const SaleDocumentAmounts&) {}

}  // namespace qz::domain::pos
