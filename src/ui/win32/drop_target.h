#pragma once

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

}  // namespace pv
