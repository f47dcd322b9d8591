// Stand-in for the PDF reader on Windows. Called as
//     AcroRd32.exe /p /h FILE
// it sends FILE unchanged (data type RAW) to the current default printer through the
// spooler and exits 0 once the spooler has accepted the job. Any other outcome ends with one
// line on stderr and a non-zero exit status.

#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32_support/default_printer.h"
#include "platform/win32_support/owned.h"
#include "platform/win32_support/system_error.h"
#include "platform/win32_support/wide_text.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kPrintError = 1;

// The system's text for `error`, with its number.
std::string ErrorText(DWORD error)
{
    return pv::win32::SystemErrorText(error) + " (error " + std::to_string(error) + ")";
}

int Fail(std::string line)
{
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '?';
    }
    std::fprintf(stderr, "AcroRd32.exe: %s\n", line.c_str());
    return kPrintError;
}

// The job title: the file's base name.
std::wstring JobTitle(const std::wstring& path)
{
    const auto separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4 || std::wstring(argv[1]) != L"/p" || std::wstring(argv[2]) != L"/h") {
        std::fputs("usage: AcroRd32.exe /p /h FILE\n", stderr);
        return kUsageError;
    }
    const std::wstring path = argv[3];
    const std::string name = "\"" + pv::win32::Utf8(path) + "\"";

    const pv::win32::KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return Fail("cannot read " + name + ": " + ErrorText(GetLastError()));
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        return Fail("cannot read " + name + ": not a regular file");

    std::wstring printer;
    try {
        const std::optional<std::wstring> current = pv::win32::CurrentDefaultPrinter();
        if (!current)
            return Fail("no default printer");
        printer = *current;
    } catch (const pv::Failure& failure) {
        return Fail(failure.description());
    }
    const std::string printerName = "printer \"" + pv::win32::Utf8(printer) + "\"";
    pv::win32::PrinterHandle spooler;
    if (!OpenPrinterW(const_cast<wchar_t*>(printer.c_str()), spooler.out(), nullptr))
        return Fail("cannot open " + printerName + ": " + ErrorText(GetLastError()));

    std::wstring title = JobTitle(path);
    wchar_t dataType[] = L"RAW";
    DOC_INFO_1W document{title.data(), nullptr, dataType};
    if (StartDocPrinterW(spooler.get(), 1, reinterpret_cast<BYTE*>(&document)) == 0)
        return Fail(printerName + " refused " + name + ": " + ErrorText(GetLastError()));
    std::vector<char> chunk(1 << 16);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr)) {
            const DWORD error = GetLastError();
            AbortPrinter(spooler.get());
            return Fail("cannot read " + name + ": " + ErrorText(error));
        }
        if (read == 0)
            break;
        DWORD written = 0;
        if (!WritePrinter(spooler.get(), chunk.data(), read, &written) || written != read) {
            const DWORD error = GetLastError();
            AbortPrinter(spooler.get());
            return Fail(printerName + " took only part of " + name + ": " + ErrorText(error));
        }
    }
    if (!EndDocPrinter(spooler.get()))
        return Fail(printerName + " did not accept " + name + ": " + ErrorText(GetLastError()));
    return 0;
}
