#include "core/user_port.h"

#include <cstdio>

namespace qz {

namespace {
class SilentWait : public WaitWindow {
public:
    void put_text(const std::string&) override {}
    void progress(long, long) override {}
    bool cancelled() override { return false; }
};
}  // namespace

void ConsoleUserPort::message(MsgStyle, const std::string& title, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

bool ConsoleUserPort::confirm(const std::string& title, const std::string& text) {
    std::fprintf(stderr, "%s: %s (no)\n", title.c_str(), text.c_str());
    return false;
}

std::unique_ptr<WaitWindow> ConsoleUserPort::wait(const std::string&) {
    return std::make_unique<SilentWait>();
}

}  // namespace qz
