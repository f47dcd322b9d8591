// A print run over a very long list, closed by the user part-way: the real window (offscreen)
// shows the list; the file tree, processes, printers and the clock are fakes, so that the
// run's pauses take no time and nothing is printed for real.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTreeView>

#include "app/form1.h"
#include "fakes/form_harness.h"
#include "ui/qt/main_window.h"

namespace pv::testing {
namespace {

constexpr int kRows = 100'000;

TEST(PrintRunLoad, ClosingAfterTheThirdFileOfAHundredThousandPutsTheDefaultBackAndPrintsNoMore)
{
    FakeServiceSet fakes;
    fakes.shell.specialFolders[kProgramFilesFolder] = "/opt/pressvale/libexec";
    for (const char* folder : {"/opt", "/opt/pressvale", "/opt/pressvale/libexec", "/opt/pressvale/libexec/Adobe"})
        fakes.fileSystem.addFolder(folder);
    fakes.fileSystem.addFile("/opt/pressvale/libexec/Adobe/AcroRd32.exe");
    Services& services = fakes.services;
    fakes.printers.names = {"office", "label"};
    fakes.printers.defaultName = "office";

    int loopEnds = 0;
    MainWindow window([&] {
        ++loopEnds;
        fakes.pump.loopEnded = true;
    });
    Form1 form(services, Form1Controls{window, window.listView(), window.comboBox(), window.progressBar()},
               ProgramConfig{kTestProgramFolder, kTestSupportAddress, kTestHomePage});
    window.attachFileList(&form.fileList());
    window.setEvents(&form);
    form.Form_Load();
    window.show();
    window.comboBox().setCurrentIndex(1);
    ASSERT_EQ(window.comboBox().text(), "label");

    for (int row = 1; row <= kRows; ++row)
        form.fileList().append("/documents/file " + std::to_string(row) + ".pdf");
    QCoreApplication::processEvents();
    ASSERT_EQ(window.findChild<QTreeView*>(QStringLiteral("ListView1"))->model()->rowCount(), kRows);

    // The user closes the window during the pause after the third file.
    fakes.pump.onWait = [&](std::chrono::milliseconds duration) {
        fakes.clock.advance(duration);
        if (loopEnds == 0 && fakes.processes.starts.size() == 3 && duration == std::chrono::seconds(2))
            window.close();
    };

    form.PushButton2_Click();

    // The run stopped in that pause and put the default back on its way out.
    EXPECT_EQ(loopEnds, 1);
    EXPECT_EQ(fakes.printers.defaultName, "office");
    ASSERT_EQ(fakes.processes.starts.size(), 3u);
    EXPECT_NE(fakes.processes.starts[2].commandLine.find("\"/documents/file 3.pdf\""), std::string::npos);
    EXPECT_TRUE(fakes.boxes.shown.empty());
    window.setEvents(nullptr);
    window.attachFileList(nullptr);
}

}  // namespace
}  // namespace pv::testing
