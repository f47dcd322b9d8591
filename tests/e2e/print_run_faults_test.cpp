// Print runs that go wrong half-way: the scheduler stops, the chosen printer is deleted, the
// reader crashes or never ends, a file is gone. Whatever happens, the program keeps running,
// the run ends, the user's default printer afterwards is the one from before the run, and no
// file goes to a printer the user did not choose.
//
// These tests stop and change their scheduler, so they have one of their own.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTimer>

#include <cstdlib>

#include "print_run_fixture.h"

namespace pv::testing {
namespace {

namespace fs = std::filesystem;

class PrintRunFaults : public PrintRunFixture {
protected:
    void TearDown() override
    {
        // The next test finds the scheduler as the CTest fixture left it.
        if (!schedulerAnswers())
            startSchedulerAgain();
        if (labelDeleted) {
            EXPECT_EQ(std::system(schedulerCommand("add-printer", "label").c_str()), 0);
        }
        PrintRunFixture::TearDown();
    }

    static bool schedulerAnswers() { return commandOutput("lpstat -r") == "scheduler is running\n"; }

    static std::string schedulerCommand(const std::string& action, const std::string& printer = "")
    {
        return std::string(PRESSVALE_PRIVATE_CUPSD) + " " + action + " " + schedulerDir().string() + " " + printer +
               " >/dev/null";
    }

    // Stops the scheduler by the process id it recorded when it started.
    static void stopScheduler()
    {
        ASSERT_EQ(std::system(schedulerCommand("stop").c_str()), 0);
        ASSERT_FALSE(schedulerAnswers());
    }

