#include "services/regular/regular_mail.h"

#include "core/datetime_text.h"
#include "core/text.h"
#include "domain/customers/customer_rows.h"
#include "services/mail/mail_file_step.h"
#include "services/mail/mail_queue.h"

namespace qz::services {

namespace {

// The branch's address: the named branch, or the principal one for a blank branch.
std::string branch_email(data::Db& db, const std::string& business,
                         const domain::regular::GeneratedDocument& d) {
    for (const auto& b : domain::customers::customer_branches(db, business, d.customer))
        if (d.branch.empty() ? b.branch.principal : b.branch.code == d.branch)
            return trim(b.branch.email);
    return "";
}

std::string body(const domain::regular::GeneratedDocument& d) {
    return "Documento: " + d.number + "\nFecha: " + d.date.dtoc4() + "\nPeriodo: " + d.period +
           "\nMonto: " + d.currency + " " + d.amount.to_string(2);
}

}  // namespace

long queue_regular_mail(data::Db& db, const domain::AppSettings& settings, const MailPaths& paths,
                        UserPort& port, const std::string& business,
                        const std::vector<domain::regular::GeneratedDocument>& documents) {
    const std::string unit = business_unit_name(db, business).value_or(business);
    long queued = 0;
    for (const auto& d : documents) {
        const std::string to = branch_email(db, business, d);
        if (!VALID_EMAIL(to)) continue;
        NotificationArgs a;
        a.business = business;
        a.unit_name = unit;
        a.to = to;
        a.subject = "Factura " + d.number + " " + d.period;
        a.title = "Factura " + d.number;
        a.body = body(d);
        if (SEND_NOTIFICATION(db, settings, paths, port, a)) ++queued;
    }
    return queued;
}

}  // namespace qz::services
