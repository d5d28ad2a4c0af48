#include "domain/ledger/diff_types.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"
#include "domain/session/keys.h"

namespace qz::domain {

namespace {

std::string diff_key(const std::string& business, const std::string& code) {
    return data::order_key("COD_DIFF", "COD_DIFF", {business, code});
}

void put_diff_row(data::WDBTable& t, const std::string& business, const DiffType& d) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", normal_code(d.code));
    t.FieldPut("DESCRIP", trim(d.name));
    t.FieldPut("LIGA_DIFF", trim(d.link));
    t.FieldPut("AJUSTAR", Decimal(d.adjust ? 1 : 0));
}

bool named_by_a_concept(data::Db& db, const std::string& business, const std::string& code) {
    bool found = false;
    for_business_rows(db, "CONCEPT1", business, [&](const data::WDBTable& t) {
        found = found || trim(t.str("COD_DIFF")) == code;
    });
    return found;
}

}  // namespace

DiffType diff_type_from_row(const data::WDBTable& t) {
    return DiffType{trim(t.str("CODIGO")), trim(t.str("DESCRIP")), trim(t.str("LIGA_DIFF")),
                    t.num("AJUSTAR") == 1};
}

std::optional<DiffType> read_diff_type(data::Db& db, const std::string& business,
                                       const std::string& code) {
    return read_code_row<DiffType>(db, "COD_DIFF", business, code, diff_type_from_row);
}

std::vector<DiffType> business_diff_types(data::Db& db, const std::string& business) {
    return business_rows<DiffType>(db, "COD_DIFF", business, diff_type_from_row);
}

std::string check_diff_type(const DiffType& d) {
    const std::string code = normal_code(d.code);
    if (code.empty()) return "El código de diferencial es requerido...";
    if (auto problem = code_width_problem("El código de diferencial", code, "COD_DIFF", "CODIGO");
        !problem.empty())
        return problem;
    if (trim(d.name).empty()) return "La descripción del diferencial es requerida...";
    if (utf8_length(trim(d.link)) > data::field_width("COD_DIFF", "LIGA_DIFF"))
        return "La liga admite " + std::to_string(data::field_width("COD_DIFF", "LIGA_DIFF")) +
               " caracteres...";
    // An adjustment with nowhere to post would be refused at every payment.
    if (d.adjust && trim(d.link).empty())
        return "Debe indicar la Liga para generar el ajuste de diferencial...";
    return "";
}

bool add_diff_type(data::Db& db, UserPort& port, const std::string& business, const DiffType& d) {
    if (auto problem = check_diff_type(d); !problem.empty()) return refuse(port, problem);
    if (key_exists(db, "COD_DIFF", "COD_DIFF", {business, normal_code(d.code)}))
        return refuse(port, kDiffTypeDuplicate);
    data::Transaction tx(db);
    data::Table t = data::USE(db, "COD_DIFF", "COD_DIFF");
    data::ADD_NEW_REC(*t);
    put_diff_row(*t, business, d);
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
    tx.commit();
    return true;
}

bool modify_diff_type(data::Db& db, UserPort& port, const std::string& business,
                      const std::string& old_code, const DiffType& d) {
    if (auto problem = check_diff_type(d); !problem.empty()) return refuse(port, problem);
    const std::string old_c = normal_code(old_code), new_c = normal_code(d.code);
    if (old_c != new_c && key_exists(db, "COD_DIFF", "COD_DIFF", {business, new_c}))
        return refuse(port, kDiffTypeDuplicate);
    try {
        data::Transaction tx(db);
        data::Table t = data::USE(db, "COD_DIFF", "COD_DIFF");
        if (!lock_at_key(*t, diff_key(business, old_c))) {
            data::KILLTABLA(db, t);
            tx.commit();  // nothing was written
            return refuse(port, "El código de diferencial " + old_c + " ya no existe...");
        }
        put_diff_row(*t, business, d);
        data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(db, t);
        // Concepts and the documents they issued keep the type by its code.
        if (old_c != new_c) {
            recode_in_scope(db, "CONCEPT1", "CONCEPT1", business, "COD_DIFF", old_c, new_c);
            recode_in_scope(db, "DOCUMENT", "DOCUMENT", business, "COD_DIFF", old_c, new_c);
        }
        tx.commit();
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
    return true;
}

bool delete_diff_type(data::Db& db, UserPort& port, const std::string& business,
                      const std::string& code) {
    const std::string c = normal_code(code);
    if (named_by_a_concept(db, business, c))
        return refuse(
            port, "El código de diferencial " + c + " está asociado a un concepto de documento...");
    if (!port.confirm("Advertencia", kDiffTypeDeleteAsk)) return false;
    data::Transaction tx(db);
    data::Table t = data::USE(db, "COD_DIFF", "COD_DIFF");
    const bool found = lock_at_key(*t, diff_key(business, c));
    if (found) {
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
    return found;
}

RateCheckSettings read_rate_check(data::Db& db, const std::string& business) {
    RateCheckSettings s;
    data::Table t = data::USE(db, "NEGOCIOS", "NEGOCIOS");
    if (t->Seek(keys::business(business))) {
        s.by_days = t->num("CHECK_MON") == 1;
        s.amount = t->num("CANT_MON").to_int();
    }
    data::KILLTABLA(db, t);
    return s;
}

bool save_rate_check(data::Db& db, UserPort& port, const std::string& business,
                     const RateCheckSettings& s) {
    if (s.amount < 0 || s.amount > 9999)
        return refuse(port, "El Rango debe estar entre 0 y 9999...");
    data::Transaction tx(db);
    data::Table t = data::USE(db, "NEGOCIOS", "NEGOCIOS");
    if (!lock_at_key(*t, keys::business(business))) {
        data::KILLTABLA(db, t);
        tx.commit();  // nothing was written
        return refuse(port, "No se encontró el negocio " + business + "...");
    }
    t->FieldPut("CHECK_MON", Decimal(s.by_days ? 1 : 0));
    t->FieldPut("CANT_MON", Decimal(s.amount));
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    tx.commit();
    return true;
}

}  // namespace qz::domain
