// The Win32 stand-in reader against the private scheduler's printers, as Wine shows them:
// "alpha", the default, and "beta". Jobs arrive as files below PRESSVALE_JOBS\<printer>\.

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

struct Outcome {
    DWORD exitCode = 0;
    std::string errorOutput;
};

// Runs the reader with `arguments` and collects its exit code and error output.
Outcome RunReader(const std::wstring& arguments)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = writeEnd;
    startup.hStdOutput = writeEnd;
    std::wstring command = L"\"" PRESSVALE_READER L"\" " + arguments;
    PROCESS_INFORMATION started{};
    Outcome outcome;
    if (!CreateProcessW(PRESSVALE_READER, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &started)) {
        outcome.exitCode = ~0u;
        return outcome;
    }
    CloseHandle(writeEnd);
    char buffer[512];
    DWORD read = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0)
        outcome.errorOutput.append(buffer, read);
    WaitForSingleObject(started.hProcess, INFINITE);
    GetExitCodeProcess(started.hProcess, &outcome.exitCode);
    CloseHandle(started.hProcess);
    CloseHandle(started.hThread);
    CloseHandle(readEnd);
    return outcome;
}

std::set<fs::path> Jobs(const wchar_t* printer)
{
    std::set<fs::path> jobs;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(fs::path(PRESSVALE_JOBS) / printer, error)) {
        if (entry.path().extension() == ".job")
            jobs.insert(entry.path());
    }
    return jobs;
}

std::string Contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Win32ReaderTest : public ::testing::Test {
protected:
    Win32ReaderTest()
    {
        folder = fs::temp_directory_path() / ("pressvale-reader-" + std::to_string(GetCurrentProcessId()));
        fs::create_directories(folder);
    }
    ~Win32ReaderTest() override
    {
        std::error_code error;
        fs::remove_all(folder, error);
    }

    fs::path folder;
};

TEST_F(Win32ReaderTest, SendsTheFileUnchangedToTheDefaultPrinterOnly)
{
    // Bytes a text conversion would change: line ends, a NUL, bytes above 127.
    std::string document = "%PDF-1.4\r\n%\xe2\xe3\xcf\xd3\n";
    document += std::string("\0\x01\x7f\xff", 4) + "\n%%EOF\n";
    const fs::path file = folder / L"r\u00e9sum\u00e9 \u65e5\u672c.pdf";
    std::ofstream(file, std::ios::binary) << document;
    const auto alphaBefore = Jobs(L"alpha");
    const auto betaBefore = Jobs(L"beta");

    const Outcome outcome = RunReader(L"/p /h \"" + file.wstring() + L"\"");
    ASSERT_EQ(outcome.exitCode, 0u) << outcome.errorOutput;

    std::set<fs::path> added;
    for (int tries = 0; tries < 200 && added.empty(); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        for (const fs::path& job : Jobs(L"alpha")) {
            if (!alphaBefore.count(job))
                added.insert(job);
        }
    }
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(Contents(*added.begin()), document);
    EXPECT_EQ(Jobs(L"beta"), betaBefore);
}

TEST_F(Win32ReaderTest, AMissingFileFailsWithOneLine)
{
    const Outcome outcome = RunReader(L"/p /h \"" + (folder / L"missing.pdf").wstring() + L"\"");
    EXPECT_EQ(outcome.exitCode, 1u);
    EXPECT_EQ(outcome.errorOutput.rfind("AcroRd32.exe: cannot read", 0), 0u) << outcome.errorOutput;
    EXPECT_EQ(outcome.errorOutput.find('\n'), outcome.errorOutput.size() - 1);
}

TEST_F(Win32ReaderTest, OtherArgumentsAreAUsageError)
{
    EXPECT_EQ(RunReader(L"/p \"a.pdf\"").exitCode, 2u);
    EXPECT_EQ(RunReader(L"/h /p \"a.pdf\"").exitCode, 2u);
}

}  // namespace