    // Starts the scheduler again on its kept configuration and state (printers, default),
    // recording its process id where the CTest fixture's clean-up looks for it.
    static void startSchedulerAgain()
    {
        const std::string dir = schedulerDir().string();
        const std::string command = "cupsd -f -c " + dir + "/cupsd.conf -s " + dir + "/cups-files.conf </dev/null >>" +
                                    dir + "/log/cupsd.out 2>&1 & echo $! >" + dir + "/cupsd.pid";
        ASSERT_EQ(std::system(command.c_str()), 0);
        for (int i = 0; i < 100 && !schedulerAnswers(); ++i)
            usleep(100'000);
        ASSERT_TRUE(schedulerAnswers());
    }

    // The user's own default setting, as the print system keeps it for them.
    static std::string userDefaultSetting() { return readFile(userLpoptions()); }
    // Written directly: run as root, `lpoptions` of newer CUPS writes the system-wide file.
    static void setUserDefaultSetting(const std::string& text) { writeFile(userLpoptions(), text); }

    void expectTheUsersDefaultIsBack(RealProgram& program)
    {
        EXPECT_EQ(program.printers.defaultPrinter(), "office");
        EXPECT_EQ(commandOutput("lpstat -d"), "system default destination: office\n");
        EXPECT_TRUE(jobsOn("office").empty()) << "a file went to a printer the user did not choose";
    }

    // How many boxes report a failure whose description holds `text` at `line` of the run.
    static constexpr const char* kReaderNotStarted = "Pagevane.DoItByFile at line 106";
    static constexpr const char* kRestoreFailed = "PushButton2_Click at line 130";

    // How many reports hold `text` and name `place` ("<procedure> at line <n>").
    static int reportsOf(const RealProgram& program, const std::string& text, const std::string& place)
    {
        int count = 0;
        for (const std::string& box : program.boxTexts()) {
            if (box.find(text) != std::string::npos && box.find(place) != std::string::npos)
                ++count;
        }
        return count;
    }

    // The window still answers a click after the run: the Help box comes up.
    static void expectTheProgramStillAnswers(RealProgram& program)
    {
        const std::size_t before = program.boxes.shown.size();
        program.click(6);
        ASSERT_EQ(program.boxes.shown.size(), before + 1);
        EXPECT_NE(program.boxes.shown.back().text.find("help@pressvale.test"), std::string::npos);
    }

    // One document per word, "<word>.pdf" holding the word, in that order.
    std::vector<fs::path> addDocuments(std::initializer_list<const char*> words)
    {
        std::vector<fs::path> paths;
        for (const std::string word : words)
            paths.push_back(addDocument(word + ".pdf", word));
        return paths;
    }

    bool labelDeleted = false;
};

TEST_F(PrintRunFaults, SchedulerStoppingMidRunLeavesTheRestUnprintedAndTheDefaultIsTheUsersWhenItReturns)
{
    RealProgram program;
    const std::vector<fs::path> rows = addDocuments({"one", "two", "three"});
    program.addRows(rows);
    program.choosePrinter("label");
    WhenReady stop([&] { return jobsOn("label").size() == 1; }, [&] { stopScheduler(); });

    program.click(2);

    ASSERT_TRUE(stop.done);
    // The two files left are not printed, each with a report. Putting the default back is
    // reported too, as it cannot be confirmed; but the user's own setting already names their
    // printer again.
    EXPECT_EQ(program.boxes.shown.size(), 4u);
    EXPECT_EQ(reportsOf(program, "cannot be reached", kReaderNotStarted), 2);
    EXPECT_EQ(reportsOf(program, "\"office\" was saved as the default printer for when it can be reached again",
                        kRestoreFailed),
              1);
    EXPECT_EQ(program.boxTexts().back(), "Done.");
    expectTheProgramStillAnswers(program);
    EXPECT_EQ(userDefaultSetting(), "Default office\n");

    startSchedulerAgain();
    EXPECT_EQ(jobsOn("label"), contentsOf({rows[0]}));
    expectTheUsersDefaultIsBack(program);
}

TEST_F(PrintRunFaults, RunStartedWhileTheSchedulerIsAwayPutsTheUsersDefaultBack)
{
    setUserDefaultSetting("Default office\n");
    RealProgram program;
    const std::vector<fs::path> rows = addDocuments({"one", "two"});
    program.addRows(rows);
    program.choosePrinter("label");
    stopScheduler();

    program.click(2);

    // The user's default is read from their own setting, so it is put back there; the choice
    // and the restore are each reported as unconfirmed. The reader cannot print either file.
    EXPECT_EQ(program.boxes.shown.size(), 3u);
    EXPECT_EQ(reportsOf(program, "\"label\" was saved as the default printer", "PushButton2_Click at line 106"), 1);
    EXPECT_EQ(reportsOf(program, "\"office\" was saved as the default printer", kRestoreFailed), 1);
    EXPECT_EQ(program.boxTexts().back(), "Done.");
    EXPECT_EQ(userDefaultSetting(), "Default office\n");

    startSchedulerAgain();
    EXPECT_TRUE(jobsOn("label").empty());
    expectTheUsersDefaultIsBack(program);
}

TEST_F(PrintRunFaults, DefaultSavedWhileTheSchedulerIsAwayKeepsTheUsersOtherOptions)
{
    CupsPrinters printers;
    const std::string before = "Default label media=a4\nDest label/wide media=a4 sides=two-sided-long-edge\n";
    setUserDefaultSetting(before);
    stopScheduler();

    EXPECT_THROW(printers.setDefault("office"), Failure);

    std::string expected = before;
    expected.replace(expected.find("Default label"), 7, "Dest");
    EXPECT_EQ(userDefaultSetting(), expected + "Default office\n");
    startSchedulerAgain();
    EXPECT_EQ(printers.defaultPrinter(), "office");
}

TEST_F(PrintRunFaults, ChosenPrinterDeletedMidRunSendsNoFileElsewhere)
{
    RealProgram program;
    const std::vector<fs::path> rows = addDocuments({"one", "two", "three"});
    program.addRows(rows);
    program.choosePrinter("label");
    WhenReady remove([&] { return jobsOn("label").size() == 1; },
                     [&] {
                         labelDeleted = true;
                         ASSERT_EQ(std::system("lpadmin -x label"), 0);
                     });

    program.click(2);

    ASSERT_TRUE(remove.done);
    EXPECT_EQ(jobsOn("label"), contentsOf({rows[0]}));
    // The user's setting names a printer that is gone, so there is no default to print on.
    EXPECT_EQ(program.boxes.shown.size(), 3u);
    EXPECT_EQ(reportsOf(program, "No default printer is set.", kReaderNotStarted), 2);
    EXPECT_EQ(program.boxTexts().back(), "Done.");
    expectTheProgramStillAnswers(program);
    expectTheUsersDefaultIsBack(program);
}

TEST_F(PrintRunFaults, ReaderThatCrashesEndsThatFileAndTheRunGoesOn)
{
    RealProgram program(programFolderWithReader("#!/bin/sh\n"
                                                "ulimit -c 0\n"
                                                "case \"$3\" in\n"
                                                "    *segv*) kill -SEGV $$ ;;\n"
                                                "    *kill*) kill -KILL $$ ;;\n"
                                                "esac\n"
                                                "exec '" PRESSVALE_READER "' \"$@\"\n"));
    const std::vector<fs::path> rows = addDocuments({"segv", "kill", "one"});
    program.addRows(rows);
    program.choosePrinter("label");

    program.click(2);

    EXPECT_EQ(jobsOn("label"), contentsOf({rows[2]}));
    EXPECT_EQ(program.boxTexts(), std::vector<std::string>{"Done."});
    expectTheProgramStillAnswers(program);
    expectTheUsersDefaultIsBack(program);
}

TEST_F(PrintRunFaults, ReaderThatNeverEndsLeavesTheWindowAnsweringAndClosingPutsTheDefaultBack)
{
    RealProgram program(programFolderWithReader("#!/bin/sh\nexec sleep 600\n"));
    program.window.show();
    program.addRows(addDocuments({"one", "two"}));
    program.choosePrinter("label");

    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);
    pid_t reader = 0;
    std::string defaultWhileReaderRuns;
    WhenReady close([&] { return ticks >= 25 && ChildProcesses().size() == 1; },
                    [&] {
                        reader = ChildProcesses().front();
                        defaultWhileReaderRuns = program.printers.defaultPrinter();
                        program.click(6);
                        program.window.close();
                    });

