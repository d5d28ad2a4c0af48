#pragma once
// Blocks (BLQ_CXC): a pair of document classifications #1 and #2 reserved for a sales agent, for
// a pre-sale or a reservation. A pair is held by one block at most, so two agents never sell the
// same pair.
#include <optional>
#include <string>
#include <vector>

#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain::customers {

// MOTIVO of a block.
enum BlockReason { kPreSale = 0, kReserved = 1 };

struct Block {
    long recno = 0;
    std::string clas1, clas2, agent, document, observation, user;
    int reason = kPreSale;
};
Block block_from_row(const data::WDBTable& t);

std::vector<Block> blocks(data::Db& db, const std::string& business);
// Saves the block stamped with `user` (recno 0 appends). Refuses a missing agent or class and a
// pair another block holds; returns the refusal, or nothing once it is written.
std::optional<std::string> save_block(data::Db& db, const std::string& business, Block b,
                                      const std::string& user);
void delete_block(data::Db& db, long recno);

// The captions of MOTIVO, by its value.
const char* block_reason_name(int reason);

inline constexpr const char* kNoAgent = "Falta seleccionar el agente vendedor";
inline constexpr const char* kNoClass1 = "Falta seleccionar la clase 1";
inline constexpr const char* kNoClass2 = "Falta seleccionar la clase 2";
inline constexpr const char* kDeleteBlock = "¿Desea quitar el bloqueo?";
// The refusal of a pair already held, naming the block that holds it.
std::string pair_taken_message(const Block& holder);

}  // namespace qz::domain::customers
