#pragma once
// The account balance list: the aggregation's one result, read by the report.
#include <cstdint>
#include <list>
#include <memory>

struct StKMKBALANCE {
    std::int32_t lCode = 0;  // account * 10000 + sub-account (0 for the account itself)
    char szName[17] = {};    // Shift_JIS, at most 16 bytes; the 17th is always zero
    std::uint8_t cHojyoFlg = 0;
    std::int64_t llZandaka = 0;  // closing balance in ten-thousandths of a yen
};

// Owns its entries, keeps them in the order appended, links both ways.
using ClBalanceList = std::list<std::unique_ptr<StKMKBALANCE>>;

// Deletes every entry and removes every node.
inline void ReleaseBalanceList(ClBalanceList& list) {
    list.clear();
}
