#include "services/terminals/card_track.h"

#include <sodium.h>

#include <algorithm>

namespace qz::services::terminals {

namespace {

// Track 1 holds at most 19 digits of account number.
constexpr std::size_t kMaxNumber = 19;

bool all_digits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

TrackText::TrackText() { m_text.reserve(kMaxTrackText); }

TrackText::~TrackText() { clear(); }

bool TrackText::read_from(SerialPort& port) {
    const std::size_t used = m_text.size();
    if (used >= kMaxTrackText) return port.is_open();
    // Read straight into the reserved buffer: no intermediate copy to wipe.
    m_text.resize(kMaxTrackText);
    const long n = port.read(m_text.data() + used, kMaxTrackText - used);
    m_text.resize(used + static_cast<std::size_t>(std::max(n, 0L)));
    return n >= 0;
}

void TrackText::append(std::string_view bytes) {
    m_text.append(bytes.substr(0, kMaxTrackText - std::min(m_text.size(), kMaxTrackText)));
}

void TrackText::clear() {
    // The whole buffer, not only the characters in use: a longer reading may have been there.
    m_text.resize(m_text.capacity());
    if (!m_text.empty()) sodium_memzero(m_text.data(), m_text.size());
    m_text.clear();
}

TrackSplit split_track(std::string_view text) {
    const std::size_t end = text.find('?');
    if (end == std::string_view::npos)
        return {text.size() >= kMaxTrackText ? TrackStatus::Unreadable : TrackStatus::Incomplete,
                {}};
    const std::string_view track = text.substr(0, end);
    const std::size_t first = track.find('^');
    const std::size_t second = first == std::string_view::npos ? first : track.find('^', first + 1);
    if (first == std::string_view::npos || first <= 2 || second == std::string_view::npos ||
        track.size() < second + 5)
        return {TrackStatus::Unreadable, {}};
    const std::string_view number = track.substr(2, first - 2);
    const std::string_view expiry = track.substr(second + 1, 4);
    if (number.size() > kMaxNumber || !all_digits(number) || !all_digits(expiry))
        return {TrackStatus::Unreadable, {}};
    TrackSplit split{TrackStatus::Complete, CardReading{}};
    split.card->number.assign(number);
    split.card->name.assign(track.substr(first + 1, second - first - 1));
    split.card->expiry.assign(expiry);
    split.card->track.assign(text);
    return split;
}

}  // namespace qz::services::terminals
