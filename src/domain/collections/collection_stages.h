#pragma once
// The collections screen's rules: the stage tree with its counts, which documents a stage shows,
// and handing marked documents one stage forward to a collector (with the receipt's lines) or
// one stage back, in one transaction.
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "domain/collections/stage_authorisers.h"
#include "domain/collections/stage_chain.h"

namespace qz::domain {

struct StageNode {
    Stage stage;
    long count = 0;       // valid documents in it; 0 for a stage that is not counted
    std::string caption;  // the description, with the count when there is one
};

// One node per stage that is not hidden, in chain order.
std::vector<StageNode> collection_tree(data::Db& db, const std::string& business);

// The documents a stage lists: every valid one in the business's entry stage, else only the
// chosen collector's (none before a collector is chosen). `order` and `key` scope DOCUMENT.
struct StageScope {
    std::string order, key;
    bool empty = false;
};
StageScope collection_scope(const std::string& business, const std::string& entry_stage,
                            const std::string& stage, const std::string& collector, bool by_number);

struct CollectionMoveRequest {
    std::string business, stage, collector;
    std::vector<std::string> documents;  // marked
    StageAuthoriser authoriser;
    std::string reason;  // going back
    std::string user, info_user;
    Date date;
    std::string time;
};

// A document handed to the collector, for the receipt.
struct HandedDocument {
    std::string document, customer, name;
    Date date;
    Decimal amount;
};

struct CollectionMoveResult {
    bool moved = false;
    std::string message;                 // the refusal
    std::vector<HandedDocument> handed;  // forward moves
};

// Why a move cannot even be asked for, in the order the screen weighs it (stage, collector,
// marks, a stage to go to); "" when it may go on to its authorisation.
std::string collection_move_refusal(const StageChain& chain, const std::string& stage,
                                    const std::string& collector, bool any_marked, bool forward);

CollectionMoveResult move_collection_forward(data::Db& db, const CollectionMoveRequest& r);
CollectionMoveResult move_collection_back(data::Db& db, const CollectionMoveRequest& r);

inline constexpr const char* kNoStageChosen = "Debe seleccionar una etapa válida";
inline constexpr const char* kNoCollectorChosen = "Falta seleccionar un Cobrador";
inline constexpr const char* kNoDocumentsMarked =
    "Falta seleccionar las Facturas que se le asignaran al Cobrador";
inline constexpr const char* kNoLaterStage = "No hay etapas posteriores";
inline constexpr const char* kNoEarlierStage = "No hay etapas anteriores";
inline constexpr const char* kCollectionReceiptTitle =
    "Comprobante de Facturas Entregadas a Cobrador";

}  // namespace qz::domain
