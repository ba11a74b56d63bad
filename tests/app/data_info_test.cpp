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
};

TEST_F(DataInfoTest, CopiesTheWholeRecordOfTheSelectedSet) {
    Connect(support::ShellModel());
    ClLinkApp app;
    StDATAINFO record;
    ASSERT_EQ(app.FindSelectedDataInfo(record), 1);
    EXPECT_EQ(record.DataNo(), 3);
    EXPECT_EQ(record.IdText(), "D0003");
    EXPECT_EQ(record.CompanyName(), "\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0 Test");
    EXPECT_EQ(record.PeriodStart(), 20250401);
    EXPECT_EQ(record.PeriodEnd(), 20260331);
    EXPECT_EQ(record.PeriodSetting(), 1);

    // The same bytes the host delivers for that set.
    ASSERT_NE(app.m_pSetData, nullptr);
    const StDATAINFO* selected = app.m_pSetData->GetSelectedInfo();
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(0, std::memcmp(selected->Data(), record.Data(), StDATAINFO::Size()));
}

TEST_F(DataInfoTest, FirstOfTwoSetsWithTheSameNumberWins) {
    host::HostModel model = support::ShellModel();
    host::DataSetEntry twin = model.dataSets[1];
    twin.companyName = "Second";
    model.dataSets.push_back(twin);
    Connect(model);
    ClLinkApp app;
    StDATAINFO record;
    ASSERT_EQ(app.FindSelectedDataInfo(record), 1);
    EXPECT_EQ(record.CompanyName(), "\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0 Test");
}

TEST_F(DataInfoTest, NoMatchLeavesAZeroRecordAndReleasesTheCursor) {
    host::HostModel model = support::ShellModel();
    model.users[1].selectedNo2 = 42;
    Connect(model);
    ClLinkApp app;
    StDATAINFO record;
    record.SetI32(StDATAINFO::kOffDataNo, 7);
    record.SetU8(1000, 0xAB);
    EXPECT_EQ(app.FindSelectedDataInfo(record), 0);
    for (std::size_t i = 0; i < StDATAINFO::Size(); ++i) ASSERT_EQ(record.GetU8(i), 0) << i;
    EXPECT_EQ(host::StandIn::Get().CallCount("ReleaseDatCursor"), 1u);

    model.dataSets.clear();
    Connect(model);
    ClLinkApp empty;
    EXPECT_EQ(empty.FindSelectedDataInfo(record), 0);
    EXPECT_EQ(host::StandIn::Get().CallCount("ReleaseDatCursor"), 1u);
}

TEST_F(DataInfoTest, SecondCallReusesTheDataSetList) {
    Connect(support::ShellModel());
    ClLinkApp app;
    StDATAINFO record;
    ASSERT_EQ(app.FindSelectedDataInfo(record), 1);
    ClSetData* first = app.m_pSetData;
    ASSERT_EQ(app.FindSelectedDataInfo(record), 1);
    EXPECT_EQ(app.m_pSetData, first);
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
