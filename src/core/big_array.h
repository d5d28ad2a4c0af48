#pragma once
// BIG_ARRAY: a list kept in blocks of at most 1000 items, so inserting near the front of a long
// list (rights, list boxes) moves one block instead of the whole list. Positions are 1-based.
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

class BIG_ARRAY {
public:
    static constexpr size_t kBlock = 1000;

    void BAADD(std::string item);
    void BAINS(size_t pos, std::string item);  // before `pos`; BLEN()+1 appends
    void BADEL(size_t pos);
    const std::string& GET(size_t pos) const;
    void PUT(size_t pos, std::string item);
    size_t BLEN() const { return m_count; }
    size_t XLEN() const { return m_blocks.size(); }    // number of blocks
    size_t XLEN(size_t block) const;                   // items in a block (1-based)
    void ZAP();
    // First position whose item equals `value` (ASCII case-insensitive), or with `prefix` true
    // begins with it; 0 when none.
    size_t BSEEK(std::string_view value, bool prefix = false) const;

private:
    // Block and offset of a 1-based position.
    std::pair<size_t, size_t> locate(size_t pos) const;
    std::vector<std::vector<std::string>> m_blocks;
    size_t m_count = 0;
};

}  // namespace qz
