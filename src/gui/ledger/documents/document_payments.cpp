#include "gui/ledger/documents/document_payments.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "domain/ledger/document_reads.h"
#include "gui/framework/message_box.h"
#include "gui/framework/wdiag.h"
#include "gui/ledger/documents/document_data.h"
#include "gui/ledger/documents/value_table.h"

namespace qz::gui {

namespace {

using namespace document_payments;
namespace dl = qz::domain;

class AppliedMovementsWindow : public WDIAG {
public:
    AppliedMovementsWindow(QWidget* owner, dl::DocumentHeader document,
                           std::vector<dl::AppliedMovement> movements)
        : WDIAG(owner, "V_AB_FAC", 0, ScreenOptions{true, true}),
          m_document(std::move(document)),
          m_movements(std::move(movements)) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        const dl::DocumentHeader& d = m_document;
        layout->addWidget(
            Add(new QLabel(
                    QString::fromStdString("Documento: " + d.number + "   Cliente: " + d.customer +
                                           " " + d.name + "   Moneda: " + d.currency.code),
                    this),
                kHeading));
        auto* table = Add(value_table(this,
                                      {"Recibo", "Fecha", "Concepto", "Descripción", "Monto",
                                       "Interés", "Mora", "Saldo Anterior", "Saldo", "Anulado"},
                                      kDescriptionCol),
                          kMovements);
        put_rows(*table, rows(), {kAmountCol, kInterestCol, kLateCol, kBeforeCol, kAfterCol});
        layout->addWidget(table, 1);
        layout->addWidget(Add(new QLabel(QString::fromStdString(totals_text()), this), kTotals));
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
        layout->addLayout(buttons);
        Text("Movimientos Aplicados a Documento " + d.number);
        resize(980, 420);
        Create();
        return true;
    }

private:
    std::vector<std::vector<std::string>> rows() const {
        std::vector<std::vector<std::string>> out;
        for (const auto& m : m_movements)
            out.push_back(
                {m.movement, shown_date(m.date), m.concept_code.shown(), m.description,
                 shown_money(m.amount), shown_money(m.interest), shown_money(m.late_interest),
                 shown_money(m.balance_before), shown_money(m.balance_after),
                 m.annulled_by.empty() ? ""
                                       : std::string(dl::kAnnulledMark) + " " + m.annulled_by});
        return out;
    }

    std::string totals_text() const {
        return "Monto: " + shown_money(m_document.amount) +
               "    Saldo: " + shown_money(m_document.balance) +
               "    Movimientos: " + std::to_string(m_movements.size());
    }

    dl::DocumentHeader m_document;
    std::vector<dl::AppliedMovement> m_movements;
};

}  // namespace

void V_AB_FAC(QWidget* owner, data::Db& db, const std::string& business,
              const std::string& document) {
    auto header = dl::read_document_header(db, business, document);
    if (!header) {
        MESSAGE_BOX(owner, kNoSuchDocument, "Atencion", kMbOk | kMbIconExclamation);
        return;
    }
    open_screen<AppliedMovementsWindow>(owner, std::move(*header),
                                        dl::document_movements(db, business, document));
}

}  // namespace qz::gui
