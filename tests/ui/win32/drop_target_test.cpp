// The list's OLE drop target with real OLE data objects: the clipboard's, holding either a
// shell file list or text.

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "drop_files.h"
#include "ui/win32/drop_target.h"

namespace pv {
namespace {

class FileDropTargetTest : public ::testing::Test {
protected:
    FileDropTargetTest() { OleInitialize(nullptr); }
    ~FileDropTargetTest() override
    {
        if (data)
            data->Release();
        OleUninitialize();
    }

    void offer(UINT format, HGLOBAL memory)
    {
        data = OfferedData(format, memory);
        ASSERT_TRUE(data);
    }

    static HGLOBAL Text(const std::wstring& text)
    {
        HGLOBAL memory = GlobalAlloc(GHND, (text.size() + 1) * sizeof(wchar_t));
        std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(memory);
        return memory;
    }

    std::vector<std::string> asked;
    std::vector<std::vector<std::string>> drops;
    bool accept = true;
    FileDropTarget target{[this](bool offers) {
                              asked.push_back(offers ? "files" : "none");
                              return accept && offers;
                          },
                          [this](const std::vector<std::string>& paths) { drops.push_back(paths); }};
    IDataObject* data = nullptr;
};

TEST_F(FileDropTargetTest, AFileListIsOfferedTakenAndDroppedInOrder)
{
    offer(CF_HDROP, DropFilesOf({L"C:\\b.pdf", L"C:\\Folder", L"C:\\\u00e9.pdf", L"C:\\lone\xD800.pdf"}));
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target.DragEnter(data, MK_LBUTTON, {0, 0}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    effect = DROPEFFECT_COPY;
    target.DragOver(MK_LBUTTON, {5, 5}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    target.Drop(data, 0, {5, 5}, &effect);
    EXPECT_EQ(asked, (std::vector<std::string>{"files", "files"}));
    ASSERT_EQ(drops.size(), 1u);
    // A name that is not valid UTF-16 arrives in the form that gives it back unchanged.
    EXPECT_EQ(drops[0],
              (std::vector<std::string>{"C:\\b.pdf", "C:\\Folder", "C:\\\xc3\xa9.pdf", "C:\\lone\xed\xa0\x80.pdf"}));
}

TEST_F(FileDropTargetTest, TextIsRefusedAndNeverDropped)
{
    offer(CF_UNICODETEXT, Text(L"C:\\a.pdf"));
    DWORD effect = DROPEFFECT_COPY;
    target.DragEnter(data, MK_LBUTTON, {0, 0}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    target.Drop(data, 0, {0, 0}, &effect);
    EXPECT_EQ(asked, std::vector<std::string>{"none"});
    EXPECT_TRUE(drops.empty());
}

TEST_F(FileDropTargetTest, TheProgramMayRefuseAFileList)
{
    accept = false;
    offer(CF_HDROP, DropFilesOf({L"C:\\b.pdf"}));
    DWORD effect = DROPEFFECT_COPY;
    target.DragEnter(data, MK_LBUTTON, {0, 0}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    target.DragLeave();
    EXPECT_EQ(asked, std::vector<std::string>{"files"});
}

}  // namespace
}  // namespace pv
