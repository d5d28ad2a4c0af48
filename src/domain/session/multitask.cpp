#include "domain/session/multitask.h"

namespace qz::domain {

namespace {

// Keeps XINMULTITASK set while breathing, also when a dispatched handler throws.
class Guard {
public:
    explicit Guard(int& flag) : m_flag(flag) { m_flag = 1; }
    ~Guard() { m_flag = 0; }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    int& m_flag;
};

}  // namespace

void MULTITASK(AppSettings& s, UserPort& port, int rounds, bool force) {
    if (s.XINMULTITASK) return;
    auto& [counter, period] = s.XMULTITASK;
    if (period != 0 && !force && counter % period != 0) {
        ++counter;
        return;
    }
    counter = 1;
    Guard guard(s.XINMULTITASK);
    for (int i = 0; i < rounds; ++i) port.breathe();
}

}  // namespace qz::domain
