// The walk order of a totals file, checked row by row.
#include "host/totals_order.h"

#include <utility>

namespace host {
namespace {

constexpr const char* kNoSubRows = "補助科目ありの科目ですが、補助科目の行が続きません";

bool Broken(TotalsOrder::Break& brk, int line, const char* field, std::string message) {
    brk.line = line;
    brk.field = field;
    brk.message = std::move(message);
    return false;
}

}  // namespace

bool TotalsOrder::Next(int line, std::int32_t code, bool hojyo, Break& brk) {
    m_lastLine = line;
    const std::int32_t account = code / 10000;
    if (code % 10000 != 0) {
        if ((m_state != State::kAccount && m_state != State::kSubs) || account != m_groupAccount) {
            return Broken(brk, line, "account", "補助科目の前に、その科目の行がありません");
        }
        if (m_state == State::kAccount && !m_groupFlag) {
            return Broken(brk, m_groupLine, "hojyo", "補助科目の行が続く科目は hojyo を 1 にしてください");
        }
        if (!m_seen.insert(code).second) return Broken(brk, line, "sub", "補助科目が重複しています");
        m_state = State::kSubs;
        return true;
    }
    if (m_state == State::kSubs) {
        if (account != m_groupAccount) {
            return Broken(brk, line, "account",
                          "補助科目の後に科目 " + std::to_string(m_groupAccount) +
                              " の締めの行 (補助コード 0) がありません");
        }
        m_state = State::kNone;  // the group's closing row
        return true;
    }
    if (m_state == State::kAccount && m_groupFlag) return Broken(brk, m_groupLine, "hojyo", kNoSubRows);
    if (!m_seen.insert(code).second) return Broken(brk, line, "account", "科目が重複しています");
    m_state = State::kAccount;
    m_groupAccount = account;
    m_groupLine = line;
    m_groupFlag = hojyo;
    return true;
}

bool TotalsOrder::End(Break& brk) const {
    if (m_state == State::kSubs) {
        return Broken(brk, m_lastLine, "account",
                      "ファイルの終わりに科目 " + std::to_string(m_groupAccount) + " の締めの行がありません");
    }
    if (m_state == State::kAccount && m_groupFlag) return Broken(brk, m_groupLine, "hojyo", kNoSubRows);
    return true;
}

}  // namespace host
