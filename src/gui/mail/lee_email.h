#pragma once
// LEE_EMAIL: where the file to mail is, who gets it, and whether the mail service is alive.
#include <optional>
#include <string>

class QWidget;

namespace qz::gui {

struct MailTarget {
    std::string folder, file, address;
};

// Ids of the dialog's controls.
enum LeeEmailId {
    kLeeRecipient = 501,
    kLeeState1 = 502,
    kLeeState2 = 503,
    kLeeFolder = 504,
    kLeeFile = 505
};

// Shows the dialog with `proposed`; `heartbeat_age` is GET_HEARTBEAT's answer. Returns the
// target once OK found the file and a valid address; nullopt when cancelled.
std::optional<MailTarget> LEE_EMAIL(QWidget* owner, const MailTarget& proposed, long heartbeat_age);

}  // namespace qz::gui
