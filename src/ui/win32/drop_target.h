#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

namespace pv {

// The names in a shell drop (CF_HDROP), in the drop's order, as UTF-8.
std::vector<std::string> DroppedPaths(HDROP drop);

// The list's OLE drop target. While a drag hovers, `dragOver` is asked whether the drop
// would be taken (told whether the data offers a list of files, CF_HDROP); a drop of a file
// list hands its names to `dropped`. The owner keeps it alive while it is registered, so
// reference counting does not end it.
class FileDropTarget final : public IDropTarget {
public:
    FileDropTarget(std::function<bool(bool offersFileList)> dragOver,
                   std::function<void(const std::vector<std::string>&)> dropped);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

private:
    DWORD answer() const;

    std::function<bool(bool)> dragOver_;
    std::function<void(const std::vector<std::string>&)> dropped_;
    bool offersFileList_ = false;
};

// The drops on one window: OLE drags, through a FileDropTarget, and drops that senders only
// post (WM_DROPFILES). `dragOver` is asked whether a drop would be taken, and a taken drop's
// names go to `dropped`. An OLE drop answers the program that sent it at once and its names
// wait in a queue, so that a long folder walk does not hold the file manager that started the
// drag: the window's procedure hands them on when the message posted for them arrives.
class WindowDrops {
public:
    WindowDrops(std::function<bool(bool offersFileList)> dragOver,
                std::function<void(const std::vector<std::string>&)> dropped);

    // Takes drops on `window` from now on; `deliverMessage` is posted to it for each OLE drop,
    // and its procedure calls deliverNext() for it.
    void accept(HWND window, UINT deliverMessage);
    // Takes no more drops, before the window goes.
    void refuse();
    // Hands the names of the oldest waiting drop on.
    void deliverNext();
    // A posted drop: its sender is not waiting for it, and its names are handed on at once.
    void takePosted(HDROP drop);

private:
    std::function<bool(bool)> dragOver_;
    std::function<void(const std::vector<std::string>&)> dropped_;
    FileDropTarget target_;
    HWND window_ = nullptr;
    UINT deliverMessage_ = 0;
    std::deque<std::vector<std::string>> waiting_;
};

}  // namespace pv
