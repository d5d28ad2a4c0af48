#include "domain/regular/regular_template.h"

#include "core/text.h"

namespace qz::domain::regular {

std::optional<GeneratedDocument> PASAFAC2(Generation& g, const RegularDocument& d) {
    if (!cut_off_allows(g, d)) return std::nullopt;
    const std::string code = trim(g.request.template_code).empty() ? trim(d.template_code)
                                                                   : trim(g.request.template_code);
    auto m = read_model(g.db, kTemplates, g.business, code);
    if (!m) {
        g.port.message(MsgStyle::Atencion, "Atencion", "No se encuentra la plantilla: " + code);
        return std::nullopt;
    }
    // The customer comes from the regular document, whatever the template was written for.
    m->header.customer = d.customer;
    m->header.branch = d.branch;
    m->header.name = d.name;
    return generate_from_model(g, d, {std::move(*m), true});
}

}  // namespace qz::domain::regular