    // Should the test go wrong before that, the run must still end and leave no reader behind.
    QTimer rescue;
    rescue.setSingleShot(true);
    QObject::connect(&rescue, &QTimer::timeout, [] {
        for (const pid_t child : ChildProcesses())
            kill(child, SIGKILL);
    });
    rescue.start(std::chrono::seconds(30));

    program.clickInTheEventLoop(2);

    ASSERT_TRUE(close.done) << "what the run reported: " << ::testing::PrintToString(program.boxTexts());
    EXPECT_EQ(defaultWhileReaderRuns, "label");
    ASSERT_GE(program.boxes.shown.size(), 1u);
    EXPECT_NE(program.boxes.shown[0].text.find("help@pressvale.test"), std::string::npos);
    // The run stopped in its wait and put the default back, neither waiting for the reader
    // nor ending it: the reader runs on, until the test ends the one it caused.
    EXPECT_TRUE(jobsOn("label").empty());
    expectTheUsersDefaultIsBack(program);
    EXPECT_EQ(ChildProcesses(), std::vector<pid_t>{reader});
    kill(reader, SIGKILL);
    waitpid(reader, nullptr, 0);
}

TEST_F(PrintRunFaults, FileRemovedAfterAddingIsSkippedByTheReaderAndTheOthersPrint)
{
    RealProgram program;
    const std::vector<fs::path> rows = addDocuments({"one", "gone", "three"});
    program.addRows(rows);
    program.choosePrinter("label");
    fs::remove(rows[1]);

    program.click(2);

    EXPECT_EQ(jobsOn("label"), contentsOf({rows[0], rows[2]}));
    EXPECT_EQ(program.boxTexts(), std::vector<std::string>{"Done."});
    expectTheProgramStillAnswers(program);
    expectTheUsersDefaultIsBack(program);
}

}  // namespace
}  // namespace pv::testing
