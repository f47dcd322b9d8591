#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "fakes/form_harness.h"
#include "printing/per_file_print.h"
#include "printing/reader_location.h"
#include "services/path_style.h"

namespace pv::testing {
namespace {

const std::string kProgramFiles = Native("/opt/pressvale/libexec");
const std::string kReader = NativeJoin(kProgramFiles, "Adobe/Reader/AcroRd32.exe");
const char* kNotFound =
    "Adobe Acrobat could not be found.\r\rDo you have Acrobat installed in your Program Files folder?\r\r"
    "If no, please redownload and reinstall Acrobat to your Program Files folder -- C:\\Program Files\\Adobe for "
    "example.";

// A reader below the Program Files folder, "office" the default printer and "label" chosen;
// the first reader runs for one poll.
void SetUpRun(FormHarness& h)
{
    h.shell.specialFolders[kProgramFilesFolder] = kProgramFiles;
    h.fileSystem.addTree(kProgramFiles, {"Adobe/Reader/AcroRd32.exe"});
    h.printers.names = {"office", "label"};
    h.printers.defaultName = "office";
    h.combo.items = h.printers.names;
    h.combo.index = 1;
    h.processes.statuses = {kStillActive, 0};
}

struct PrintRunTest : ::testing::Test {
    FormHarness h;

    PrintRunTest() { SetUpRun(h); }

    // The files the reader was started on, in order.
    std::vector<std::string> printed() const
    {
        std::vector<std::string> files;
        for (const auto& start : h.processes.starts) {
            const std::string prefix = "\"" + kReader + "\" /p /h \"";
            EXPECT_EQ(start.commandLine.rfind(prefix, 0), 0u) << start.commandLine;
            files.push_back(start.commandLine.substr(prefix.size(), start.commandLine.size() - prefix.size() - 1));
        }
        return files;
    }

