#include "domain/demo/demo_data.h"

#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/demo/demo_rows.h"
#include "domain/demo/spa_demo.h"

namespace qz::domain {

namespace demo {

RowWriter::RowWriter(data::Db& db, const std::string& table)
    : m_db(db), m_table(data::USE(db, table)) {
    m_has_business = m_table->FieldPos("NEGOCIO") > 0;
}

RowWriter::~RowWriter() { data::KILLTABLA(m_db, m_table); }

void RowWriter::add(std::initializer_list<Field> fields) { add(std::vector<Field>(fields)); }

void RowWriter::add(const std::vector<Field>& fields) {
    data::ADD_NEW_REC(*m_table);
    if (m_has_business) m_table->FieldPut("NEGOCIO", kBiz);
    for (const Field& f : fields) m_table->FieldPut(f.first, f.second);
    data::UNLOCK_NEW_REC(*m_table);
}

}  // namespace demo

std::string install_demo_data(data::Db& db) {
    const Date today = db.clock().XDATE();
    demo::Summary summary;
    summary.push_back("Empresa de demostración cargada: " + demo::kBiz +
                      " - Hotel Quartzen Spa & Resort");
    {
        data::Transaction tx(db);
        demo::load_business_and_currencies(db, today, summary);
        demo::load_users_and_rights(db, today, summary);
        demo::load_settings(db);
        demo::load_ledger_codes(db, today);
        demo::load_accounting(db, today, summary);
        demo::load_customers(db, today, summary);
        demo::load_hotel(db, today, summary);
        demo::load_spa(db, today, summary);
        demo::load_registers(db, summary);
        demo::load_customer_satellites(db, summary);
        install_spa_demo(db);
        demo::load_tenders(db, today, summary);
        demo::load_card_terminals(db, summary);
        demo::load_deposits(db, today, summary);
        demo::load_inventory(db, today, summary);
        demo::load_prices(db, today, summary);
        demo::load_return_notes(db, summary);
        demo::load_sample_documents(db, today, summary);
        demo::load_credit(db, today, summary);
        demo::load_statement_documents(db, today, summary);
        demo::load_viewer_documents(db, today, summary);
        demo::load_auto_collection(db, today, summary);
        demo::load_closing_shift(db, today, summary);
        demo::load_customer_log(db, today);
        demo::load_regular_invoices(db, today, summary);
        demo::load_collection_stages(db, summary);
        demo::summarise_spa(db, today, summary);
        tx.commit();
    }
    std::string text;
    for (const auto& line : summary) text += line + "\n";
    return text;
}

}  // namespace qz::domain
