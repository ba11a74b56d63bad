// The save-file dialog of the headless backend: every request recorded,
// answers from the queue, cancel without one.
#include "platform/file_dialog.h"

#include <optional>
#include <string>

#include "platform/dialog.h"
#include "test_support.h"

namespace {

using platform_test::H;
using platform_test::PlatformTest;

// "保存ファイルを指定" in code page 932.
const char kTitle[] = "\x95\xDB\x91\xB6\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x8E\x77\x92\xE8";
// "表" ends in 0x5C, the backslash.
const char kTablePath[] = "C:\\\x95\x5C\\a.xml";

// The request of the conditions dialog's browse button.
plat::SaveFileRequest BrowseRequest(plat::WindowHandle owner) {
    plat::SaveFileRequest request;
    request.owner = owner;
    request.title = "保存ファイルを指定";
    request.filter = "Xml Files (*.xml)|*.xml||";
    request.defaultExt = "XML";
    request.initialName = "科目内訳書.xml";
    request.initialFolder = "C:\\出力\\";
    request.hideReadOnly = true;
    request.noChangeDir = true;
    request.pathMustExist = true;
    request.fileMustExist = true;
    return request;
}

using SaveFileDialogTest = PlatformTest;

TEST_F(SaveFileDialogTest, RecordsEveryFieldOfTheRequestAndTheConfirmedPath) {
    const plat::WindowHandle owner = Ui().CreateExternalWindow("owner");
    Ui().QueueSaveFileAnswer(std::string(kTablePath));
    std::string chosen = "before";
    EXPECT_TRUE(plat::ShowSaveFileDialog(BrowseRequest(owner), chosen));
    EXPECT_EQ(chosen, kTablePath);

    ASSERT_EQ(Ui().SaveFiles().size(), 1u);
    const plat::headless::SaveFileRecord& record = Ui().SaveFiles()[0];
    EXPECT_EQ(record.request.owner, owner);
    EXPECT_EQ(record.request.title, kTitle);
    EXPECT_EQ(record.request.filter, "Xml Files (*.xml)|*.xml||");
    EXPECT_EQ(record.request.defaultExt, "XML");
    // "科目内訳書.xml" and "C:\出力\".
    EXPECT_EQ(record.request.initialName, "\x89\xC8\x96\xDA\x93\xE0\x96\xF3\x8F\x91.xml");
    EXPECT_EQ(record.request.initialFolder, "C:\\\x8F\x6F\x97\xCD\\");
    EXPECT_TRUE(record.request.hideReadOnly);
    EXPECT_TRUE(record.request.noChangeDir);
    EXPECT_TRUE(record.request.pathMustExist);
    EXPECT_TRUE(record.request.fileMustExist);
    EXPECT_TRUE(record.confirmed);
    EXPECT_EQ(record.chosenPath, kTablePath);
    EXPECT_TRUE(record.ownerVisible);
    ASSERT_FALSE(Ui().Events().empty());
    EXPECT_EQ(Ui().Events().back(), "savefile " + H(owner) + " ok " + kTablePath);
}

TEST_F(SaveFileDialogTest, OptionsAreRecordedOneByOne) {
    plat::SaveFileRequest request;
    request.pathMustExist = true;
    std::string chosen;
    EXPECT_FALSE(plat::ShowSaveFileDialog(request, chosen));
    request.pathMustExist = false;
    request.noChangeDir = true;
    EXPECT_FALSE(plat::ShowSaveFileDialog(request, chosen));
    ASSERT_EQ(Ui().SaveFiles().size(), 2u);
    const plat::SaveFileRequest& first = Ui().SaveFiles()[0].request;
    EXPECT_TRUE(first.pathMustExist);
    EXPECT_FALSE(first.noChangeDir);
    EXPECT_FALSE(first.hideReadOnly);
    EXPECT_FALSE(first.fileMustExist);
    EXPECT_EQ(first.owner, plat::kNoWindow);
    EXPECT_TRUE(first.title.empty());
    const plat::SaveFileRequest& second = Ui().SaveFiles()[1].request;
    EXPECT_FALSE(second.pathMustExist);
    EXPECT_TRUE(second.noChangeDir);
    EXPECT_FALSE(Ui().SaveFiles()[1].ownerVisible);
}

TEST_F(SaveFileDialogTest, CancelLeavesTheCallersPathAlone) {
    Ui().QueueSaveFileAnswer(std::nullopt);
    std::string chosen = "C:\\keep.xml";
    EXPECT_FALSE(plat::ShowSaveFileDialog(BrowseRequest(plat::kNoWindow), chosen));
    EXPECT_EQ(chosen, "C:\\keep.xml");
    ASSERT_EQ(Ui().SaveFiles().size(), 1u);
    EXPECT_FALSE(Ui().SaveFiles()[0].confirmed);
    EXPECT_TRUE(Ui().SaveFiles()[0].chosenPath.empty());
    EXPECT_EQ(Ui().Events().back(), "savefile 0 cancel");
}

TEST_F(SaveFileDialogTest, WithoutAnAnswerTheDialogIsCancelled) {
    std::string chosen = "unchanged";
    EXPECT_FALSE(plat::ShowSaveFileDialog(BrowseRequest(plat::kNoWindow), chosen));
    EXPECT_EQ(chosen, "unchanged");
    ASSERT_EQ(Ui().SaveFiles().size(), 1u);
    EXPECT_FALSE(Ui().SaveFiles()[0].confirmed);
}

TEST_F(SaveFileDialogTest, AnswersAreTakenInOrderThenCancel) {
    Ui().QueueSaveFileAnswer(std::string("C:\\a.xml"));
    Ui().QueueSaveFileAnswer(std::nullopt);
    Ui().QueueSaveFileAnswer(std::string("C:\\b.xml"));
    std::string chosen;
    EXPECT_TRUE(plat::ShowSaveFileDialog(BrowseRequest(plat::kNoWindow), chosen));
    EXPECT_EQ(chosen, "C:\\a.xml");
    EXPECT_FALSE(plat::ShowSaveFileDialog(BrowseRequest(plat::kNoWindow), chosen));
    EXPECT_EQ(chosen, "C:\\a.xml");
    EXPECT_TRUE(plat::ShowSaveFileDialog(BrowseRequest(plat::kNoWindow), chosen));
    EXPECT_EQ(chosen, "C:\\b.xml");
    EXPECT_FALSE(plat::ShowSaveFileDialog(BrowseRequest(plat::kNoWindow), chosen));
    EXPECT_EQ(chosen, "C:\\b.xml");
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
    plat::ShowSaveFileDialog(BrowseRequest(dialog.Handle()), chosen);
    dialog.Show(plat::kSwShow);
    plat::ShowSaveFileDialog(BrowseRequest(dialog.Handle()), chosen);
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
    EXPECT_TRUE(plat::ShowSaveFileDialog(BrowseRequest(plat::kNoWindow), chosen));
    Ui().QueueSaveFileAnswer(std::string("C:\\b.xml"));
    Ui().Reset();
    EXPECT_TRUE(Ui().SaveFiles().empty());
    EXPECT_TRUE(Ui().Events().empty());
    chosen.clear();
    EXPECT_FALSE(plat::ShowSaveFileDialog(BrowseRequest(plat::kNoWindow), chosen));
    EXPECT_TRUE(chosen.empty());
}

}  // namespace
