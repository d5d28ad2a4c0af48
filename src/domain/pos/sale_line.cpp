#include "domain/pos/sale_line.h"

#include "core/text.h"
#include "domain/pos/sale_figures.h"

namespace qz::domain::pos {

bool SaleLine::empty() const { return trim(code).empty(); }

SaleFigures& SaleFigures::operator+=(const SaleFigures& o) {
    invoiced += o.invoiced;
    subtotal += o.subtotal;
    tax += o.tax;
    freight += o.freight;
    load += o.load;
    return *this;
}

SaleFigures& SaleFigures::operator-=(const SaleFigures& o) {
    invoiced -= o.invoiced;
    subtotal -= o.subtotal;
    tax -= o.tax;
    freight -= o.freight;
    load -= o.load;
    return *this;
}

SaleFigures line_share(SaleLine& line, const OtherCharges& others) {
    SaleFigures f;
    if (line.empty()) return f;
    const LineFigures l = line_figures(line.quantity, line.price, line.tax, line.discount);
    line.total = l.total;
    f.invoiced = l.total;
    f.subtotal = l.subtotal;
    f.tax = l.tax;
    if (others.shown) {
        const Decimal units = others.per_unit ? line.quantity : Decimal(1);
        f.freight = ROUND5(line.freight * units);
        f.load = ROUND5(line.load * units);
    }
    return f;
}

SaleFigures sum_lines(std::vector<SaleLine>& lines, const OtherCharges& others) {
    SaleFigures f;
    for (SaleLine& l : lines) f += line_share(l, others);
    return f;
}

}  // namespace qz::domain::pos
