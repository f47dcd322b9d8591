#include "platform/win32/win32_switch_record_store.h"

#include <utility>
#include <vector>

#include "platform/win32_support/process_start.h"
#include "platform/win32_support/system_error.h"
#include "platform/win32_support/wide_text.h"

namespace pv {
namespace {

constexpr wchar_t kRecordName[] = L"\\default-printer-switch";
constexpr wchar_t kRunOnceKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr wchar_t kRunOnceValue[] = L"Pressvale default printer";

// The local (never roaming) application data folder's Pressvale folder; empty without one.
std::wstring RecordFolder()
{
    wchar_t base[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", base, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(base, length) + L"\\Pressvale" : std::wstring();
}

std::string ComputerName()
{
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &size) ? win32::Utf8({name, size}) : std::string();
}

std::string UserName()
{
    wchar_t name[257];
    DWORD size = 257;
    return GetUserNameW(name, &size) && size > 0 ? win32::Utf8({name, size - 1}) : std::string();
}

// When process `id` started, as text; empty for an id that names no running process.
std::string StartOf(DWORD id)
{
    const std::optional<unsigned long long> started = win32::ProcessStart(id);
    return started ? std::to_string(*started) : std::string();
}

[[noreturn]] void ThrowWriteFailure(DWORD error)
{
    throw win32::SystemFailure("Cannot write the default printer record", error);
}

}  // namespace

Win32SwitchRecordStore::Win32SwitchRecordStore(std::wstring guardProgram)
    : guardProgram_(std::move(guardProgram)),
      folder_(RecordFolder())
{}

bool Win32SwitchRecordStore::lock() noexcept
{
    if (folder_.empty())
        return false;
    CreateDirectoryW(folder_.c_str(), nullptr);
    lock_ = win32::KernelHandle(CreateFileW((folder_ + kRecordName + L".lock").c_str(), GENERIC_READ | GENERIC_WRITE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    OVERLAPPED start{};
    if (lock_.valid() && LockFileEx(lock_.get(), LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &start))
        return true;
    lock_ = {};
    return false;
}

void Win32SwitchRecordStore::unlock() noexcept
{
    // Closing the file ends its lock.
    lock_ = {};
}

std::optional<std::string> Win32SwitchRecordStore::read()
{
    const win32::KernelHandle file(CreateFileW((folder_ + kRecordName).c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return std::nullopt;
    std::string text;
    char buffer[4096];
    DWORD count = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &count, nullptr) && count > 0)
        text.append(buffer, count);
    return text;
}

void Win32SwitchRecordStore::write(const std::string& text)
{
    win32::RegistryKey runOnce;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, kRunOnceKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                                     nullptr, runOnce.out(), nullptr);
    if (status == ERROR_SUCCESS) {
        const std::wstring command = L"\"" + guardProgram_ + L"\" " + kRestoreSwitch;
        status = RegSetValueExW(runOnce.get(), kRunOnceValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                                static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    }
    if (status != ERROR_SUCCESS || RegFlushKey(runOnce.get()) != ERROR_SUCCESS)
        ThrowWriteFailure(static_cast<DWORD>(status));

    // Written beside the record, flushed and moved over it through to the disk: after a crash
    // or a power cut the record is the old one or the new one, whole.
    const std::wstring path = folder_ + kRecordName;
    const std::wstring part = path + L"." + std::to_wstring(GetCurrentProcessId());
    {
        const win32::KernelHandle file(
            CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file.valid() || !WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
            written != text.size() || !FlushFileBuffers(file.get())) {
            const DWORD error = GetLastError();
            DeleteFileW(part.c_str());
            ThrowWriteFailure(error);
        }
    }
    if (!MoveFileExW(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(part.c_str());
        ThrowWriteFailure(error);
    }
}

void Win32SwitchRecordStore::remove() noexcept
{
    DeleteFileW((folder_ + kRecordName).c_str());
    removeLoginEntry();
}

void Win32SwitchRecordStore::removeLoginEntry() noexcept
{
    win32::RegistryKey runOnce;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunOnceKey, 0, KEY_SET_VALUE, runOnce.out()) == ERROR_SUCCESS)
        RegDeleteValueW(runOnce.get(), kRunOnceValue);
}

switch_record::ProgramIdentity Win32SwitchRecordStore::self()
{
    return identify(GetCurrentProcessId());
}

switch_record::ProgramIdentity Win32SwitchRecordStore::identify(DWORD processId)
{
    return {ComputerName(), UserName(), std::to_string(processId), StartOf(processId)};
}

bool Win32SwitchRecordStore::runs(const switch_record::ProgramIdentity& program)
{
    if (program.host != ComputerName())
        return true;
    if (program.processId.empty() || program.processId.find_first_not_of("0123456789") != std::string::npos ||
        program.processId.size() > 10)
        return false;
    return !program.started.empty() && StartOf(static_cast<DWORD>(std::stoull(program.processId))) == program.started;
}

}  // namespace pv
