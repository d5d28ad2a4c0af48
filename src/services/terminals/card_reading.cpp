#include "services/terminals/card_attempt.h"
#include "services/terminals/card_service.h"

namespace qz::services::terminals {

namespace {

void wipe_all(CardReading& c) {
    for (std::string* s : {&c.number, &c.name, &c.expiry, &c.track}) wipe(*s);
}

}  // namespace

CardReading::CardReading(CardReading&& other) noexcept
    : number(other.number), name(other.name), expiry(other.expiry), track(other.track) {
    wipe_all(other);
}

CardReading& CardReading::operator=(CardReading&& other) noexcept {
    if (this != &other) {
        wipe_all(*this);
        number = other.number;
        name = other.name;
        expiry = other.expiry;
        track = other.track;
        wipe_all(other);
    }
    return *this;
}

CardReading::~CardReading() { wipe_all(*this); }

}  // namespace qz::services::terminals
