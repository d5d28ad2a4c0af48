#pragma once
// The screens of credit authorisation beside the credit control: the standing pre-authorisations
// of branches (AUT_CREDITO), the blocks of classification pairs (BROW_BLQ), the approver's list of
// remote requests and the business's two credit keys.
#include <functional>
#include <string>

#include "data/db.h"
#include "gui/framework/wdiag.h"

class QTableWidget;
class QTimer;

namespace qz::gui {

class MasterListScreen;

// "Autorizaciones de Crédito" (6588): add, modify and delete through E_AUT_CREDITO.
MasterListScreen* open_pre_authorisations(QWidget* owner, data::Db& db,
                                          const std::string& business, const std::string& user);
// "Bloqueos de Clasificaciones" (6589): add, modify and remove through BLOQ_CXC.
MasterListScreen* open_blocks(QWidget* owner, data::Db& db, const std::string& business,
                              const std::string& user);
// BLOQ_CXC for a new block, its document already filled in when one is given (the document
// viewer opens it so); true once a block was saved.
bool add_block(QWidget* owner, data::Db& db, const std::string& business, const std::string& user,
               const std::string& document = "");

// Field ids of E_AUT_CREDITO and BLOQ_CXC.
enum PreAuthorisationField {
    kAutCustomer = 501,
    kAutBranch,
    kAutExcess,
    kAutMaxExcess,
    kAutOverdue,
    kAutMaxOverdue,
};
enum BlockField { kBlqAgent = 511, kBlqClass1, kBlqClass2, kBlqDocument, kBlqObservation, kBlqReason };

// "Autorizaciones Remotas" (6590): the business's open requests, read again every few seconds,
// each approved or rejected in the user's name.
class RemoteApprovalScreen : public WDIAG {
public:
    static constexpr int kRefreshMs = 3000;
    enum Control { kGrid = 500, kApprove = 201, kReject = 202 };
    // `timer` null: a timer of the screen's own; tests hand one they fire themselves.
    RemoteApprovalScreen(QWidget* owner, data::Db& db, std::string business, std::string user,
                         QTimer* timer = nullptr);

    bool Init() override;
    void APROBAR();
    void RECHAZAR();
    void refresh();
    QTableWidget* grid() const { return m_grid; }
    QTimer* timer() const { return m_timer; }

private:
    void answer(bool approve);

    data::Db& m_db;
    std::string m_business, m_user;
    QTimer* m_timer;
    QTableWidget* m_grid = nullptr;
};
RemoteApprovalScreen* open_remote_approvals(QWidget* owner, data::Db& db,
                                            const std::string& business, const std::string& user);
RemoteApprovalScreen* as_remote_approvals(QWidget* screen);

// "Claves de Autorización de Crédito" (6591): each key typed twice; a blank key stays unchanged.
bool run_credit_keys(QWidget* owner, data::Db& db, const std::string& business);
enum CreditKeysField { kKeyOverdue = 521, kKeyOverdueAgain, kKeyExcess, kKeyExcessAgain };

inline constexpr const char* kAnsweredElsewhere =
    "La solicitud ya fue atendida en otra estación o fue abandonada";

}  // namespace qz::gui
