#pragma once
// The walk order of a totals file, checked row by row as it loads: an
// account's row; when its hojyo marker is set, rows of its own sub-accounts
// and then one more row with the account's code, which closes the group.
// Every code once, the closing rows aside.
#include <cstdint>
#include <set>
#include <string>

namespace host {

class TotalsOrder {
public:
    // Where the order breaks: the line and column to name, and why.
    struct Break {
        int line = 0;
        const char* field = "";
        std::string message;
    };

    // The row on line; false with brk when it breaks the order.
    bool Next(int line, std::int32_t code, bool hojyo, Break& brk);
    // The end of the file; false with brk when a group is left open.
    bool End(Break& brk) const;

private:
    enum class State { kNone, kAccount, kSubs };
    State m_state = State::kNone;
    std::int32_t m_groupAccount = 0;
    int m_groupLine = 0;
    bool m_groupFlag = false;
    int m_lastLine = 0;
    std::set<std::int32_t> m_seen;
};

}  // namespace host
