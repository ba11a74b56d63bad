// Synthetic host models of any size, the same for the same size.
#include "tools/hostdata/synthetic.h"

#include <algorithm>
#include <random>
#include <string>

#include "host/host_files.h"

namespace hostdata {

using namespace host;

namespace {

constexpr std::int32_t kFirstAccount = 1000;

// mt19937 is specified to the bit, so the model is the same on every
// platform; the distributions of <random> are not, hence the plain modulo.
class Rng {
public:
    Rng() : m_gen(20250401u) {}
    std::uint32_t Below(std::uint32_t n) { return n == 0 ? 0 : static_cast<std::uint32_t>(m_gen() % n); }
    bool Chance(std::uint32_t percent) { return Below(100) < percent; }

private:
    std::mt19937 m_gen;
};

// An amount in ten-thousandths: up to maxYen yen, now and then with half a
// yen as consumption-tax rounding leaves it.
std::int64_t Amount(Rng& rng, std::uint32_t maxYen) {
    std::int64_t v = static_cast<std::int64_t>(rng.Below(maxYen)) * 10000;
    if (rng.Chance(10)) v += 5000;
    return v;
}

// Debit and credit movements of one account or sub-account.
void FillAmounts(Rng& rng, AccountTotal& t, bool taxable) {
    const bool debitNature = t.nature == 1;
    (debitNature ? t.debitExcl : t.creditExcl)[0] = Amount(rng, 5000000);
    for (std::size_t e = 1; e <= 14; ++e) {
        if (e >= 13 && !rng.Chance(15)) continue;
        t.debitExcl[e] = rng.Chance(70) ? Amount(rng, 800000) : 0;
        t.creditExcl[e] = rng.Chance(60) ? Amount(rng, 800000) : 0;
    }
    for (std::size_t e = 0; e < files::kPeriodEntries; ++e) {
        // Tax-inclusive amounts carry 10 percent on the months' movements.
        const bool addTax = taxable && e != 0;
        t.debitIncl[e] = addTax ? t.debitExcl[e] + t.debitExcl[e] / 10 : t.debitExcl[e];
        t.creditIncl[e] = addTax ? t.creditExcl[e] + t.creditExcl[e] / 10 : t.creditExcl[e];
    }
}

void AddInto(PeriodAmounts& sum, const PeriodAmounts& v) {
    for (std::size_t e = 0; e < files::kPeriodEntries; ++e) sum[e] += v[e];
}

}  // namespace

HostModel MakeSyntheticModel(std::size_t records) {
    HostModel model;
    model.currentUser = "user01";
    model.appFolder[0] = "C:\\users\\Public\\Documents\\";
    model.appFolder[1] = "C:\\users\\Public\\Documents\\LinkHost\\Settings\\";
    model.taxFormProductName = "Kolvaren 申告書作成システム";
    model.users.push_back(UserEntry{"user01", 1, 1});

    DataSetEntry set;
    set.dataNo = 1;
    set.idText = "SYN0000001";
    set.companyName = "株式会社ｻﾝﾌﾟﾙ合成データ";
    set.periodStart = 20250401;
    set.periodEnd = 20260331;
    set.periodSetting = 1;
    model.dataSets.push_back(set);

    std::vector<AccountMasterEntry>& master = model.masters[1];
    std::vector<AccountTotal>& totals = model.totals[1];
    master.reserve(records);
    totals.reserve(records);

    Rng rng;
    std::size_t remaining = records;
    std::int32_t account = kFirstAccount;
    while (remaining > 0 && account <= kMaxAccount) {
        const std::size_t accountsLeft = static_cast<std::size_t>(kMaxAccount - account) + 1;
        // Records each remaining account must carry so that the codes last.
        const std::size_t perAccount = (remaining + accountsLeft - 1) / accountsLeft;

        AccountTotal own;
        own.code = account * 10000;
        own.name = "科目" + std::to_string(account);
        own.nature = account % 5 < 3 ? 1 : 2;
        const bool taxable = account % 3 == 0;

        std::size_t subs = 0;
        if (remaining >= 3 && (perAccount > 1 || rng.Chance(30))) {
            subs = 1 + rng.Below(static_cast<std::uint32_t>(std::min<std::size_t>(8, remaining - 2)));
            if (perAccount > 1) subs = std::max(subs, std::min<std::size_t>(perAccount, kMaxSub));
            subs = std::min(subs, remaining - 2);
        }
        std::int8_t kmkClass = rng.Chance(10) ? 1 : 0;
        if (subs == 0) {
            FillAmounts(rng, own, taxable);
            // Now and then a record that the aggregation does not report.
            switch (rng.Below(80)) {
                case 0:
                    own.exclude1 = 1;
                    break;
                case 1:
                    own.exclude2 = 1;
                    break;
                case 2:
                    own.attributes = 0x08000000u;
                    break;
                case 3:
                    own.attributes = 0x10000000u;
                    break;
                case 4:
                    kmkClass = 2;
                    break;
                default:
                    break;
            }
            master.push_back(AccountMasterEntry{own.code, kmkClass});
            totals.push_back(own);
            --remaining;
        } else {
            own.hojyoFlg = 1;
            std::vector<AccountTotal> subRows;
            for (std::size_t s = 1; s <= subs; ++s) {
                AccountTotal sub;
                sub.code = own.code + static_cast<std::int32_t>(s);
                sub.name = "補助" + std::to_string(s);
                sub.nature = own.nature;
                FillAmounts(rng, sub, taxable);
                AddInto(own.debitExcl, sub.debitExcl);
                AddInto(own.debitIncl, sub.debitIncl);
                AddInto(own.creditExcl, sub.creditExcl);
                AddInto(own.creditIncl, sub.creditIncl);
                subRows.push_back(sub);
            }
            master.push_back(AccountMasterEntry{own.code, kmkClass});
            totals.push_back(own);
            for (const AccountTotal& sub : subRows) {
                master.push_back(AccountMasterEntry{sub.code, kmkClass});
                totals.push_back(sub);
            }
            AccountTotal closing = own;  // the group's closing row repeats the account's totals
            closing.hojyoFlg = 0;
            totals.push_back(closing);
            remaining -= subs + 2;
        }
        // Gaps in the codes while there is room, as a real chart has.
        account += accountsLeft > 4 * remaining && rng.Chance(25) ? 2 : 1;
    }
    return model;
}

}  // namespace hostdata
