// ANULA_DOC, "Anulación de Documentos": the valid documents of the business (annulled ones have
// left the browse's order), searched by typing a number or, sorted by customer, a customer's
// code; the annulment date below and "Anular" for the chosen one.
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "gui/browse/add2browse.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/masked_edit.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/framework/wdiag.h"
#include "gui/ledger/documents/annulment_screens.h"

namespace qz::gui {

namespace {

using namespace annul_ids;

constexpr int kAnnulmentScreen = 6519;

class DocumentAnnulment : public WDIAG {
public:
    DocumentAnnulment(QWidget* owner, data::Db& db, std::string business, std::string user)
        : WDIAG(owner, "ANULA_DOC", kAnnulmentScreen, {true, true}),
          m_db(db),
          m_business(std::move(business)),
          m_user(std::move(user)) {}

    bool Init() override {
        m_t = data::USE(m_db, "DOCUMENT", "DOCUMEN27");
        auto* layout = new QVBoxLayout(this);
        m_grid = Add(new WBLISTBOX(this, *m_t, "ANULA_DOC", kGrid), kGrid);
        MontarColumnas();
        layout->addWidget(m_grid, 1);
        auto* bottom = new QHBoxLayout;
        auto* form = new QFormLayout;
        auto* date = new LR_MASKED(this, kDate, m_db.clock().XDATE());
        date->setMaximumWidth(110);
        form->addRow(QString::fromUtf8("Fecha de Anulación:"), date);
        bottom->addLayout(form);
        bottom->addStretch();
        bottom->addWidget(Add(new QPushButton("Anular", this), kAnnul, [this] { ANULAR(); }));
        bottom->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
        layout->addLayout(bottom);
        setWindowTitle(QString::fromUtf8("Anulación de Documentos"));
        resize(900, 520);
        Create();
        BrowMarksOptions o;
        // Only the valid documents: their ANULADO is blank.
        o.scope_start = data::order_key("DOCUMENT", "DOCUMEN27", {m_business, std::string()});
        o.sortable = {{"DOCUMENTO", "DOCUMEN27"}, {"CLIENTE", "DOCUMEN28"}};
        o.no_marks = true;
        m_grid->BrowMarks(std::move(o));
        m_grid->Double_Block = [this] { ANULAR(); };
        return true;
    }

    void MontarColumnas() override {
        data::WDBTable& t = *m_t;
        // Extra pixels where a short code is narrower than its heading; the name, the widest
        // field, last so the amounts stay in sight.
        AGREGARCOL(*m_grid, t, "Documento", "DOCUMENTO");
        AGREGARCOL(*m_grid, t, "Concepto", "CONCEPTO", "", {}, 0, false, 40);
        AGREGARCOL(*m_grid, t, "Fecha", "FECHA", "", {}, 0, false, 16);
        AGREGARCOL(*m_grid, t, "Cliente", "CLIENTE");
        AGREGARCOL(*m_grid, t, "Moneda", "MONEDA", "", {}, 0, false, 40);
        AGREGARCOL(*m_grid, t, "Monto", "MONTO", "999,999,999.99");
        AGREGARCOL(*m_grid, t, "Saldo", "SALDO", "999,999,999.99");
        AGREGARCOL(*m_grid, t, "Nombre", "NOM_CLIENT");
    }

    void CerrarBases() override {
        if (m_grid) m_grid->DISABLE_BROWSE();
        if (m_t) data::KILLTABLA(m_db, m_t);
    }

    // Annuls the chosen document on the date typed; the browse drops it once annulled.
    void ANULAR() {
        const long recno = m_grid->nCrecNo();
        if (recno > 0) m_t->GoTo(recno);
        if (recno <= 0 || m_t->Eof()) {
            MESSAGE_BOX(this, "Debe seleccionar un documento", "Atencion",
                        kMbOk | kMbIconExclamation);
            return;
        }
        auto* date = control_as<LR_MASKED>(kDate);
        if (!date->commit()) return;
        QtUserPort port(this);
        const domain::AnnulmentRequest r{m_business, trim(m_t->str("DOCUMENTO")), m_user,
                                         date->date()};
        const auto result = domain::annul_document(
            m_db, port, r,
            [this](const domain::AnnulmentPreview& p) { return confirm_annulment(this, p); });
        if (result.status == domain::AnnulmentStatus::Annulled) m_grid->REFRESHALL();
    }

private:
    data::Db& m_db;
    std::string m_business, m_user;
    data::Table m_t;
    WBLISTBOX* m_grid = nullptr;
};

}  // namespace

WDIAG* open_document_annulment(QWidget* owner, data::Db& db, const std::string& business,
                               const std::string& user) {
    return open_screen<DocumentAnnulment>(owner, db, business, user);
}

}  // namespace qz::gui
