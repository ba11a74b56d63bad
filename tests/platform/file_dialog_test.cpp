// The save-file dialog of the headless double: every request recorded,
// answers from the queue, cancel without one.
#include "platform/file_dialog.h"

#include <optional>
#include <string>
#include <utility>

#include "platform/dialog.h"
#include "test_support.h"
#include "tests/support/save_request.h"

namespace {

using platform_test::H;
using support::BrowseRequest;

// "表" ends in 0x5C, the backslash.
const char kTablePath[] = "C:\\\x95\x5C\\a.xml";

class SaveFileDialogTest : public platform_test::PlatformTest {
protected:
    // The browse button's request, owned by owner; whether it was confirmed.
    bool Browse(std::string& chosen, plat::WindowHandle owner = plat::kNoWindow) {
        return plat::ShowSaveFileDialog(BrowseRequest(owner, "C:\\出力\\", "科目内訳書.xml"), chosen);
    }
};

TEST_F(SaveFileDialogTest, RecordsEveryFieldOfTheRequestAndTheConfirmedPath) {
    const plat::WindowHandle owner = Ui().CreateExternalWindow("owner");
    Ui().QueueSaveFileAnswer(std::string(kTablePath));
    std::string chosen = "before";
    EXPECT_TRUE(Browse(chosen, owner));
    EXPECT_EQ(chosen, kTablePath);

    ASSERT_EQ(Ui().SaveFiles().size(), 1u);
    const plat::headless::SaveFileRecord& record = Ui().SaveFiles()[0];
    // "科目内訳書.xml" and "C:\出力\".
    support::ExpectRequest(record.request, BrowseRequest(owner, "C:\\\x8F\x6F\x97\xCD\\",
                                                         "\x89\xC8\x96\xDA\x93\xE0\x96\xF3\x8F\x91.xml"));
    EXPECT_TRUE(record.confirmed);
    EXPECT_EQ(record.chosenPath, kTablePath);
    EXPECT_TRUE(record.ownerVisible);
    ASSERT_FALSE(Ui().Events().empty());
    EXPECT_EQ(Ui().Events().back(), "savefile " + H(owner) + " ok " + kTablePath);
}

TEST_F(SaveFileDialogTest, OptionsAreRecordedOneByOne) {
    plat::SaveFileRequest pathOnly;
    pathOnly.pathMustExist = true;
    plat::SaveFileRequest dirOnly;
    dirOnly.noChangeDir = true;
    std::string chosen;
    EXPECT_FALSE(plat::ShowSaveFileDialog(pathOnly, chosen));
    EXPECT_FALSE(plat::ShowSaveFileDialog(dirOnly, chosen));
    ASSERT_EQ(Ui().SaveFiles().size(), 2u);
    support::ExpectRequest(Ui().SaveFiles()[0].request, pathOnly);
    support::ExpectRequest(Ui().SaveFiles()[1].request, dirOnly);
    EXPECT_FALSE(Ui().SaveFiles()[1].ownerVisible);
}

TEST_F(SaveFileDialogTest, CancelLeavesTheCallersPathAlone) {
    Ui().QueueSaveFileAnswer(std::nullopt);
    std::string chosen = "C:\\keep.xml";
    EXPECT_FALSE(Browse(chosen));
    EXPECT_EQ(chosen, "C:\\keep.xml");
    ASSERT_EQ(Ui().SaveFiles().size(), 1u);
    EXPECT_FALSE(Ui().SaveFiles()[0].confirmed);
    EXPECT_TRUE(Ui().SaveFiles()[0].chosenPath.empty());
    EXPECT_EQ(Ui().Events().back(), "savefile 0 cancel");
}

TEST_F(SaveFileDialogTest, WithoutAnAnswerTheDialogIsCancelled) {
    std::string chosen = "unchanged";
    EXPECT_FALSE(Browse(chosen));
    EXPECT_EQ(chosen, "unchanged");
    ASSERT_EQ(Ui().SaveFiles().size(), 1u);
    EXPECT_FALSE(Ui().SaveFiles()[0].confirmed);
}

TEST_F(SaveFileDialogTest, AnswersAreTakenInOrderThenCancel) {
    Ui().QueueSaveFileAnswer(std::string("C:\\a.xml"));
    Ui().QueueSaveFileAnswer(std::nullopt);
    Ui().QueueSaveFileAnswer(std::string("C:\\b.xml"));
    std::string chosen;
    for (const auto& [confirmed, path] : {std::pair{true, "C:\\a.xml"}, std::pair{false, "C:\\a.xml"},
                                          std::pair{true, "C:\\b.xml"}, std::pair{false, "C:\\b.xml"}}) {
        EXPECT_EQ(Browse(chosen), confirmed);
        EXPECT_EQ(chosen, path);
    }
    ASSERT_EQ(Ui().SaveFiles().size(), 4u);
    EXPECT_EQ(Ui().SaveFiles()[2].chosenPath, "C:\\b.xml");
    EXPECT_FALSE(Ui().SaveFiles()[3].confirmed);
    // Message box answers are a queue of their own.
    EXPECT_TRUE(Ui().MessageBoxes().empty());
}

TEST_F(SaveFileDialogTest, OwnerVisibilityAtTheTime) {
    plat::Dialog dialog(131, nullptr);
    ASSERT_TRUE(dialog.Create(plat::kNoWindow));
    std::string chosen;
    Browse(chosen, dialog.Handle());
    dialog.Show(plat::kSwShow);
    Browse(chosen, dialog.Handle());
    ASSERT_EQ(Ui().SaveFiles().size(), 2u);
    EXPECT_FALSE(Ui().SaveFiles()[0].ownerVisible);
    EXPECT_TRUE(Ui().SaveFiles()[1].ownerVisible);
    const long shown = EventIndex("show " + H(dialog.Handle()) + " 1");
    const long second = EventIndex("savefile " + H(dialog.Handle()) + " cancel");
    ASSERT_GE(shown, 0);
    ASSERT_GE(second, 0);
    EXPECT_LT(second, shown);  // the first request, before the dialog was shown
}

TEST_F(SaveFileDialogTest, ResetForgetsRecordsAndAnswers) {
    Ui().QueueSaveFileAnswer(std::string("C:\\a.xml"));
    std::string chosen;
    EXPECT_TRUE(Browse(chosen));
    Ui().QueueSaveFileAnswer(std::string("C:\\b.xml"));
    Ui().Reset();
    EXPECT_TRUE(Ui().SaveFiles().empty());
    EXPECT_TRUE(Ui().Events().empty());
    chosen.clear();
    EXPECT_FALSE(Browse(chosen));
    EXPECT_TRUE(chosen.empty());
}

}  // namespace