    // The lines the error reports of `procedure` quote; the run's other boxes ("Done.") are left out.
    std::vector<int> reportedLines(const std::string& procedure = "PushButton2_Click") const
    {
        std::vector<int> lines = ReportedLines(h.boxes, procedure);
        std::erase(lines, -1);
        return lines;
    }
};

TEST_F(PrintRunTest, AnEmptyListSaysSoAndTouchesNoPrinter)
{
    h.form.PushButton2_Click();
    EXPECT_EQ(h.boxTexts(), std::vector<std::string>{"No files added."});
    EXPECT_TRUE(h.printers.setDefaultCalls.empty());
    EXPECT_EQ(h.progress.values, std::vector<double>{0});
    EXPECT_EQ(h.window.pointerChanges, (std::vector<PointerKind>{PointerKind::Busy, PointerKind::Default}));
}

TEST_F(PrintRunTest, PrintsEveryRowInOrderOnTheChosenPrinterAndPutsTheDefaultBack)
{
    h.addRows(NativePaths({"/a.pdf", "/b c.pdf", "/a.pdf", "/d.pdf"}));
    std::vector<std::string> defaultWhilePrinting;
    h.pump.onTurn = [&] { defaultWhilePrinting.push_back(h.printers.defaultName); };
    h.form.PushButton2_Click();
    EXPECT_EQ(printed(), NativePaths({"/a.pdf", "/b c.pdf", "/a.pdf", "/d.pdf"}));
    EXPECT_EQ(h.printers.setDefaultCalls, (std::vector<std::string>{"label", "office"}));
    EXPECT_EQ(h.printerGuard.calls, (std::vector<std::string>{"0: arm office", "0: watch label", "2: release"}));
    EXPECT_EQ(h.printers.defaultName, "office");
    for (const std::string& name : defaultWhilePrinting)
        EXPECT_EQ(name, "label");
    EXPECT_EQ(h.progress.values, (std::vector<double>{25, 50, 75, 100, 0}));
    EXPECT_EQ(h.boxTexts(), std::vector<std::string>{"Done."});
    EXPECT_EQ(h.window.pointerKind, PointerKind::Default);
}

// The printer guard is armed with the replaced default before the switch, whatever the switch
// reports, and released after the put-back, whatever that reports.
TEST_F(PrintRunTest, SwitchesThatFailStillArmAndReleaseThePrinterGuard)
{
    h.printers.setDefaultFailure = Failure("Access is denied.", 5);
    h.addRows(NativePaths({"/a.pdf"}));
    h.form.PushButton2_Click();
    EXPECT_EQ(h.printerGuard.calls, (std::vector<std::string>{"0: arm office", "0: watch label", "2: release"}));
}

TEST_F(PrintRunTest, TheReaderStartsMinimisedAndEachFileIsFollowedByTwoSeconds)
{
    h.addRows(NativePaths({"/a.pdf"}));
    std::int64_t doneAt = -1;
    h.boxes.onShow = [&](const FakeMessageBoxes::Box&) { doneAt = h.clock.steady; };
    h.form.PushButton2_Click();
    ASSERT_EQ(h.processes.starts.size(), 1u);
    EXPECT_EQ(h.processes.starts[0].windowStyle, 6);
    // Two polls of 100 ms for the reader, then the two-second pause.
    EXPECT_EQ(doneAt, 2200);
}

TEST_F(PrintRunTest, TheProgressBarShowsEachRowsShareBeforeItIsPrinted)
{
    h.addRows(NativePaths({"/1.pdf", "/2.pdf", "/3.pdf"}));
    h.processes.statuses = {0};
    h.form.PushButton2_Click();
    ASSERT_EQ(h.progress.values.size(), 4u);
    EXPECT_NEAR(h.progress.values[0], 100.0 / 3, 1e-9);
    EXPECT_NEAR(h.progress.values[1], 200.0 / 3, 1e-9);
    EXPECT_DOUBLE_EQ(h.progress.values[2], 100);
}

TEST_F(PrintRunTest, TheDefaultComesBackEvenWhenTheChosenPrinterWasTheDefault)
{
    h.combo.index = 0;
    h.addRows(NativePaths({"/a.pdf"}));
    h.form.PushButton2_Click();
    EXPECT_EQ(h.printers.setDefaultCalls, (std::vector<std::string>{"office", "office"}));
}

TEST_F(PrintRunTest, AFailedSwitchIsReportedAt106AndEveryFileStillPrints)
{
    h.combo.index = -1;
    h.addRows(NativePaths({"/a.pdf", "/b.pdf"}));
    h.form.PushButton2_Click();
    EXPECT_EQ(reportedLines(), std::vector<int>{106});
    EXPECT_EQ(printed().size(), 2u);
    EXPECT_EQ(h.boxTexts().back(), "Done.");
}

TEST_F(PrintRunTest, AnUnreadableDefaultLeadsToAReportAt130AndStillDone)
{
    h.printers.defaultFailure = Failure("The print system is not running.", 1282);
    h.boxes.onShow = [&](const FakeMessageBoxes::Box&) { h.printers.defaultFailure.reset(); };
    h.addRows(NativePaths({"/a.pdf"}));
    h.form.PushButton2_Click();
    ASSERT_EQ(h.boxes.shown.size(), 3u);
    EXPECT_EQ(h.boxes.shown[0].text.rfind("Error No: 1282", 0), 0u);
    EXPECT_EQ(reportedLines(), std::vector<int>{130});
    EXPECT_TRUE(h.printerGuard.calls.empty());  // no default to put back
    EXPECT_EQ(h.boxTexts().back(), "Done.");
}

// A nested run reads the outer run's printer as the default: never one to arm the guard with.
TEST_F(PrintRunTest, ANestedRunDoesNotArmTheGuardWhereTheOuterRunCouldNot)
{
    h.printers.defaultFailure = Failure("The print system is not running.", 1282);
    h.addRows(NativePaths({"/a.pdf"}));
    h.pump.onTurn = [&] {
        if (h.printers.defaultFailure) {
            h.printers.defaultFailure.reset();
            h.form.PushButton2_Click();
        }
    };
    h.form.PushButton2_Click();
    EXPECT_TRUE(h.printerGuard.calls.empty());
}

TEST_F(PrintRunTest, WithoutAReaderEachFileSaysSoAndDoneFollows)
{
    h.fileSystem.remove(kReader);
    h.fileSystem.addFile(NativeJoin(kProgramFiles, "Adobe/Reader/acrord32.exe"));
    h.addRows(NativePaths({"/a.pdf", "/b.pdf", "/c.pdf"}));
    h.form.PushButton2_Click();
    EXPECT_EQ(h.boxTexts(), (std::vector<std::string>{kNotFound, kNotFound, kNotFound, "Done."}));
    EXPECT_TRUE(h.processes.starts.empty());
    EXPECT_EQ(h.clock.steady, 6000) << "the pause follows every file";
}

TEST_F(PrintRunTest, ASecondClickRunsANestedRunThatEndsFirst)
{
    h.addRows(NativePaths({"/a.pdf", "/b.pdf"}));
    bool clicked = false;
    h.pump.onTurn = [&] {
        if (!clicked && h.processes.starts.size() == 1) {
            clicked = true;
            h.form.PushButton2_Click();
        }
    };
    h.form.PushButton2_Click();
    EXPECT_EQ(printed(), NativePaths({"/a.pdf", "/a.pdf", "/b.pdf", "/b.pdf"}));
    EXPECT_EQ(h.boxTexts(), (std::vector<std::string>{"Done.", "Done."}));
    EXPECT_EQ(h.printers.defaultName, "office");
}

TEST_F(PrintRunTest, ARowRemovedUnderTheRunPrintsNothingInItsPass)
{
    h.addRows(NativePaths({"/a.pdf", "/b.pdf", "/c.pdf"}));
    h.pump.onTurn = [&] {
        if (h.processes.starts.size() == 1 && h.form.fileList().count() == 3)
            h.form.fileList().remove(3);
    };
    h.form.PushButton2_Click();
    EXPECT_EQ(printed(), NativePaths({"/a.pdf", "/b.pdf"}));
    EXPECT_EQ(reportedLines(), std::vector<int>{116});
    for (double value : h.progress.values)
        EXPECT_LE(value, 100);
    EXPECT_EQ(h.boxTexts().back(), "Done.");
}

TEST_F(PrintRunTest, AListEmptiedUnderTheRunEndsWithDone)
{
    h.addRows(NativePaths({"/a.pdf", "/b.pdf"}));
    h.pump.onTurn = [&] {
        if (h.processes.starts.size() == 1)
            h.form.PushButton4_Click();
    };
    h.form.PushButton2_Click();
    EXPECT_EQ(printed(), NativePaths({"/a.pdf"}));
    EXPECT_EQ(h.boxTexts().back(), "Done.");
    EXPECT_EQ(h.printers.defaultName, "office");
}

// Wherever the event loop ends (the window closed) during a run, in the run's own turns, the
// reader search, the reader wait or the pause, the run stops there: the click returns, the
// loop takes no further turn, no reader starts and nothing is shown, and the default is back.
TEST_F(PrintRunTest, EndingTheEventLoopAtAnyTurnStopsTheRunThereAndPutsTheDefaultBack)
{
    const std::vector<std::string> rows = NativePaths({"/a.pdf", "/b.pdf"});
    h.addRows(rows);
    h.form.PushButton2_Click();
    const int turnsOfAWholeRun = h.pump.turns;
    ASSERT_GT(turnsOfAWholeRun, 6);

    for (int end = 1; end <= turnsOfAWholeRun; ++end) {
        FormHarness run;
        SetUpRun(run);
        run.addRows(rows);
        std::size_t startsBeforeTheEnd = 0;
        run.pump.onTurn = [&] {
            if (run.pump.turns == end) {
                run.pump.loopEnded = true;
                startsBeforeTheEnd = run.processes.starts.size();
            }
        };
        run.form.PushButton2_Click();
        EXPECT_EQ(run.pump.turns, end);
        EXPECT_EQ(run.processes.starts.size(), startsBeforeTheEnd) << "turn " << end;
        EXPECT_TRUE(run.processes.openHandles.empty()) << "turn " << end;
        EXPECT_TRUE(run.boxTexts().empty()) << "turn " << end;
        EXPECT_EQ(run.printers.setDefaultCalls, (std::vector<std::string>{"label", "office"})) << "turn " << end;
    }
}

// A nested run (a click during a run) puts back the printer it found, the chosen one, and the
// outer run then the user's own: when the loop ends in the inner run, as each unwinds; when
// the process ends under both, at once. Should the process live on then, the runs go on, print
// nothing more on a printer that is no longer the default, and put nothing back twice.
TEST_F(PrintRunTest, NestedRunsPutTheirDefaultsBackInnermostFirstOnEveryWayOut)
{
    struct Way {
        const char* name;
        std::function<void(FormHarness&)> end;
        const char* defaultOnceEnded;
        long doneNotices;
    };
    const Way ways[] = {
        {"the event loop ends", [](FormHarness& run) { run.pump.loopEnded = true; }, "label", 0},
        {"the process ends", [](FormHarness& run) { run.form.ProgramEndsNow(); }, "office", 2},
    };
    for (const Way& way : ways) {
        FormHarness run;
        SetUpRun(run);
        run.processes.statuses = {kStillActive};  // each reader runs until the test ends it
        run.addRows(NativePaths({"/a.pdf", "/b.pdf"}));
        bool clicked = false;
        std::string defaultOnceEnded;
        run.pump.onTurn = [&] {
            if (!clicked && run.processes.starts.size() == 1) {
                clicked = true;
                run.form.PushButton2_Click();
            } else if (defaultOnceEnded.empty() && run.processes.starts.size() == 2) {
                way.end(run);
                defaultOnceEnded = run.printers.defaultName;
                run.processes.statuses = {0};
            }
        };
        run.form.PushButton2_Click();
        const std::vector<std::string> boxes = run.boxTexts();
        EXPECT_EQ(defaultOnceEnded, way.defaultOnceEnded) << way.name;
        EXPECT_EQ(run.printers.setDefaultCalls, (std::vector<std::string>{"label", "label", "label", "office"}))
            << way.name;
        EXPECT_EQ(run.printerGuard.calls,
                  (std::vector<std::string>{"0: arm office", "0: watch label", "1: watch label", "4: release"}))
            << way.name;
        EXPECT_EQ(run.processes.starts.size(), 2u) << way.name;
        EXPECT_EQ(std::count(boxes.begin(), boxes.end(), "Done."), way.doneNotices) << way.name;
    }
}

TEST_F(PrintRunTest, TheHourglassStaysThroughTheRun)
{
    h.addRows(NativePaths({"/a.pdf"}));
    int turnsWhileBusy = 0;
    h.pump.onTurn = [&] {
        h.form.PushButton_MouseMove(1);
        EXPECT_EQ(h.window.pointerKind, PointerKind::Busy);
        ++turnsWhileBusy;
    };
    h.form.PushButton2_Click();
    EXPECT_GT(turnsWhileBusy, 0) << "the run never let the window handle a pointer move";
}

TEST_F(PrintRunTest, FilesAreNotSentElsewhereOnceTheChosenPrinterStopsBeingTheDefault)
{
    h.addRows(NativePaths({"/a.pdf", "/b.pdf", "/c.pdf"}));
    h.pump.onTurn = [&] {
        if (h.processes.starts.size() == 1)
            h.printers.defaultName = "office";  // the chosen printer went away
    };
    h.form.PushButton2_Click();
    EXPECT_EQ(printed(), NativePaths({"/a.pdf"}));
    EXPECT_EQ(reportedLines("Pagevane.DoItByFile"), (std::vector<int>{106, 106}));
    EXPECT_EQ(h.boxTexts().back(), "Done.");
}

TEST(ReaderCommandLine, IsThePlainQuotedLineForOrdinaryNames)
{
    const std::string reader = Native("/opt/Adobe/Reader/AcroRd32.exe");
    const std::string document = Native("/docs/My report.pdf");
    EXPECT_EQ(ReaderCommandLine(reader, document), "\"" + reader + "\" /p /h \"" + document + "\"");
}

struct ReaderSearchTest : PrintRunTest {
    std::string found()
    {
        return FindFilesInTree(h.fileSystem, h.pump, NativeJoin(kProgramFiles, "Adobe"), {"AcroRd32.exe"})[0];
    }
};

TEST_F(ReaderSearchTest, TheShallowestCopyWinsThenTheEarlierParent)
{
    const std::string adobe = NativeJoin(kProgramFiles, "Adobe");
    h.fileSystem.remove(kReader);
    h.fileSystem.addTree(adobe, {"A/X/AcroRd32.exe", "B/AcroRd32.exe", "C/AcroRd32.exe"});
    EXPECT_EQ(found(), NativeJoin(adobe, "B/AcroRd32.exe"));
    h.fileSystem.addFile(NativeJoin(adobe, "AcroRd32.exe"));
    EXPECT_EQ(found(), NativeJoin(adobe, "AcroRd32.exe"));
}

TEST_F(ReaderSearchTest, IgnoresOtherCaseAndHiddenFoldersAndAMissingRoot)
{
    const std::string adobe = NativeJoin(kProgramFiles, "Adobe");
    h.fileSystem.remove(kReader);
    h.fileSystem.addFile(NativeJoin(adobe, "Reader/acrord32.exe"));
    h.fileSystem.addFolder(NativeJoin(adobe, ".cache"), attr::kDirectory | attr::kHidden);
    h.fileSystem.addFile(NativeJoin(adobe, ".cache/AcroRd32.exe"));
    EXPECT_EQ(found(), "");
    EXPECT_EQ(FindFilesInTree(h.fileSystem, h.pump, Native("/nowhere/Adobe"), {"AcroRd32.exe"})[0], "");
}

// AcroRd32.exe below the 32-bit Program Files folder ("x86") first, as ever; then each name in
// both trees ("x64" the native one); then registered paths (by name) where a file is there.
TEST(FindReader, KeepsTheOldReaderThenTriesEachNameInEachTreeThenRegisteredFiles)
{
    // Each row: the reader found followed by the registered paths; the files there.
    const std::initializer_list<std::string_view> rows[][2] = {
        {{"/x86/Adobe/R/AcroRd32.exe"},
         {"x86/Adobe/R/AcroRd32.exe", "x64/Adobe/Acrobat.exe", "x64/Adobe/AcroRd32.exe"}},
        {{"/x64/Adobe/R/AcroRd32.exe"}, {"x86/Adobe/Acrobat.exe", "x64/Adobe/R/AcroRd32.exe"}},
        {{"/x86/Adobe/A/B/Acrobat.exe"}, {"x86/Adobe/A/B/Acrobat.exe", "x64/Adobe/Acrobat.exe"}},
        {{"/x64/Adobe/A/Acrobat.exe"}, {"x64/Adobe/acrobat.exe", "x64/Adobe/A/Acrobat.exe"}},
        {{"/r/Acrobat.exe", "/r/AcroRd32.exe", "/gone/AcroRd32.exe", "/r/Acrobat.exe"},
         {"r/AcroRd32.exe/", "r/Acrobat.exe"}},
        {{"", "/gone/AcroRd32.exe"}, {"x64/Adobe/Readme.exe"}},
    };
    for (const auto& [found, files] : rows) {
        FakeServiceSet fakes;
        fakes.shell.nativeProgramFiles = Native("/x64");
        fakes.fileSystem.addTree(Native("/"), files);
        for (std::string_view registered : std::vector(found.begin() + 1, found.end()))
            fakes.shell.registeredPrograms[std::string(registered.substr(registered.rfind('/') + 1))].push_back(
                Native(registered));
        EXPECT_EQ(FindReader(fakes.shell, fakes.fileSystem, fakes.pump, Native("/x86")), Native(*found.begin()));
    }
}

TEST_F(PrintRunTest, WithoutProgramFilesTheSearchStartsAtTheRootsAdobeFolder)
{
    h.shell.specialFolders.clear();
    h.fileSystem.addFolder(Native("/Adobe"));
    h.fileSystem.addFile(Native("/Adobe/AcroRd32.exe"));
    h.addRows(NativePaths({"/a.pdf"}));
    h.form.PushButton2_Click();
    ASSERT_EQ(h.processes.starts.size(), 1u);
    // The empty folder path leaves a separator before "Adobe": on Windows a path rooted on the
    // current drive without naming it.
    const std::string reader = kPathSeparator == '\\' ? "\"\\Adobe\\AcroRd32.exe\"" : "\"/Adobe/AcroRd32.exe\"";
    EXPECT_EQ(h.processes.starts[0].commandLine.rfind(reader, 0), 0u);
}

TEST_F(PrintRunTest, AReaderThatCannotStartIsPassedOverSilently)
{
    h.processes.startFailure = Failure("No such file or directory", 2);
    h.addRows(NativePaths({"/a.pdf"}));
    h.form.PushButton2_Click();
    EXPECT_EQ(h.boxTexts(), std::vector<std::string>{"Done."});
}

}  // namespace
}  // namespace pv::testing
