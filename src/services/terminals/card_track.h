#pragma once
// What the stripe reader sends, kept and taken apart. A track-1 reading looks like
// "%B4111111111111111^DOE/JOHN^2512...?": the number runs from the third character to the first
// "^", the name lies between the first and the second "^", the expiry (YYMM) is the four
// characters after the second, and "?" ends the track.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "services/terminals/card_service.h"
#include "services/terminals/serial_port.h"

namespace qz::services::terminals {

// The most a reading may hold (the reader's buffer): a text this long without an end is noise.
inline constexpr std::size_t kMaxTrackText = 2048;

// The text read so far. Its buffer is taken whole at the start and never grows, so no copy of
// the card is left behind in memory given back; clearing and destruction wipe it.
class TrackText {
public:
    TrackText();
    ~TrackText();
    TrackText(const TrackText&) = delete;
    TrackText& operator=(const TrackText&) = delete;

    // Appends what the port has, up to kMaxTrackText in all. False when the line failed.
    bool read_from(SerialPort& port);
    // Appends bytes as the port would (what does not fit is dropped).
    void append(std::string_view bytes);
    std::string_view text() const { return m_text; }
    bool full() const { return m_text.size() >= kMaxTrackText; }
    void clear();

private:
    std::string m_text;
};

enum class TrackStatus {
    Incomplete,  // no end yet: keep reading
    Unreadable,  // ended (or filled up) without a whole card: swipe again
    Complete,
};

struct TrackSplit {
    TrackStatus status = TrackStatus::Incomplete;
    std::optional<CardReading> card;  // only when complete
};

// Takes a reading apart once it holds "?". A card comes back only whole: a number of digits, both
// "^" and a four-digit expiry, all before the first "?"; anything less is unreadable rather than
// a card with missing or shifted pieces. The whole text is the card's track.
TrackSplit split_track(std::string_view text);

}  // namespace qz::services::terminals
