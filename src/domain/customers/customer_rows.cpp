#include "domain/customers/customer_rows.h"

#include <algorithm>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/session/master_rows.h"

namespace qz::domain::customers {

namespace {

int int_of(const data::WDBTable& t, const char* field) {
    return static_cast<int>(t.num(field).to_scaled(0));
}
bool flag_of(const data::WDBTable& t, const char* field) { return t.num(field) != 0; }
Decimal flag(bool on) { return Decimal(on ? 1 : 0); }

}  // namespace

Customer customer_from_row(const data::WDBTable& t) {
    Customer c;
    c.code = trim(t.str("CODIGO"));
    c.name = trim(t.str("NOMBRE"));
    c.legal_id = trim(t.str("JURIDICA"));
    c.social = trim(t.str("SOCIAL"));
    c.initials = trim(t.str("SIGLAS"));
    c.clas1 = trim(t.str("CLAS_1"));
    c.clas2 = trim(t.str("CLAS_2"));
    c.clas3 = trim(t.str("CLAS_3"));
    c.category = trim(t.str("CATEGORIA"));
    c.active = flag_of(t, "ESTADO");
    c.admitted = t.date("F_INGRESO");
    c.withdrawn = t.date("F_RETIRO");
    c.reason = int_of(t, "TIPO_ANU");
    c.read_name = flag_of(t, "LEE_NOM");
    c.taxed = trim(t.str("COBRA_IMP")) != "N";
    c.no_invoice = flag_of(t, "NO_FACTUR");
    c.cash_only = flag_of(t, "SOLO_CONT");
    c.commission_in_price = flag_of(t, "COMIS_PREC");
    c.supplier = trim(t.str("COD_PROVEE"));
    c.comment = trim(t.str("COMENTARIO"));
    c.associates = flag_of(t, "ASOCIADOS");
    return c;
}

void put_customer_row(data::WDBTable& t, const std::string& business, const Customer& c) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", normal_code(c.code));
    t.FieldPut("NOMBRE", trim(c.name));
    t.FieldPut("JURIDICA", trim(c.legal_id));
    t.FieldPut("SOCIAL", trim(c.social));
    t.FieldPut("SIGLAS", trim(c.initials));
    t.FieldPut("CLAS_1", normal_code(c.clas1));
    t.FieldPut("CLAS_2", normal_code(c.clas2));
    t.FieldPut("CLAS_3", normal_code(c.clas3));
    t.FieldPut("CATEGORIA", normal_code(c.category));
    t.FieldPut("ESTADO", flag(c.active));
    t.FieldPut("F_INGRESO", c.admitted);
    // Only an inactive customer keeps a withdrawal date and a reason.
    t.FieldPut("F_RETIRO", c.active ? Date() : c.withdrawn);
    t.FieldPut("TIPO_ANU", Decimal(c.active ? 0 : c.reason));
    t.FieldPut("LEE_NOM", flag(c.read_name));
    t.FieldPut("COBRA_IMP", std::string(c.taxed ? "S" : "N"));
    t.FieldPut("NO_FACTUR", flag(c.no_invoice));
    t.FieldPut("SOLO_CONT", flag(c.cash_only));
    t.FieldPut("COMIS_PREC", flag(c.commission_in_price));
    t.FieldPut("COD_PROVEE", normal_code(c.supplier));
    t.FieldPut("COMENTARIO", trim(c.comment));
    t.FieldPut("ASOCIADOS", flag(c.associates));
}

Branch branch_from_row(const data::WDBTable& t) {
    Branch b;
    b.code = trim(t.str("CODIGO"));
    b.name = trim(t.str("NOMBRE"));
    b.social = trim(t.str("SOCIAL"));
    b.legal_id = trim(t.str("JURIDICA"));
    b.address = trim(t.str("DIRECCION"));
    b.po_box = trim(t.str("APARTADO"));
    b.attention = trim(t.str("ATENCION"));
    b.phone = trim(t.str("TELEFONO"));
    b.phone2 = trim(t.str("TELEFONO2"));
    b.phone3 = trim(t.str("TELEFONO3"));
    b.phone4 = trim(t.str("TELEFONO4"));
    b.fax = trim(t.str("FAX"));
    b.fax2 = trim(t.str("FAX2"));
    b.email = trim(t.str("EMAIL"));
    b.principal = trim(t.str("PRINCIPAL")) == "S";
    b.limit = t.num("LIMITE");
    b.limit_currency = trim(t.str("MON_LIMITE"));
    b.max_days = int_of(t, "MAX_DIAS");
    b.individual_credit = flag_of(t, "IND_DIAS");
    b.discount = t.num("DESCUENTO");
    b.discount_included = flag_of(t, "DESC_INCL");
    b.price_type = trim(t.str("T_PRECIO"));
    b.agent = trim(t.str("SUGIERE_A"));
    b.doc_concept = trim(t.str("SUGIERE_C"));
    b.classification = trim(t.str("CATEGORIA"));
    b.sales_link = trim(t.str("ASIENTO1"));
    b.auto_collect = flag_of(t, "AUT_COBRO");
    b.collect_day = int_of(t, "F_COBRO");
    b.no_check = flag_of(t, "NO_CHECK");
    b.unique_id = trim(t.str("ID_UNICO"));
    b.card = trim(t.str("N_TARJETA"));
    b.card_year = int_of(t, "T_ANHO");
    b.card_month = int_of(t, "T_MES");
    b.zone = trim(t.str("COD_ZONA"));
    b.stage = trim(t.str("ETAPA_COB"));
    b.cost_centre = trim(t.str("C_COSTO"));
    b.commission = t.num("PORCE_COMI");
    b.general_manager = trim(t.str("G_GENERAL"));
    b.financial_manager = trim(t.str("G_FINAN"));
    b.president = trim(t.str("PRESIDENTE"));
    b.guarantee_type = int_of(t, "T_GARANTIA");
    b.guarantee_doc = trim(t.str("D_GARANTIA"));
    b.guarantee_notes = rtrim(t.str("C_GARANTIA"));
    b.notes = rtrim(t.str("COMENTA"));
    return b;
}

