// The whole print run on this machine: the real window (offscreen), the real file system,
// processes and CUPS, the stand-in reader found below the build tree's libexec folder, and a
// private scheduler whose printers write every job to a file. Only the message boxes are
// answered by the test.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>

#include <algorithm>
#include <filesystem>

#include "app/form1.h"
#include "fakes/fake_services.h"
#include "platform/cups/cups_printers.h"
#include "platform/posix/posix_clock.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_processes.h"
#include "platform/qt/main_window.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_shell.h"
#include "private_scheduler.h"

namespace pv::testing {
namespace {

namespace fs = std::filesystem;

class PrintRunEndToEnd : public PrivateSchedulerTest {
protected:
    void SetUp() override
    {
        PrivateSchedulerTest::SetUp();
        for (const char* printer : {"office", "label"}) {
            fs::remove_all(jobFolder(printer));
            fs::create_directories(jobFolder(printer));
        }
        documents = fs::temp_directory_path() / ("pressvale-e2e-" + std::to_string(getpid()));
        fs::create_directories(documents);
    }
    void TearDown() override { fs::remove_all(documents); }

    fs::path addDocument(const std::string& name, const std::string& body)
    {
        const fs::path path = documents / name;
        writeFile(path, "%PDF-1.4\n% " + body + "\n%%EOF\n");
        return path;
    }

    // The jobs a printer received, in the order the scheduler numbered them.
    std::vector<std::string> jobsOn(const std::string& printer)
    {
        std::vector<std::pair<int, fs::path>> jobs;
        for (const auto& entry : fs::directory_iterator(jobFolder(printer))) {
            if (entry.path().extension() == ".job")
                jobs.emplace_back(std::stoi(entry.path().stem().string()), entry.path());
        }
        std::sort(jobs.begin(), jobs.end());
        std::vector<std::string> contents;
        for (const auto& job : jobs)
            contents.push_back(readFile(job.second));
        return contents;
    }

    fs::path documents;
};

TEST_F(PrintRunEndToEnd, PrintsEveryRowInOrderOnTheChosenPrinterAndPutsTheDefaultBack)
{
    MainWindow window([] {});
    PosixFileSystem fileSystem;
    PosixProcesses processes;
    CupsPrinters printers;
    FakeSettingsStore settings;
    QtShell shell(PRESSVALE_PROGRAM_FOLDER);
    FakeMessageBoxes boxes;
    FakeFileDialogs dialogs;
    QtEventPump eventPump;
    PosixClock clock;
    StandardRandomSource random;
    Services services{fileSystem, processes, printers, settings, shell, boxes, dialogs, eventPump, clock, random};
    Form1 form(services, Form1Controls{window, window.listView(), window.comboBox(), window.progressBar()},
               ProgramConfig{PRESSVALE_PROGRAM_FOLDER, "help@pressvale.test", "https://pressvale.test/"});
    window.attachFileList(&form.fileList());
    window.setEvents(&form);
    form.Form_Load();
    ASSERT_TRUE(boxes.shown.empty()) << boxes.shown.front().text;
    ASSERT_EQ(printers.defaultPrinter(), "office");

    const std::vector<fs::path> files{
        addDocument("plain.pdf", "one"),
        addDocument("with space.pdf", "two"),
        addDocument("-dash \"quoted\" back\\slash\\.pdf", "three"),
        addDocument("caf\xe9 $(touch pwned).pdf", "four"),
        addDocument("plain.pdf.copy.pdf", "five"),
    };
    const std::vector<fs::path> rows{files[0], files[1], files[2], files[0], files[3], files[4]};
    for (const fs::path& row : rows)
        form.fileList().append(row.string());

    for (int i = 0; i < window.comboBox().count(); ++i) {
        if (window.comboBox().item(i) == "label")
            window.comboBox().setCurrentIndex(i);
    }
    ASSERT_EQ(window.comboBox().text(), "label");

    form.PushButton2_Click();

    std::vector<std::string> expected;
    for (const fs::path& row : rows)
        expected.push_back(readFile(row));
    EXPECT_EQ(jobsOn("label"), expected);
    EXPECT_TRUE(jobsOn("office").empty());
    EXPECT_EQ(printers.defaultPrinter(), "office");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Done.");
    EXPECT_FALSE(fs::exists(fs::current_path() / "pwned"));
}

}  // namespace
}  // namespace pv::testing

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
