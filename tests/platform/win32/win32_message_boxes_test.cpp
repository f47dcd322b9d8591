#include <windows.h>
#include <gtest/gtest.h>

#include <thread>

#include "failure/failure.h"
#include "platform/win32/win32_file_dialogs.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32_support/wide_text.h"
#include "support/temp_tree.h"

namespace pv {
namespace {

// Stands in for the person at the screen: on another thread, waits for the modal window with
// `title`, keeps its children's texts, then sends it the command `answer` (IDOK, IDYES, ...).
class Person {
public:
    Person(const wchar_t* title, int answer)
        : thread_([this, title, answer] {
              HWND window = nullptr;
              for (int tries = 0; tries < 500 && !(window = FindWindowW(nullptr, title)); ++tries)
                  Sleep(20);
              EnumChildWindows(window, KeepText, reinterpret_cast<LPARAM>(&texts_));
              PostMessageW(window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
          })
    {}
    ~Person()
    {
        if (thread_.joinable())
            thread_.join();
    }

    // The texts of the window's children, one per line, once it was answered.
    const std::wstring& answered()
    {
        thread_.join();
        return texts_;
    }

private:
    static BOOL CALLBACK KeepText(HWND child, LPARAM texts)
    {
        wchar_t text[1024];
        reinterpret_cast<std::wstring*>(texts)->append(text, GetWindowTextW(child, text, 1024)).append(L"\n");
        return TRUE;
    }

    std::wstring texts_;
    std::thread thread_;
};

TEST(Win32MessageBoxesTest, ShowsTheTextAndGivesTheAnswer)
{
    Win32MessageBoxes boxes;
    const std::string text = "Drucker \xe2\x80\x9e"
                             "B\xc3\xbc"
                             "ro\xe2\x80\x9c nicht gefunden";
    Person ok(L"Pressvale OK", IDOK);
    EXPECT_EQ(boxes.show(text, "Pressvale OK", BoxButtons::Ok, BoxIcon::Critical), BoxAnswer::Ok);
    const std::wstring shown = ok.answered();
    EXPECT_NE(shown.find(win32::Wide(text)), std::wstring::npos) << win32::Utf8(shown);
    Person yes(L"Pressvale Yes", IDYES);
    EXPECT_EQ(boxes.show(text, "Pressvale Yes", BoxButtons::YesNo, BoxIcon::Exclamation), BoxAnswer::Yes);
    Person no(L"Pressvale No", IDNO);
    EXPECT_EQ(boxes.show(text, "Pressvale No", BoxButtons::YesNo, BoxIcon::None), BoxAnswer::No);
}

TEST(Win32FileDialogsTest, GivesTheChosenFileOrNothingAndFailsWhenTheBufferIsTooSmall)
{
    testing::TempTree tree;
    tree.file("Bericht \xc3\xbc.pdf");
    Win32FileDialogs dialogs;
    OpenFileDialogSettings settings{.fileName = tree.path("Bericht \xc3\xbc.pdf"),
                                    .title = "Pressvale Open",
                                    .filter = "PDF Files (*.pdf)|*.pdf",
                                    .flags = open_flags::kExplorer | open_flags::kAllowMultiSelect};
    {
        Person person(L"Pressvale Open", IDOK);
        EXPECT_EQ(dialogs.showOpen(settings), settings.fileName);
    }
    {
        Person person(L"Pressvale Open", IDCANCEL);
        EXPECT_EQ(dialogs.showOpen(settings), "");
    }
    settings.maxFileNameLength = win32::Wide(tree.root()).size() + 4;
    Person person(L"Pressvale Open", IDOK);
    try {
        dialogs.showOpen(settings);
        ADD_FAILURE() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.code(), failure_code::kFileNameBufferTooSmall);
    }
    // The dialog made the chosen file's folder the current one, which keeps it from removal.
    SetCurrentDirectoryW(L"C:\\");
}

}  // namespace
}  // namespace pv
