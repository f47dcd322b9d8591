#include <windows.h>
#include <gtest/gtest.h>

#include "platform/win32/win32_file_dialogs.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_shell.h"

namespace pv {
namespace {

using namespace std::string_literals;

TEST(Win32ShellTest, ProgramFilesIsTheFolderOf32BitProgramsAndTheNativeOneOf64BitPrograms)
{
    Win32Processes processes;
    Win32Shell shell(processes);
    EXPECT_EQ(shell.specialFolderPath(kProgramFilesFolder), "C:\\Program Files (x86)");
    EXPECT_EQ(shell.nativeProgramFilesPath(), "C:\\Program Files");
    EXPECT_EQ(shell.specialFolderPath(0x7fff), "");
}

TEST(Win32FileDialogsTest, TheFilterAndSeveralChosenNamesTakeTheirNulSeparatedForms)
{
    EXPECT_EQ(DialogFilter("PDF (*.pdf)|*.pdf|All|*.*"), L"PDF (*.pdf)\0*.pdf\0All\0*.*\0\0"s);
    EXPECT_EQ(ChosenNames(L"C:\\Docs\0a.pdf\0\u00fc.pdf\0\0\0"s), "C:\\Docs\0a.pdf\0\xc3\xbc.pdf"s);
}

}  // namespace
}  // namespace pv
