#include "print_run_fixture.h"

#include <unistd.h>

#include <QApplication>
#include <QPushButton>

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace pv::testing {

namespace fs = std::filesystem;

RealProgram::RealProgram(const std::string& programFolder)
    : window([this] { eventPump.endLoop(); }),
      shell(programFolder),
      form(services, Form1Controls{window, window.listView(), window.comboBox(), window.progressBar()},
           ProgramConfig{programFolder, "help@pressvale.test", "https://pressvale.test/"})
{
    window.attachFileList(&form.fileList());
    window.setEvents(&form);
    form.Form_Load();
}

RealProgram::~RealProgram()
{
    window.setEvents(nullptr);
    window.attachFileList(nullptr);
}

void RealProgram::choosePrinter(const std::string& printer)
{
    for (int i = 0; i < window.comboBox().count(); ++i) {
        if (window.comboBox().item(i) == printer)
            window.comboBox().setCurrentIndex(i);
    }
    ASSERT_EQ(window.comboBox().text(), printer);
}

void RealProgram::click(int number)
{
    auto* button = window.findChild<QPushButton*>(QStringLiteral("PushButton%1").arg(number));
    ASSERT_NE(button, nullptr);
    button->click();
}

void RealProgram::clickInTheEventLoop(int number)
{
    QTimer::singleShot(0, [this, number] {
        click(number);
        QCoreApplication::exit(0);
    });
    // Its end leaves no exit behind for the event loops of later tests.
    QApplication::exec();
}

void RealProgram::addRows(const std::vector<fs::path>& paths)
{
    for (const fs::path& path : paths)
        form.fileList().append(path.string());
}

std::vector<std::string> RealProgram::boxTexts() const
{
    std::vector<std::string> texts;
    for (const auto& box : boxes.shown)
        texts.push_back(box.text);
    return texts;
}

void PrintRunFixture::SetUp()
{
    PrivateSchedulerTest::SetUp();
    for (const char* printer : {"office", "label"}) {
        fs::remove_all(jobFolder(printer));
        fs::create_directories(jobFolder(printer));
    }
    scratch = fs::temp_directory_path() / ("pressvale-e2e-" + std::to_string(getpid()));
    documents = scratch / "documents";
    fs::create_directories(documents);
}

void PrintRunFixture::TearDown()
{
    fs::remove_all(scratch);
}

fs::path PrintRunFixture::addDocument(const std::string& name, const std::string& body)
{
    const fs::path path = documents / name;
    writeFile(path, "%PDF-1.4\n% " + body + "\n%%EOF\n");
    return path;
}

std::vector<std::string> PrintRunFixture::jobsOn(const std::string& printer)
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

std::vector<std::string> PrintRunFixture::contentsOf(const std::vector<fs::path>& files)
{
    std::vector<std::string> contents;
    for (const fs::path& file : files)
        contents.push_back(readFile(file));
    return contents;
}

std::string PrintRunFixture::programFolderWithReader(const std::string& script)
{
    const fs::path prefix = scratch / "prefix";
    const fs::path reader = prefix / "libexec" / "Adobe" / "Reader" / "AcroRd32.exe";
    fs::create_directories(prefix / "bin");
    fs::create_directories(reader.parent_path());
    writeFile(reader, script);
    fs::permissions(reader, fs::perms::owner_all);
    return (prefix / "bin").string();
}

std::vector<pid_t> ChildProcesses()
{
    std::vector<pid_t> children;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (!std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isdigit(c); }))
            continue;
        // /proc/PID/stat: "pid (command) state ppid ..."; the command may hold spaces and
        // parentheses, so the fields are read after its last ')'.
        const std::string stat = readFile(entry.path() / "stat");
        const auto close = stat.rfind(')');
        if (close == std::string::npos)
            continue;
        char state = 0;
        int parent = 0;
        std::error_code error;
        const bool guard = fs::read_symlink(entry.path() / "exe", error) == kGuardProgram;
        if (std::sscanf(stat.c_str() + close + 1, " %c %d", &state, &parent) == 2 && parent == getpid() && !guard)
            children.push_back(std::stoi(name));
    }
    return children;
}

}  // namespace pv::testing
