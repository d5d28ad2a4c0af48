// Feeds arbitrary bytes from the stripe reader to the track splitter, whole and in two pieces as
// polls would see them: nothing may crash, and a card comes back only whole — a number of
// digits, a four-digit expiry, all of it taken from the text read.
#include <cstdint>
#include <string>
#include <string_view>

#include "services/terminals/card_track.h"

namespace {

using qz::services::terminals::split_track;
using qz::services::terminals::TrackStatus;
using qz::services::terminals::TrackText;

bool digits(const std::string& s) {
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

void check(std::string_view text) {
    auto split = split_track(text);
    if ((split.status == TrackStatus::Complete) != split.card.has_value()) __builtin_trap();
    if (!split.card) return;
    const auto& card = *split.card;
    if (card.number.empty() || !digits(card.number) || card.expiry.size() != 4 ||
        !digits(card.expiry) || card.track != text ||
        text.find(card.number) == std::string_view::npos ||
        text.find(card.name) == std::string_view::npos)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    check(input);
    TrackText text;
    const std::size_t cut = size == 0 ? 0 : data[0] % (size + 1);
    text.append(input.substr(0, cut));
    check(text.text());
    text.append(input.substr(cut));
    if (text.text().size() > qz::services::terminals::kMaxTrackText) __builtin_trap();
    check(text.text());
    return 0;
}
