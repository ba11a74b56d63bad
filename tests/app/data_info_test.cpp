#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/link_app.h"
#include "host/data_mgr.h"
#include "host/stand_in.h"
#include "tests/support/host_models.h"
#include "tests/support/standin_fixture.h"

namespace {

class DataInfoTest : public support::StandInTest {
protected:
    void TearDown() override {
        ClAccConnect::Inst()->LogOut();
        ClAccConnect::Inst()->Terminate();
        ClAccConnect::Inst()->Release();
    }
    // Connects to the model and looks the selected set up; the lookup's result.
    int Find(const host::HostModel& model) {
        Connect(model);
        return m_app.FindSelectedDataInfo(m_record);
    }
    ClLinkApp m_app;
    StDATAINFO m_record;
};

TEST_F(DataInfoTest, CopiesTheWholeRecordOfTheSelectedSet) {
    ASSERT_EQ(Find(support::ShellModel()), 1);
    EXPECT_EQ(m_record.DataNo(), 3);
    EXPECT_EQ(m_record.IdText(), "D0003");
    EXPECT_EQ(m_record.CompanyName(), "\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0 Test");
    EXPECT_EQ(m_record.PeriodStart(), 20250401);
    EXPECT_EQ(m_record.PeriodEnd(), 20260331);
    EXPECT_EQ(m_record.PeriodSetting(), 1);

    // The same bytes the host delivers for that set.
    ASSERT_NE(m_app.m_pSetData, nullptr);
    const StDATAINFO* selected = m_app.m_pSetData->GetSelectedInfo();
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(0, std::memcmp(selected->Data(), m_record.Data(), StDATAINFO::Size()));
}

TEST_F(DataInfoTest, FirstOfTwoSetsWithTheSameNumberWins) {
    host::HostModel model = support::ShellModel();
    host::DataSetEntry twin = model.dataSets[1];
    twin.companyName = "Second";
    model.dataSets.push_back(twin);
    ASSERT_EQ(Find(model), 1);
    EXPECT_EQ(m_record.CompanyName(), "\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0 Test");
}

TEST_F(DataInfoTest, NoMatchLeavesAZeroRecordAndReleasesTheCursor) {
    host::HostModel model = support::ShellModel();
    model.users[1].selectedNo2 = 42;
    m_record.SetI32(StDATAINFO::kOffDataNo, 7);
    m_record.SetU8(1000, 0xAB);
    EXPECT_EQ(Find(model), 0);
    for (std::size_t i = 0; i < StDATAINFO::Size(); ++i) ASSERT_EQ(m_record.GetU8(i), 0) << i;
    EXPECT_EQ(host::StandIn::Get().CallCount("ReleaseDatCursor"), 1u);

    model.dataSets.clear();
    Connect(model);
    ClLinkApp empty;
    EXPECT_EQ(empty.FindSelectedDataInfo(m_record), 0);
    EXPECT_EQ(host::StandIn::Get().CallCount("ReleaseDatCursor"), 1u);
}

TEST_F(DataInfoTest, SecondCallReusesTheDataSetList) {
    ASSERT_EQ(Find(support::ShellModel()), 1);
    ClSetData* first = m_app.m_pSetData;
    ASSERT_EQ(m_app.FindSelectedDataInfo(m_record), 1);
    EXPECT_EQ(m_app.m_pSetData, first);
    EXPECT_EQ(host::StandIn::Get().CallCount("GetSetObject 5 1"), 1u);
}

// The lookup's host calls in order: the data cursor is readied from the
// start (mode 0), walked up to the selected set or to the end, and released.
TEST_F(DataInfoTest, HostCallsOfTheLookup) {
    const std::pair<std::int32_t, int> cases[] = {{3, 2}, {42, 3}};  // selected number, WalkDat calls
    for (const auto& [selected, walks] : cases) {
        host::HostModel model = support::ShellModel();
        model.users[1].selectedNo2 = selected;
        Connect(model);
        ClLinkApp app;
        StDATAINFO record;
        app.FindSelectedDataInfo(record);
        std::vector<std::string> expected = {"GetSetObject 5 1", "GetSysUserObject", "GetCurUserID",
                                             "GetSelectedNo",    "GetDatCursor",     "ReadyDat 0"};
        expected.insert(expected.end(), static_cast<std::size_t>(walks), "WalkDat");
        expected.push_back("ReleaseDatCursor");
        EXPECT_EQ(host::StandIn::Get().Calls(), expected) << selected;
    }
}

}  // namespace
