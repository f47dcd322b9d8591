#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/win32_file_dialogs.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_shell.h"

namespace pv {
namespace {

using namespace std::string_literals;

TEST(Win32ShellTest, ProgramFilesIsTheFolderOf32BitPrograms)
{
    Win32Processes processes;
    Win32Shell shell(processes);
    const std::string folder = shell.specialFolderPath(kProgramFilesFolder);
    EXPECT_EQ(folder, "C:\\Program Files (x86)");
    Win32FileSystem fileSystem;
    const auto status = fileSystem.status(folder);
    ASSERT_TRUE(status);
    EXPECT_TRUE(status->attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(shell.specialFolderPath(0x7fff), "");
}

TEST(Win32FileDialogsTest, TheFilterAndTheChosenNamesTakeTheirNulSeparatedForms)
{
    EXPECT_EQ(DialogFilter("PDF Files (*.pdf)|*.pdf|All Files|*.*"), L"PDF Files (*.pdf)\0*.pdf\0All Files\0*.*\0\0"s);
    EXPECT_EQ(ChosenNames(L"C:\\Docs\\a.pdf\0\0\0\0"s), "C:\\Docs\\a.pdf");
    EXPECT_EQ(ChosenNames(L"C:\\Docs\0a.pdf\0\u00fc.pdf\0\0\0"s), "C:\\Docs\0a.pdf\0\xc3\xbc.pdf"s);
}

}  // namespace
}  // namespace pv
