#include "data/amount_field.h"

#include <stdexcept>

#include "data/catalogue.h"

namespace qz::data {

AmountField amount_field(const std::string& table, const std::string& field, std::string label) {
    const TableDef* t = Catalogue::instance().find(table);
    const FieldDef* f = t ? t->field(field) : nullptr;
    if (!f || f->kind != FieldKind::N)
        throw std::logic_error("no numeric field " + table + "." + field + " in the catalogue");
    AmountField a;
    a.label = std::move(label);
    a.width = f->width;
    a.decimals = f->decimals;
    return a;
}

AmountField percent_field(const std::string& table, const std::string& field, std::string label) {
    AmountField a = amount_field(table, field, std::move(label));
    a.most = Decimal(100);
    return a;
}

}  // namespace qz::data
