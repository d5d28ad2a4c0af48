#include "core/big_array.h"

#include "core/text.h"

namespace qz {

std::pair<size_t, size_t> BIG_ARRAY::locate(size_t pos) const {
    if (pos < 1 || pos > m_count) throw std::out_of_range("BIG_ARRAY: posición fuera de rango");
    size_t rest = pos - 1;
    for (size_t b = 0; b < m_blocks.size(); ++b) {
        if (rest < m_blocks[b].size()) return {b, rest};
        rest -= m_blocks[b].size();
    }
    throw std::out_of_range("BIG_ARRAY: posición fuera de rango");
}

void BIG_ARRAY::BAADD(std::string item) {
    if (m_blocks.empty() || m_blocks.back().size() >= kBlock) m_blocks.emplace_back();
    m_blocks.back().push_back(std::move(item));
    ++m_count;
}

void BIG_ARRAY::BAINS(size_t pos, std::string item) {
    if (pos == m_count + 1) return BAADD(std::move(item));
    auto [b, off] = locate(pos);
    auto& block = m_blocks[b];
    block.insert(block.begin() + static_cast<long>(off), std::move(item));
    ++m_count;
    if (block.size() > kBlock) {
        // Split the full block in two halves so later inserts stay cheap.
        std::vector<std::string> tail(std::make_move_iterator(block.begin() + kBlock / 2),
                                      std::make_move_iterator(block.end()));
        block.resize(kBlock / 2);
        m_blocks.insert(m_blocks.begin() + static_cast<long>(b) + 1, std::move(tail));
    }
}

void BIG_ARRAY::BADEL(size_t pos) {
    auto [b, off] = locate(pos);
    auto& block = m_blocks[b];
    block.erase(block.begin() + static_cast<long>(off));
    if (block.empty()) m_blocks.erase(m_blocks.begin() + static_cast<long>(b));
    --m_count;
}

const std::string& BIG_ARRAY::GET(size_t pos) const {
    auto [b, off] = locate(pos);
    return m_blocks[b][off];
}

void BIG_ARRAY::PUT(size_t pos, std::string item) {
    auto [b, off] = locate(pos);
    m_blocks[b][off] = std::move(item);
}

size_t BIG_ARRAY::XLEN(size_t block) const {
    return block >= 1 && block <= m_blocks.size() ? m_blocks[block - 1].size() : 0;
}

void BIG_ARRAY::ZAP() {
    m_blocks.clear();
    m_count = 0;
}

size_t BIG_ARRAY::BSEEK(std::string_view value, bool prefix) const {
    size_t pos = 0;
    for (const auto& block : m_blocks)
        for (const auto& item : block) {
            ++pos;
            std::string_view v = item;
            if (prefix && v.size() >= value.size()) v = v.substr(0, value.size());
            if (iequals(v, value)) return pos;
        }
    return 0;
}

}  // namespace qz
