#include "gui/ledger/documents/document_data.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "domain/ledger/document_reads.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/message_box.h"
#include "gui/framework/tab_pages.h"
#include "gui/ledger/documents/value_table.h"

namespace qz::gui {

namespace {

using namespace document_data;
namespace dl = qz::domain;

std::string at_time(const Date& date, const std::string& time) {
    return trim(shown_date(date) + " " + time);
}

std::string percent(const Decimal& value) { return value.round(3).to_string(2); }

class DocumentDataDialog : public DIALOG_BOX {
public:
    DocumentDataDialog(QWidget* owner, dl::DocumentData data)
        : DIALOG_BOX("DATOS_DOC", owner), m_data(std::move(data)) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* pages = Add(new TabPages(this), kPages);
        header_page(pages->ADDTABPAGE("Documento"));
        lines_page(pages->ADDTABPAGE("Artículos"));
        extra_page(pages->ADDTABPAGE("Datos Adicionales"));
        instalments_page(pages->ADDTABPAGE("Plazos"));
        layout->addWidget(pages);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
        layout->addLayout(buttons);
        Text("Datos del Documento " + m_data.header.number);
        resize(820, 520);
        return true;
    }

private:
    // A read-only value with its label at (row, pair) of a two-pair grid.
    void value(QGridLayout* grid, int row, int pair, int id, const char* label,
               const std::string& text) {
        auto* edit = new QLineEdit(QString::fromStdString(text), grid->parentWidget());
        edit->setReadOnly(true);
        edit->setCursorPosition(0);  // a long value shows its beginning
        if (id) Add(edit, id);
        grid->addWidget(new QLabel(QString::fromUtf8(label), grid->parentWidget()), row, pair * 2);
        grid->addWidget(edit, row, pair * 2 + 1);
    }

    void header_page(QWidget* page) {
        const dl::DocumentHeader& h = m_data.header;
        auto* grid = new QGridLayout(page);
        const struct {
            int id;
            const char* label;
            std::string text;
        } fields[] = {
            {kNumber, "Documento:", h.number},
            {kConcept, "Concepto:", h.concept_code.shown()},
            {kCustomer, "Cliente:", h.customer},
            {kBranch, "Sucursal:", h.branch},
            {kName, "Nombre:", h.name},
            {kLegalId, "Cédula:", h.legal_id},
            {kDate, "Fecha:", at_time(h.date, h.time)},
            {kDue, "Vence:", shown_date(h.due)},
            {kCurrency, "Moneda:", h.currency.shown()},
            {kRate, "Tipo Cambio:", h.rate.to_string(5)},
            {kGross, "Monto Bruto:", shown_money(h.gross.round(2))},
            {kAmount, "Monto:", shown_money(h.amount)},
            {kBalance, "Saldo:", shown_money(h.balance)},
            {kPaid, "Abonos:", shown_money(h.amount - h.balance)},
            {kNormalInterest, "% Interés Normal:", percent(h.normal_interest)},
            {kLateInterest, "% Interés Mora:", percent(h.late_interest)},
            {kInterest, "Intereses:", shown_money(h.interest)},
            {kInstalment, "Cuota:", shown_money(h.instalment)},
            {kAgent, "Agente:", h.agent.shown()},
            {kRegister, "Caja:", h.cash_register},
            {kUser, "Usuario:", h.user},
            {kUserInfo, "Info Usuario:", h.user_info},
            {kUsed, "Utilizado:", std::to_string(h.used)},
            {kUsedInfo, "Info Utilización:", h.used_info},
            {kAnnulled, "Anulado con:", h.annulled_by},
            {kAnnulledOn, "Fecha Anulación:", at_time(h.annulled_on, h.annulled_at)},
        };
        int i = 0;
        for (const auto& f : fields) {
            value(grid, i / 2, i % 2, f.id, f.label, f.text);
            ++i;
        }
        const int row = (i + 1) / 2;
        grid->addWidget(new QLabel("Descripción:", page), row, 0, Qt::AlignTop);
        auto* text =
            Add(new QPlainTextEdit(QString::fromStdString(h.description), page), kDescription);
        text->setReadOnly(true);
        grid->addWidget(text, row, 1, 1, 3);
        if (h.annulled()) {
            auto* mark = new QLabel(dl::kAnnulledMark, page);
            mark->setStyleSheet("color: rgb(190,30,30); font-weight: bold;");
            grid->addWidget(mark, row + 1, 1);
        }
    }

