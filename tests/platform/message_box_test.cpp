// Message boxes of the headless double: what was shown, and scripted answers.
#include "platform/message_box.h"

#include <string>

#include "platform/dialog.h"
#include "test_support.h"

namespace {

using platform_test::PlatformTest;

// "科目内訳書" in code page 932.
const char kCaption[] = "\x89\xC8\x96\xDA\x93\xE0\x96\xF3\x8F\x91";

using MessageBoxTest = PlatformTest;

TEST_F(MessageBoxTest, RecordsEverythingShown) {
    const plat::WindowHandle owner = Ui().CreateExternalWindow("owner");
    // The source is UTF-8; the compiler writes the caption in code page 932.
    EXPECT_EQ(
        plat::ShowMessageBox(owner, "line1\nline2", "科目内訳書", plat::kMbOk | plat::kMbIconExclamation),
        plat::kIdOk);
    ASSERT_EQ(Ui().MessageBoxes().size(), 1u);
    const plat::headless::MessageBoxRecord& box = Ui().MessageBoxes()[0];
    EXPECT_EQ(box.owner, owner);
    EXPECT_EQ(box.text, "line1\nline2");
    EXPECT_EQ(box.caption, kCaption);
    EXPECT_EQ(box.style, 0x30u);
    EXPECT_EQ(box.answer, plat::kIdOk);
    EXPECT_TRUE(box.ownerVisible);
    EXPECT_EQ(Ui().Events().back(), "msgbox");
}

TEST_F(MessageBoxTest, DefaultAnswersAreTheFirstButton) {
    EXPECT_EQ(plat::ShowMessageBox(plat::kNoWindow, "a", "c", plat::kMbOk), plat::kIdOk);
    EXPECT_EQ(plat::ShowMessageBox(plat::kNoWindow, "b", "c", plat::kMbYesNo | plat::kMbIconQuestion),
              plat::kIdYes);
    EXPECT_EQ(plat::ShowMessageBox(plat::kNoWindow, "c", "c", plat::kMbIconInformation), plat::kIdOk);
    ASSERT_EQ(Ui().MessageBoxes().size(), 3u);
    EXPECT_FALSE(Ui().MessageBoxes()[0].ownerVisible);
}

TEST_F(MessageBoxTest, QueuedAnswersAreTakenInOrderThenDefaults) {
    Ui().QueueMessageBoxAnswer(plat::kIdNo);
    Ui().QueueMessageBoxAnswer(plat::kIdYes);
    EXPECT_EQ(plat::ShowMessageBox(plat::kNoWindow, "1", "c", plat::kMbYesNo), plat::kIdNo);
    EXPECT_EQ(plat::ShowMessageBox(plat::kNoWindow, "2", "c", plat::kMbYesNo), plat::kIdYes);
    EXPECT_EQ(plat::ShowMessageBox(plat::kNoWindow, "3", "c", plat::kMbYesNo), plat::kIdYes);
    EXPECT_EQ(Ui().MessageBoxes()[0].answer, plat::kIdNo);
    EXPECT_EQ(Ui().MessageBoxes()[2].text, "3");
}

TEST_F(MessageBoxTest, OwnerVisibilityAtTheTime) {
    plat::Dialog dialog(131, nullptr);
    ASSERT_TRUE(dialog.Create(plat::kNoWindow));
    plat::ShowMessageBox(dialog.Handle(), "hidden", "c", plat::kMbOk);
    dialog.Show(plat::kSwShow);
    plat::ShowMessageBox(dialog.Handle(), "shown", "c", plat::kMbOk);
    dialog.EndDialog(1);
    plat::ShowMessageBox(dialog.Handle(), "ended", "c", plat::kMbOk);
    ASSERT_EQ(Ui().MessageBoxes().size(), 3u);
    EXPECT_FALSE(Ui().MessageBoxes()[0].ownerVisible);
    EXPECT_TRUE(Ui().MessageBoxes()[1].ownerVisible);
    EXPECT_FALSE(Ui().MessageBoxes()[2].ownerVisible);
}

TEST_F(MessageBoxTest, ResetForgetsRecordsAndAnswers) {
    Ui().QueueMessageBoxAnswer(plat::kIdNo);
    plat::ShowMessageBox(plat::kNoWindow, "x", "c", plat::kMbOk);
    Ui().QueueMessageBoxAnswer(plat::kIdNo);
    Ui().Reset();
    EXPECT_TRUE(Ui().MessageBoxes().empty());
    EXPECT_TRUE(Ui().Events().empty());
    EXPECT_EQ(plat::ShowMessageBox(plat::kNoWindow, "y", "c", plat::kMbYesNo), plat::kIdYes);
}

}  // namespace
