#include "domain/pos/sale_save.h"

namespace qz::domain::pos {

SaleSave::SaleSave(data::Db& db, UserPort& port, SaleSaveHooks& hooks, CardTerminal& terminal)
    : m_db(db), m_port(port), m_hooks(hooks), m_terminal(terminal) {}

std::optional<SavedSale> SaleSave::PROC_BOK(SaleDraft&, std::vector<TenderRow>&, const SaleExtras&,
                                            const SaleSaveContext&) {
    // Placeholder while the save is written on its own branch: refuse rather than pretend.
    m_port.message(MsgStyle::Error, "Error", kSaleFailed);
    return std::nullopt;
}

}  // namespace qz::domain::pos
