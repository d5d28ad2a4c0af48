#include "gui/deposits/deposit_print.h"

#include "domain/deposits/deposit_void.h"
#include "domain/pos/card_log.h"
#include "gui/deposits/deposit_text.h"
#include "gui/framework/message_box.h"
#include "gui/print/print_job.h"
#include "gui/print/setup_printer.h"
#include "services/print/print_ops.h"

namespace qz::gui {

namespace {

namespace dl = qz::domain;
namespace tx = deposit_text;

constexpr double kLabel = 0, kValue = 24, kAmount = 40, kSignatureWidth = 40;

// Rows of "label  value" under the page header, breaking the page when it is full.
class VoucherSheet {
public:
    explicit VoucherSheet(services::PrinterFunction& job) : m_job(job) {}

    void header() {
        m_row = services::HEADER(m_job) + 1;
        services::LETRAS(m_job);
    }
    void field(const std::string& label, const std::string& value) {
        if (value.empty()) return;
        services::PRINTOUT(m_job, m_row, kLabel, label + ":");
        services::PRINTOUT(m_job, m_row, kValue, value);
        next();
    }
    void text(double column, const std::string& value) {
        services::PRINTOUT(m_job, m_row, column, value);
    }
    void amount(double column, const Decimal& value) {
        services::PRINTOUT(m_job, m_row, column, value, "999,999,999.99");
    }
    void next(double rows = 1) {
        m_row += rows;
        services::NEXT_PAGE(m_job, [this] { header(); });
    }
    // A line to sign on, under the rows printed.
    void signature_rule() {
        services::SUBRAYA(m_job, m_row - 0.7, kLabel, kSignatureWidth);
        m_row += 0.3;
    }
    bool alive() const { return services::CANPRINT(m_job); }

private:
    services::PrinterFunction& m_job;
    double m_row = 0;
};

std::string with_name(const std::string& code, const std::string& name) {
    return name.empty() ? code : code + " " + name;
}

std::string stay(const dl::DepositHeader& h) {
    if (h.arrival.empty() && h.departure.empty()) return "";
    return tx::date(h.arrival) + " al " + tx::date(h.departure);
}

void draw_applications(VoucherSheet& out, const dl::DepositView& v) {
    if (v.record.applications.empty()) return;
    out.next();
    out.text(kLabel, "Reservaciones aplicadas:");
    out.next();
    for (const auto& a : v.record.applications) {
        if (!out.alive()) return;
        out.text(kLabel + 2, a.reservation);
        out.text(kValue, a.room_type + " / " + std::to_string(a.item));
        out.amount(kAmount, a.amount);
        out.next();
    }
}

void draw_card(VoucherSheet& out, const dl::DepositHeader& h) {
    if (h.card.empty()) return;
    out.field("Tarjeta", dl::pos::masked_card(h.card));
    out.field("Autorización", h.card_authorisation);
}

}  // namespace

void deposit_voucher_titles(services::PrinterFunction& job, const dl::DepositView& v) {
    job.TITLE1(kDepositVoucherTitle);
    std::string number = "Depósito #";
    number += v.record.header.movement;
    job.TITLE2(number);
    if (v.record.header.voided()) job.TITLE3("ANULADO");
}

void draw_deposit_voucher(services::PrinterFunction& job, const dl::DepositView& v) {
    const dl::DepositHeader& h = v.record.header;
    VoucherSheet out(job);
    out.header();
    if (h.voided()) {
        out.text(kLabel, "*** ANULADO ***  " + h.voided_by + " " + tx::date(h.voided_on));
        out.next(1.5);
    }
    out.field("Número", h.movement);
    out.field("Fecha", tx::date(h.date));
    out.field("Concepto", with_name(h.concept_code, v.concept_name));
    out.field("Hecho por", with_name(h.made_by, v.made_by_name));
    out.field("Nombre", h.full_name);
    out.field("Moneda", h.currency);
    out.field("Monto", tx::money(h.amount));
    out.field("Documento del depósito", h.number);
    out.field("Estadía", stay(h));
    out.field("Comentario", h.comment);
    draw_card(out, h);
    draw_applications(out, v);
    out.next(3);
    out.signature_rule();
    out.text(kLabel, "Firma");
}

void print_deposit_voucher(QWidget* owner, data::Db& db, const dl::Session& s,
                           const std::string& movement) {
    const auto v = dl::read_deposit_view(db, s.XU_COMP, movement);
    if (!v) {
        MESSAGE_BOX(owner, dl::kDepositMissing, "Atencion", kMbOk | kMbIconExclamation);
        return;
    }
    services::PrinterFunction job;
    prepare_job(job);
    deposit_voucher_titles(job, *v);
    if (!SETUPPRINTER(job, 1, false, owner)) return;
    // Appended piece by piece: GCC 12 misreads the inlined concatenation of a literal and warns.
    std::string name = kDepositVoucherTitle;
    name += " ";
    name += movement;
    if (START_DOC(owner, job, name)) draw_deposit_voucher(job, *v);
    RESETPRINT(owner, job);
}

}  // namespace qz::gui
