#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "platform/failure.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_file_dialogs.h"
#include "platform/win32/win32_message_boxes.h"
#include "temp_folder.h"

namespace pv {
namespace {

// Stands in for the person at the screen: waits on another thread for the modal window with
// `title` to appear, keeps the texts of its children and its owner, then sends it the command
// `answer` (IDOK, IDYES, IDNO, IDCANCEL).
class Person {
public:
    Person(const std::wstring& title, int answer)
        : thread_([this, title, answer] {
              for (int tries = 0; tries < 500; ++tries) {
                  if (const HWND window = FindWindowW(nullptr, title.c_str())) {
                      owner_ = GetWindow(window, GW_OWNER);
                      EnumChildWindows(window, KeepText, reinterpret_cast<LPARAM>(&texts_));
                      PostMessageW(window, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
                      return;
                  }
                  Sleep(20);
              }
          })
    {
    }
    ~Person() { waitForAnswer(); }

    // Every child's text, one per line, once the window was answered.
    const std::wstring& texts()
    {
        waitForAnswer();
        return texts_;
    }
    HWND owner()
    {
        waitForAnswer();
        return owner_;
    }

private:
    void waitForAnswer()
    {
        if (thread_.joinable())
            thread_.join();
    }

    static BOOL CALLBACK KeepText(HWND child, LPARAM texts)
    {
        wchar_t text[1024];
        const int length = GetWindowTextW(child, text, 1024);
        reinterpret_cast<std::wstring*>(texts)->append(text, length).append(L"\n");
        return TRUE;
    }

    std::wstring texts_;
    HWND owner_ = nullptr;
    std::thread thread_;
};

TEST(Win32MessageBoxesTest, ShowsTheTextOverTheOwnerAndGivesTheAnswer)
{
    Win32MessageBoxes boxes;
    const std::string text = "Drucker \xe2\x80\x9e" "B\xc3\xbc" "ro\xe2\x80\x9c nicht gefunden";
    {
        Person person(L"Pressvale OK", IDOK);
        EXPECT_EQ(boxes.show(text, "Pressvale OK", BoxButtons::Ok, BoxIcon::Critical), BoxAnswer::Ok);
        EXPECT_NE(person.texts().find(win32::Wide(text)), std::wstring::npos) << win32::Utf8(person.texts());
    }
    {
        Person person(L"Pressvale Yes", IDYES);
        EXPECT_EQ(boxes.show(text, "Pressvale Yes", BoxButtons::YesNo, BoxIcon::Exclamation), BoxAnswer::Yes);
    }

    const HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                       nullptr, nullptr);
    ASSERT_TRUE(owner);
    boxes.setOwner(owner);
    Person person(L"Pressvale No", IDNO);
    EXPECT_EQ(boxes.show(text, "Pressvale No", BoxButtons::YesNo, BoxIcon::None), BoxAnswer::No);
    EXPECT_EQ(person.owner(), owner);
    DestroyWindow(owner);
}

TEST(Win32FileDialogsTest, GivesTheChosenFileOrNothingAndFailsWhenTheBufferIsTooSmall)
{
    testing::TempFolder tree;
    tree.file("Bericht \xc3\xbc.pdf");
    Win32FileDialogs dialogs;
    OpenFileDialogSettings settings;
    settings.title = "Pressvale Open";
    settings.filter = "PDF Files (*.pdf)|*.pdf";
    settings.flags = open_flags::kExplorer | open_flags::kLongNames | open_flags::kAllowMultiSelect;
    settings.fileName = tree.path("Bericht \xc3\xbc.pdf");
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
}

}  // namespace
}  // namespace pv
