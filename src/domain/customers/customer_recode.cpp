#include "domain/customers/customer_recode.h"

#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/session/master_rows.h"

namespace qz::domain::customers {

namespace {

// Open documents have class "0" in the orders that split them by balance.
constexpr const char* kOpenClass = "0";

}  // namespace

const std::vector<CustomerField>& customer_code_fields() {
    static const std::vector<CustomerField> fields = {
        {"DET_CLIE", "DET_CLIE", "CLIENTE"},  {"DET_CLI3", "DET_CLI3", "CLIENTE"},
        {"DET_CLI2", "DET_CLI2", "CLIENTE"},  {"DET_CLI4", "DET_CLI4", "CLIENTE"},
        {"DOCUMENT", "DOCUMEN3", "CLIENTE"},  {"ENC_MOVE", "ENC_MOV6", "CLIENTE"},
        {"PENC_MOV", "ENC_MOV6", "CLIENTE"},  {"DET_DOC", "DET_DOC8", "CLIENTE"},
        {"PDET_DOC", "DET_DOC8", "CLIENTE"},  {"PDOCUMEN", "DOCUMEN3", "CLIENTE"},
        {"PENC_PED", "PENC_PED2", "CLIENTE"}, {"PDET_PED", "DET_DOC8", "CLIENTE"},
        {"BITACORA", "BITACORA", "CLIENTE"},  {"FAC_REG", "FAC_REG3", "CLIENTE"},
        {"DET_ART6", "DET_ART6", "COD_COMI"}, {"EST_CLIE", "EST_CLIE", "CODIGO"},
    };
    return fields;
}

long recode_customer(data::Db& db, const std::string& business, const std::string& old_code,
                     const std::string& new_code, WaitWindow* wait) {
    long done = 0;
    for (const auto& f : customer_code_fields()) {
        if (wait) wait->put_text(std::string("Actualizando ") + f.table + "...");
        done +=
            recode_by_order(db, f.table, f.order, {business, old_code}, f.field, new_code, wait);
    }
    return done;
}

long recode_branch(data::Db& db, const std::string& business, const std::string& customer,
                   const std::string& old_branch, const std::string& new_branch, WaitWindow* wait) {
    long done = 0;
    for (const auto& [table, order] :
         {std::pair{"DOCUMENT", "DOCUMEN15"}, std::pair{"PDOCUMEN", "DOCUMEN15"},
          std::pair{"FAC_REG", "FAC_REG3"}})
        done += recode_by_order(db, table, order, {business, customer, old_branch}, "SUBCLIENTE",
                                new_branch, wait);
    return done;
}

bool branch_has_documents(data::Db& db, const std::string& business, const std::string& customer,
                          const std::string& branch) {
    return key_exists(db, "DOCUMENT", "DOCUMEN15", {business, customer, branch}) ||
           key_exists(db, "PDOCUMEN", "DOCUMEN15", {business, customer, branch});
}

bool customer_has_documents(data::Db& db, const std::string& business,
                            const std::string& customer) {
    return key_exists(db, "DOCUMENT", "DOCUMEN3", {business, customer}) ||
           key_exists(db, "PDOCUMEN", "DOCUMEN3", {business, customer});
}

bool customer_has_open_documents(data::Db& db, const std::string& business,
                                 const std::string& customer) {
    return key_exists(db, "DOCUMENT", "DOCUMEN13", {business, kOpenClass, customer});
}

long rename_in_history(data::Db& db, const std::string& business, const std::string& customer,
                       const std::string& name, WaitWindow* wait) {
    long done = 0;
    for (const auto& [table, order] :
         {std::pair{"DOCUMENT", "DOCUMEN3"}, std::pair{"ENC_MOVE", "ENC_MOV6"},
          std::pair{"PENC_MOV", "ENC_MOV6"}, std::pair{"PENC_PED", "PENC_PED2"},
          std::pair{"FAC_REG", "FAC_REG3"}})
        done += rewrite_by_order(db, table, order, {business, customer}, "NOM_CLIENT", name, wait);
    return done;
}

}  // namespace qz::domain::customers