void put_branch_row(data::WDBTable& t, const std::string& business, const std::string& customer,
                    const Branch& b) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CLIENTE", normal_code(customer));
    t.FieldPut("CODIGO", normal_code(b.code));
    t.FieldPut("PRINCIPAL", std::string(b.principal ? "S" : "N"));
    const std::pair<const char*, const std::string*> texts[] = {{"NOMBRE", &b.name},
                                                                {"SOCIAL", &b.social},
                                                                {"JURIDICA", &b.legal_id},
                                                                {"DIRECCION", &b.address},
                                                                {"APARTADO", &b.po_box},
                                                                {"ATENCION", &b.attention},
                                                                {"TELEFONO", &b.phone},
                                                                {"TELEFONO2", &b.phone2},
                                                                {"TELEFONO3", &b.phone3},
                                                                {"TELEFONO4", &b.phone4},
                                                                {"FAX", &b.fax},
                                                                {"FAX2", &b.fax2},
                                                                {"EMAIL", &b.email},
                                                                {"ID_UNICO", &b.unique_id},
                                                                {"N_TARJETA", &b.card},
                                                                {"C_COSTO", &b.cost_centre},
                                                                {"G_GENERAL", &b.general_manager},
                                                                {"G_FINAN", &b.financial_manager},
                                                                {"PRESIDENTE", &b.president},
                                                                {"D_GARANTIA", &b.guarantee_doc},
                                                                {"ASIENTO1", &b.sales_link}};
    for (const auto& [field, value] : texts) t.FieldPut(field, trim(*value));
    const std::pair<const char*, const std::string*> codes[] = {{"MON_LIMITE", &b.limit_currency},
                                                                {"T_PRECIO", &b.price_type},
                                                                {"SUGIERE_C", &b.doc_concept},
                                                                {"CATEGORIA", &b.classification},
                                                                {"COD_ZONA", &b.zone},
                                                                {"ETAPA_COB", &b.stage}};
    for (const auto& [field, value] : codes) t.FieldPut(field, normal_code(*value));
    t.FieldPut("SUGIERE_A", normal_code(b.agent.value_or("")));
    t.FieldPut("LIMITE", b.limit);
    t.FieldPut("MAX_DIAS", Decimal(b.max_days));
    t.FieldPut("IND_DIAS", flag(b.individual_credit));
    t.FieldPut("DESCUENTO", b.discount);
    t.FieldPut("DESC_INCL", flag(b.discount_included));
    t.FieldPut("AUT_COBRO", flag(b.auto_collect));
    t.FieldPut("F_COBRO", Decimal(b.collect_day));
    t.FieldPut("NO_CHECK", flag(b.no_check));
    t.FieldPut("T_ANHO", Decimal(b.card_year));
    t.FieldPut("T_MES", Decimal(b.card_month));
    t.FieldPut("PORCE_COMI", b.commission);
    t.FieldPut("T_GARANTIA", Decimal(b.guarantee_type));
    t.FieldPut("C_GARANTIA", b.guarantee_notes);
    t.FieldPut("COMENTA", b.notes);
}

std::optional<Customer> read_customer(data::Db& db, const std::string& business,
                                      const std::string& code) {
    return read_code_row<Customer>(db, "CLIENTES", business, code, customer_from_row);
}

std::vector<StoredBranch> customer_branches(data::Db& db, const std::string& business,
                                            const std::string& customer) {
    std::vector<StoredBranch> out;
    data::UseOptions o;
    o.order = "DET_CLIE7";
    o.read_only = true;
    data::Table t = data::USE(db, "DET_CLIE", o);
    const std::string key =
        data::order_key("DET_CLIE", "DET_CLIE7", {business, normal_code(customer)});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) out.push_back({branch_from_row(*t), t->RecNo()});
    data::KILLTABLA(db, t);
    return out;
}

std::vector<StoredBranch> branches_principal_first(data::Db& db, const std::string& business,
                                                   const std::string& customer) {
    auto all = customer_branches(db, business, customer);
    std::stable_partition(all.begin(), all.end(),
                          [](const StoredBranch& s) { return s.branch.principal; });
    return all;
}

const std::vector<std::string>& reason_names() {
    static const std::vector<std::string> names = {"Morosos", "Cliente lo Solicito",
                                                   "Plazo Vencimiento", "UP_GRADE"};
    return names;
}

}  // namespace qz::domain::customers
