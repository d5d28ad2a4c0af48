#include "domain/regular/regular_maintenance.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/transaction.h"
#include "domain/customers/customer_rows.h"
#include "domain/session/master_rows.h"

namespace qz::domain::regular {

namespace {

bool set_exists(data::Db& db, const std::string& business, const std::string& code) {
    return key_exists(db, "CFAC_REG", "CFAC_REG", {business, normal_code(code)});
}

bool day_of_month(int day) { return day >= 1 && day <= 31; }

bool days_fit(const RegularDocument& d) {
    if (d.adjust_day && !day_of_month(d.adjust_to)) return false;
    return !d.ranges || (day_of_month(d.range_from) && day_of_month(d.range_to));
}

}  // namespace

bool add_regular_set(data::Db& db, UserPort& port, const std::string& business, RegularSet s) {
    s.code = normal_code(s.code);
    if (s.code.empty()) return refuse(port, kSetCodeRequired);
    data::Transaction tx(db);
    if (set_exists(db, business, s.code)) {
        tx.commit();
        return refuse(port, kSetTaken);
    }
    write_regular_set(db, business, s);
    tx.commit();
    return true;
}

bool modify_regular_set(data::Db& db, UserPort& port, const std::string& business,
                        const RegularSet& s) {
    const bool written =
        write_keyed_row(db, "CFAC_REG", "CFAC_REG", {business, normal_code(s.code)}, false,
                        [&](data::WDBTable& t) { put_set_row(t, business, s); });
    return written || refuse(port, kSetMissing + normal_code(s.code));
}

bool delete_regular_set(data::Db& db, UserPort& port, const std::string& business,
                        const std::string& code) {
    if (!port.confirm("Atencion", kSetDeleteQuestion)) return false;
    data::Transaction tx(db);
    // Looked at inside the transaction, so a document added meanwhile keeps its set.
    if (key_exists(db, "FAC_REG", "FAC_REG", {business, normal_code(code)})) {
        tx.commit();
        return refuse(port, kSetHasDocuments);
    }
    const bool erased = erase_keyed_rows(db, "CFAC_REG", "CFAC_REG", {business, normal_code(code)});
    tx.commit();
    return erased || refuse(port, kSetMissing + normal_code(code));
}

std::string check_regular_document(data::Db& db, const std::string& business,
                                   const RegularDocument& d) {
    if (!set_exists(db, business, d.set)) return kSetMissing + d.set;
    if (!customers::read_customer(db, business, d.customer))
        return kRegularCustomerMissing + d.customer;
    if (d.kind == 1 && !read_model(db, kTemplates, business, trim(d.template_code)))
        return kRegularTemplateMissing + d.template_code;
    return days_fit(d) ? "" : kRegularBadDay;
}

long save_regular_document(data::Db& db, UserPort& port, const std::string& business,
                           RegularDocument d) {
    d.set = normal_code(d.set);
    d.customer = normal_code(d.customer);
    if (const std::string why = check_regular_document(db, business, d); !why.empty()) {
        refuse(port, why);
        return 0;
    }
    data::Transaction tx(db);
    if (d.code == 0) {
        d.code = next_regular_code(db, business);
    } else if (!read_regular_document(db, business, d.code)) {
        tx.commit();
        refuse(port, kRegularMissing + std::to_string(d.code));
        return 0;
    }
    write_regular_document(db, business, d);
    tx.commit();
    return d.code;
}

bool delete_regular_document(data::Db& db, UserPort& port, const std::string& business, long code) {
    const auto d = read_regular_document(db, business, code);
    if (!d) return refuse(port, kRegularMissing + std::to_string(code));
    if (!port.confirm("Atencion", kRegularDeleteQuestion)) return false;
    data::Transaction tx(db);
    delete_by_order(db, "FAC_REG", "FAC_REG2", {business, static_cast<long long>(code)});
    delete_model(db, kRegularModels, business, d->model_number());
    tx.commit();
    return true;
}

std::vector<PreviewRow> PFAC_REG(data::Db& db, const std::string& business,
                                 const std::string& set) {
    std::vector<PreviewRow> out;
    for (const RegularDocument& d : set_documents(db, business, set)) {
        const bool from_template = d.kind == 1;
        const auto m = read_model(db, from_template ? kTemplates : kRegularModels, business,
                                  from_template ? trim(d.template_code) : d.model_number());
        out.push_back({d.code, d.customer, d.name, d.description, d.cut_off,
                       m ? m->header.amount : Decimal()});
    }
    return out;
}

}  // namespace qz::domain::regular
