#include <gtest/gtest.h>

#include "fakes/form_harness.h"

namespace pv::testing {
namespace {

const std::string kHandCursor = NativeJoin(kTestProgramFolder, "HAND-M.CUR");
const std::string kSkinFile = NativeJoin(kTestProgramFolder, "x/o.cjs");

struct FormLoadTest : ::testing::Test {
    FormHarness h;

    FormLoadTest()
    {
        h.fileSystem.addFolder(kTestProgramFolder);
        h.printers.names = {"alpha", "beta"};
        h.printers.defaultName = "alpha";
    }

    // The line numbers the error reports quote, in order; -1 for a box that is no load report.
    std::vector<int> reportedLines() const { return ReportedLines(h.boxes, "in Pagevane2/11/2015.Form1.Form_Load"); }
};

TEST_F(FormLoadTest, SetsUpTheWindowWithoutAnyMessage)
{
    h.form.Form_Load();
    EXPECT_TRUE(h.boxes.shown.empty());
    EXPECT_EQ(h.window.caption, "Pressvale");
    EXPECT_TRUE(h.window.iconSet);
    EXPECT_EQ(h.list.columns, std::vector<std::string>{"PDF Files"});
    EXPECT_EQ(h.list.columnWidths, std::vector<double>{7000});
    EXPECT_EQ(h.combo.items, (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_TRUE(h.rows().empty());
}

TEST_F(FormLoadTest, WithoutSkinFileKeepsTheWhiteDesign)
{
    h.form.Form_Load();
    EXPECT_FALSE(h.window.windowButtonFace);
    EXPECT_TRUE(h.window.buttonFaceControls.empty());
    EXPECT_EQ(h.window.skinApplications, 0);
}

TEST_F(FormLoadTest, AHiddenSkinFileCountsAsMissing)
{
    h.fileSystem.addFolder(NativeJoin(kTestProgramFolder, "x"));
    h.fileSystem.addFile(kSkinFile, attr::kArchive | attr::kHidden, "window { background: #ffffff }\n");
    h.form.Form_Load();
    EXPECT_FALSE(h.window.windowButtonFace);
    EXPECT_TRUE(h.boxes.shown.empty());
}

TEST_F(FormLoadTest, AnUnreadableSkinIsReportedAt100AndTheLoadGoesOnAt102)
{
    h.fileSystem.addFolder(NativeJoin(kTestProgramFolder, "x"));
    h.fileSystem.addFile(kSkinFile, attr::kArchive, std::string("\x01\x02garbage{{{", 12));
    h.form.Form_Load();
    EXPECT_EQ(reportedLines(), std::vector<int>{100});
    // Colours changed before the failing skin call stay changed; the frame is the only
    // control that takes the button face.
    EXPECT_TRUE(h.window.windowButtonFace);
    EXPECT_EQ(h.window.buttonFaceControls, std::vector<int>{8});
    EXPECT_EQ(h.window.skinApplications, 0);
    EXPECT_TRUE(h.window.position.has_value());
}

TEST_F(FormLoadTest, ASkinFoundUnderOtherLetterCaseIsTheOneLoaded)
{
    h.fileSystem.addFolder(NativeJoin(kTestProgramFolder, "x"));
    h.fileSystem.addFile(NativeJoin(kTestProgramFolder, "x/O.CJS"), attr::kArchive, "[window]\nbackground = #123456\n");
    h.form.Form_Load();
    EXPECT_TRUE(h.boxes.shown.empty());
    EXPECT_TRUE(h.window.windowButtonFace);
    ASSERT_EQ(h.window.skinApplications, 1);
    EXPECT_EQ(h.window.appliedSkin->window.background, (SkinColour{0x12, 0x34, 0x56}));
}

TEST_F(FormLoadTest, OfNamesDifferingOnlyInCaseTheExactOneIsLoaded)
{
    h.fileSystem.addFolder(NativeJoin(kTestProgramFolder, "x"));
    h.fileSystem.addFile(NativeJoin(kTestProgramFolder, "x/O.CJS"), attr::kArchive, "not a skin\n");
    h.fileSystem.addFile(NativeJoin(kTestProgramFolder, "x/O.cjs"), attr::kArchive, "not a skin\n");
    h.fileSystem.addFile(kSkinFile, attr::kArchive, "[window]\nbackground = #abcdef\n");
    h.form.Form_Load();
    EXPECT_TRUE(h.boxes.shown.empty());
    ASSERT_EQ(h.window.skinApplications, 1);
    EXPECT_EQ(h.window.appliedSkin->window.background, (SkinColour{0xab, 0xcd, 0xef}));
}

TEST_F(FormLoadTest, ASkinInAnUpperCaseFolderIsNotFoundAndChangesNothing)
{
    // Only the file's name is looked up without regard to case; the folder is "x".
    h.fileSystem.addFolder(NativeJoin(kTestProgramFolder, "X"));
    h.fileSystem.addFile(NativeJoin(kTestProgramFolder, "X/o.cjs"), attr::kArchive, "[window]\n");
    h.form.Form_Load();
    EXPECT_TRUE(h.boxes.shown.empty());
    EXPECT_FALSE(h.window.windowButtonFace);
    EXPECT_EQ(h.window.skinApplications, 0);
}

TEST_F(FormLoadTest, CentresOnTheWholeScreen)
{
    h.window.screen = {19200, 10800};
    h.window.outer = {8130, 6015};
    h.form.Form_Load();
    ASSERT_TRUE(h.window.position);
    EXPECT_DOUBLE_EQ(h.window.position->first, 5535);
    EXPECT_DOUBLE_EQ(h.window.position->second, 2392.5);
}

TEST_F(FormLoadTest, AWindowAsLargeAsTheScreenGoesToTheCorner)
{
    h.window.outer = h.window.screen;
    h.form.Form_Load();
    EXPECT_EQ(*h.window.position, std::make_pair(0.0, 0.0));
}

TEST_F(FormLoadTest, LoadsTheHandCursorWhenItIsThere)
{
    h.fileSystem.addFile(kHandCursor);
    h.window.loadableCursors.insert(kHandCursor);
    h.form.Form_Load();
    EXPECT_EQ(h.window.customPointer, kHandCursor);
    EXPECT_TRUE(h.boxes.shown.empty());
}

TEST_F(FormLoadTest, WithoutHandCursorTheCustomPointerStaysPlain)
{
    h.form.Form_Load();
    EXPECT_FALSE(h.window.customPointer);
    EXPECT_TRUE(h.boxes.shown.empty());
}

TEST_F(FormLoadTest, AnUnreadableCursorIsReportedAt106AndTheLoadGoesOnAt126)
{
    h.fileSystem.addFile(kHandCursor);
    h.form.Form_Load();
    EXPECT_EQ(reportedLines(), std::vector<int>{106});
    EXPECT_TRUE(h.random.seeds.empty()) << "the home-page draw lies between 106 and 126";
    EXPECT_EQ(h.window.caption, "Pressvale");
}

TEST_F(FormLoadTest, TheDrawOfSevenOpensTheHomePage)
{
    h.clock.timeOfDay = 4321.5;
    h.random.fraction = 0.0649;  // 6.49 -> 7
    h.form.Form_Load();
    EXPECT_EQ(h.random.seeds, std::vector<double>{4321.5});
    EXPECT_EQ(h.shell.openedAddresses, std::vector<std::string>{kTestHomePage});
}

TEST_F(FormLoadTest, AnyOtherDrawOpensNothing)
{
    for (double fraction : {0.0, 0.05999, 0.07, 0.99999}) {
        FormHarness other;
        other.random.fraction = fraction;
        other.form.Form_Load();
        EXPECT_TRUE(other.shell.openedAddresses.empty()) << fraction;
    }
}

TEST_F(FormLoadTest, AFailedHomePageIsReportedAt108)
{
    h.random.fraction = 0.06;
    h.shell.openAddressFailure = Failure("File not found", 53);
    h.form.Form_Load();
    EXPECT_EQ(reportedLines(), std::vector<int>{108});
    EXPECT_EQ(h.window.caption, "Pressvale");
}

TEST_F(FormLoadTest, NoPrinterIsReportedAt132AndTheBoxStaysEmpty)
{
    h.printers.names.clear();
    h.printers.defaultName.clear();
    h.form.Form_Load();
    EXPECT_EQ(reportedLines(), std::vector<int>{132});
    EXPECT_TRUE(h.combo.items.empty());
}

TEST_F(FormLoadTest, SeveralFailuresGiveSeveralReportsInStepOrder)
{
    h.fileSystem.addFile(kHandCursor);
    h.printers.defaultFailure = Failure("The print system is not running.", 1282);
    h.form.Form_Load();
    EXPECT_EQ(reportedLines(), (std::vector<int>{106, 132}));
}

}  // namespace
}  // namespace pv::testing
