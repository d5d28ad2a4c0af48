#pragma once
// MESSAGE_BOX: every message box of the system goes through here, so the titles, icons and
// answers are the system's and tests can answer boxes without showing them.
//
// Styles are the system's numbers: the buttons (0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore,
// 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel) plus the icon (16 stop, 32 question,
// 48 exclamation, 64 information). The answer is the id of the pressed button.
#include <deque>
#include <string>
#include <vector>

#include "core/user_port.h"

class QWidget;

namespace qz::gui {

inline constexpr int kMbOk = 0, kMbOkCancel = 1, kMbAbortRetryIgnore = 2, kMbYesNoCancel = 3,
                     kMbYesNo = 4, kMbRetryCancel = 5;
inline constexpr int kMbIconStop = 16, kMbIconQuestion = 32, kMbIconExclamation = 48,
                     kMbIconInformation = 64;
inline constexpr int kIdOk = 1, kIdCancel = 2, kIdAbort = 3, kIdRetry = 4, kIdIgnore = 5,
                     kIdYes = 6, kIdNo = 7;

// Shows the box owned by `parent` (the main window when null) and returns the pressed button's
// id. Escape or closing the box answers Cancel, or No, Ignore or OK when there is no Cancel.
int MESSAGE_BOX(QWidget* parent, const std::string& text, const std::string& title, int style);

// The button a box answers when the user just presses Enter.
int default_answer(int style);

// The title and style the system uses for each kind of message.
std::string title_of(MsgStyle style);
int style_of(MsgStyle style);

// While alive, message boxes are not shown: each is recorded and answered from the queue, or
// with its default button when the queue is empty. Scripts nest; the innermost answers.
class MessageBoxScript {
public:
    struct Shown {
        std::string title, text;
        int style = 0;
        int answer = 0;
    };

    MessageBoxScript();
    ~MessageBoxScript();
    MessageBoxScript(const MessageBoxScript&) = delete;
    MessageBoxScript& operator=(const MessageBoxScript&) = delete;

    // Queues the answer of the next box not yet answered.
    MessageBoxScript& then(int answer);
    const std::vector<Shown>& shown() const { return m_shown; }
    // Text of the last box, "" when none was shown.
    std::string last_text() const;

    // Used by MESSAGE_BOX.
    static MessageBoxScript* active();
    int answer(const std::string& title, const std::string& text, int style);

private:
    std::deque<int> m_answers;
    std::vector<Shown> m_shown;
    MessageBoxScript* m_previous;
};

}  // namespace qz::gui
