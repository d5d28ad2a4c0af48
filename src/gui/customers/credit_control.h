#pragma once
// LIM_CREDITO ("Control de Crédito"): stops an operation that takes a branch over its credit
// limit or past its overdue documents until it is authorised by the keys, by a standing
// pre-authorisation of the branch or by a remote answer, the last two polled every 5 seconds.
#include <string>

#include "data/db.h"
#include "domain/customers/credit_authorisations.h"
#include "domain/customers/customer_rows.h"
#include "gui/framework/dialog_box.h"

class QLineEdit;
class QPushButton;
class QTimer;

namespace qz::gui {

enum CreditControlField {
    kCcBalance = 601,
    kCcCredit,
    kCcOverdue,
    kCcLimit,
    kCcExcess,
    kCcDocuments = 610,
    kCcOverdueKey = 620,
    kCcExcessKey,
    kCcObservation,
    kCcRemoteId,
    kCcRemoteButton = 630,
};

struct CreditControlRequest {
    std::string business, customer, user;
    long user_number = 0;
    domain::customers::Branch branch;
    domain::customers::CreditFigures figures;
    bool info_only = false;  // figures only: no keys, no OK, "Salir"
    bool no_keys = false;    // only a pre-authorisation or a remote answer can authorise
    bool invoice = false;    // the observation goes with the invoice
    std::string module = "CXC", document;
};

struct CreditControlResult {
    bool accepted = false;
    std::string authorised_by, observation;
};

class LIM_CREDITO : public DIALOG_BOX {
    Q_OBJECT
public:
    static constexpr int kPollMs = 5000;
    LIM_CREDITO(QWidget* owner, data::Db& db, CreditControlRequest request);

    // One round of the poll: a covering pre-authorisation, then the answer to the request.
    void poll();
    void request_remote();
    QTimer* poll_timer() const { return m_timer; }
    const CreditControlResult& result() const { return m_result; }
    long remote_id() const { return m_remote_id; }

private:
    void try_keys();
    void build();
    void build_figures(class QFormLayout* form);
    void build_documents(class QVBoxLayout* into);
    void accept_as(const std::string& user);
    domain::customers::RemoteAsk ask() const;

    data::Db& m_db;
    CreditControlRequest m_req;
    CreditControlResult m_result;
    long m_remote_id = 0;
    QTimer* m_timer = nullptr;
    QLineEdit* m_overdue_key = nullptr;
    QLineEdit* m_excess_key = nullptr;
    QLineEdit* m_observation = nullptr;
    QLineEdit* m_id = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_remote = nullptr;
};

// The ledger's rates of `day`, as the credit figures convert documents into the limit's currency.
domain::customers::CreditRateLookup ledger_credit_rates(data::Db& db, const std::string& business,
                                                        const Date& day);

// Runs the dialog; a remote request it leaves unused is abandoned.
CreditControlResult run_credit_control(QWidget* owner, data::Db& db,
                                       const CreditControlRequest& request);

inline constexpr const char* kAutoConfirmed = "Autorización Automática Confirmada\rAutorizado por ";

}  // namespace qz::gui