    void lines_page(QWidget* page) {
        auto* layout = new QVBoxLayout(page);
        auto* table = Add(value_table(page,
                                      {"#", "Código", "Descripción", "Cantidad", "Precio",
                                       "% Desc.", "Descuento", "% Imp.", "Impuesto", "Total"},
                                      2),
                          kLines);
        std::vector<std::vector<std::string>> rows;
        for (const auto& l : m_data.lines)
            rows.push_back({std::to_string(l.index), l.code, l.description,
                            l.quantity.round(3).to_string(3), shown_money(l.price.round(2)),
                            percent(l.discount_pct), shown_money(l.amounts.discount),
                            percent(l.tax_pct), shown_money(l.amounts.tax),
                            shown_money(l.amounts.net())});
        put_rows(*table, rows, {3, 4, 5, 6, 7, 8, 9});
        layout->addWidget(table);
        const dl::LineAmounts& t = m_data.totals;
        layout->addWidget(
            Add(new QLabel(QString::fromStdString("Subtotal: " + shown_money(t.gross) +
                                                  "    Descuento: " + shown_money(t.discount) +
                                                  "    Impuesto: " + shown_money(t.tax) +
                                                  "    Total: " + shown_money(t.net())),
                           page),
                kTotals));
    }

    void extra_page(QWidget* page) {
        auto* form = new QFormLayout(page);
        if (!m_data.extra) {
            form->addRow(
                Add(new QLabel("El documento no tiene datos adicionales", page), kNoExtra));
            return;
        }
        const dl::DocumentExtra& e = *m_data.extra;
        const std::pair<const char*, std::string> rows[] = {
            {"Atención:", e.attention},
            {"Teléfono:", e.phone},
            {"Fax:", e.fax},
            {"Dirección:", e.address},
            {"Nombre 2:", e.name2},
            {"Atención 2:", e.attention2},
            {"Teléfono 2:", e.phone2},
            {"Fax 2:", e.fax2},
            {"Dirección 2:", e.address2},
            {"Transporte:", e.transport},
            {"Placa:", e.plate},
            {"Chofer:", e.driver},
            {"Cédula Chofer:", e.driver_id},
            {"Valor Documento:", shown_money(e.credit_value)},
            {"Condición de Pago:", e.payment_terms},
            {"Observaciones Crédito:", e.credit_notes},
            {"Crédito Aprobado:", e.credit_approved ? "Sí" : "No"},
            {"Imagen:", e.image},
        };
        for (const auto& [label, text] : rows) {
            auto* edit = new QLineEdit(QString::fromStdString(text), page);
            edit->setReadOnly(true);
            edit->setCursorPosition(0);
            form->addRow(QString::fromUtf8(label), edit);
        }
    }

    void instalments_page(QWidget* page) {
        auto* layout = new QVBoxLayout(page);
        auto* table = Add(value_table(page, {"Vence", "Monto", "Interés"}), kInstalments);
        std::vector<std::vector<std::string>> rows;
        for (const auto& i : m_data.instalments)
            rows.push_back({shown_date(i.due), shown_money(i.amount), shown_money(i.interest)});
        put_rows(*table, rows, {1, 2});
        layout->addWidget(table);
    }

    dl::DocumentData m_data;
};

}  // namespace

void open_document_data(QWidget* owner, data::Db& db, const std::string& business,
                        const std::string& document) {
    auto data = dl::read_document_data(db, business, document);
    if (!data) {
        MESSAGE_BOX(owner, kNoSuchDocument, "Atencion", kMbOk | kMbIconExclamation);
        return;
    }
    DocumentDataDialog dialog(owner, std::move(*data));
    dialog.run();
}

}  // namespace qz::gui
