// Taking a stripe reading apart: a whole track gives its pieces, and only once it ends; anything
// less is refused whole, never a card with an empty or shifted number; the reading's buffer
// neither grows past the reader's size nor keeps the card once cleared.
#include "services/terminals/card_track.h"

#include <gtest/gtest.h>

#include <cstring>

namespace qz::services::terminals {
namespace {

TEST(CardTrack, AWholeTrackGivesNumberNameExpiryAndTheWholeTextOnlyOnceItEnds) {
    const std::string text = "%B4111111111111111^PEREZ/ANA^2612101?;4111111111111111=2612?";
    for (std::size_t cut : {0ul, 2ul, 18ul, 28ul, 33ul, 36ul})
        EXPECT_EQ(split_track(text.substr(0, cut)).status, TrackStatus::Incomplete) << cut;
    TrackSplit split = split_track(text);
    ASSERT_EQ(split.status, TrackStatus::Complete);
    EXPECT_EQ(split.card->number, "4111111111111111");
    EXPECT_EQ(split.card->name, "PEREZ/ANA");
    EXPECT_EQ(split.card->expiry, "2612");
    EXPECT_EQ(split.card->track, text);
    EXPECT_EQ(split_track("%B5500000000000004^^2501?").card->name, "");
}

TEST(CardTrack, AnEndedTextWithoutEveryPieceIsUnreadableNeverAHalfCard) {
    for (const char* text : {
             "?", "%B?", "%B4111111111111111?", ";4111111111111111=2612101?",
             "%B^PEREZ/ANA^2612?",                             // no number
             "^4111111111111111^PEREZ^2612?",                  // "^" before the third character
             "%B4111111111111111^PEREZ/ANA?",                  // one "^"
             "%B4111111111111111^PEREZ/ANA^26?",               // short expiry
             "%B4111111111111111^PEREZ/ANA^26A2?",             // expiry not digits
             "%B4111 1111 1111 1111^PEREZ^2612?",              // number not digits
             "%B41111111111111111111^PEREZ^2612?",             // 20 digits
             ";4111=2612?%B4111111111111111^PEREZ/ANA^2612?",  // pieces after the first end
         }) {
        TrackSplit split = split_track(text);
        EXPECT_EQ(split.status, TrackStatus::Unreadable) << text;
        EXPECT_FALSE(split.card) << text;
    }
    const std::string noise(kMaxTrackText, 'x');
    EXPECT_EQ(split_track(noise).status, TrackStatus::Unreadable);
    EXPECT_EQ(split_track(noise.substr(1)).status, TrackStatus::Incomplete);
}

TEST(CardTrack, TheReadingKeepsItsBufferAndWipesItWhenCleared) {
    TrackText text;
    const char* buffer = text.text().data();
    text.append("%B4111111111111111^PEREZ");
    text.append(std::string(3 * kMaxTrackText, '7'));
    EXPECT_TRUE(text.full());
    EXPECT_EQ(text.text().size(), kMaxTrackText);
    EXPECT_EQ(text.text().data(), buffer) << "the buffer was given back with the card in it";
    text.clear();
    ASSERT_EQ(text.text().data(), buffer);
    EXPECT_EQ(std::memcmp(buffer, std::string(kMaxTrackText, '\0').data(), kMaxTrackText), 0);
}

}  // namespace
}  // namespace qz::services::terminals
