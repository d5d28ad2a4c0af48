// Regular invoices of the demonstration: the default advance of one month, two sets of regular
// documents billed monthly (memberships and corporate contracts) with their models, one built
// from a template, one of an inactive customer (passed over when generating), so that
// generating this month shows the period texts of each kind.
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/demo/demo_rows.h"
#include "domain/regular/regular_rows.h"

namespace qz::domain::demo {

namespace {

using regular::Model;
using regular::RegularDocument;

void set_advance(data::Db& db) {
    data::Table f = data::USE(db, "F_FAC", "F_FAC");
    if (f->Seek(data::business_key(kBiz))) {
        data::LOCK_FOR_MODIFY(*f);
        f->FieldPut("SUMA_ANO", Decimal(0));
        f->FieldPut("SUMA_MES", Decimal(1));
        f->FieldPut("SUMA_DIA", Decimal(0));
        f->FieldPut("TXT_REGULA", Decimal(1));
        data::UNLOCK_FOR_MODIFY(*f);
    }
    data::KILLTABLA(db, f);
}

Model model_of(const std::string& number, const std::string& customer, const std::string& branch,
               const char* article, const char* quantity, const char* price) {
    Model m;
    m.header.number = number;
    m.header.concept_code = "FA";
    m.header.customer = customer;
    m.header.branch = branch;
    m.header.currency = kColones;
    m.header.warehouse = "01";
    m.header.price_type = "01";
    regular::ModelLine l;
    l.code = article;
    l.quantity = Decimal::parse(quantity);
    l.price = Decimal::parse(price);
    l.tax = Decimal(13);
    m.lines.push_back(l);
    m.header.gross = l.quantity * l.price;
    m.header.amount = m.header.balance = (m.header.gross * Decimal::parse("1.13")).round(2);
    return m;
}

struct DemoRegular {
    long code;
    const char* set;
    const char* description;
    const char* customer;
    const char* name;
    const char* branch;
    const char* article;
    const char* quantity;
};

const DemoRegular kRegulars[] = {
    {1, "MEMB", "Membresía Spa Corporativa", "3101123456", "Turismo Pura Vida S.A.", "01", "MAS001",
     "4"},
    {2, "MEMB", "Paquete de relajación quincenal", "3102654321", "", "01", "MAS001", "2"},
    {3, "MEMB", "Membresía suspendida", "3101998877", "Viajes del Pacífico S.A.", "01", "MAS001",
     "1"},
    {4, "CORP", "Sesiones por hora - Liberia", "3101123456", "Turismo Pura Vida S.A.", "02",
     "MAS001", "1"},
    {5, "CORP", "Membresía individual (plantilla)", "114560789", "", "01", "MAS001", "1"},
};

}  // namespace

void load_regular_invoices(data::Db& db, const Date& today, Summary& out) {
    set_advance(db);
    regular::write_regular_set(db, kBiz, {"MEMB", "Membresías mensuales"});
    regular::write_regular_set(db, kBiz, {"CORP", "Contratos corporativos"});
    const Date first(today.year(), today.month(), 1);
    for (const DemoRegular& r : kRegulars) {
        RegularDocument d;
        d.code = r.code;
        d.set = r.set;
        d.description = r.description;
        d.customer = r.customer;
        d.name = r.name;
        d.branch = r.branch;
        d.cut_off = first;
        if (r.code == 2) {  // billed from the 16th to the 15th of the next month
            d.ranges = true;
            d.range_from = 16;
            d.range_to = 15;
        }
        if (r.code == 4) {  // two hours a session, four sessions
            d.extra_data = true;
            d.hours = Decimal(2);
            d.days = Decimal(4);
        }
        if (r.code == 5) {  // the previous month, from the shared template
            d.previous_month = true;
            d.kind = 1;
            d.template_code = "MEMB-IND";
        }
        regular::write_regular_document(db, kBiz, d);
        if (d.kind == 0)
            regular::write_model(db, regular::kRegularModels, kBiz,
                                 model_of(d.model_number(), r.customer, r.branch, r.article,
                                          r.quantity, "45000.00"));
    }
    Model shared = model_of("MEMB-IND", "", "", "MAS001", "2", "40000.00");
    shared.header.description = "Membresía individual: dos masajes al mes";
    regular::write_model(db, regular::kTemplates, kBiz, shared);
    out.push_back(
        "Facturas regulares: conjuntos MEMB y CORP (una plantilla MEMB-IND, un cliente "
        "inactivo); genérelas desde Cuentas por Cobrar › Facturas Regulares");
}

}  // namespace qz::domain::demo
