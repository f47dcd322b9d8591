#include "ui/win32/drop_target.h"

#include "platform/win32_support/callback_boundary.h"
#include "platform/win32_support/wide_text.h"

namespace pv {

namespace {

FORMATETC FileListFormat()
{
    return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool OffersFileList(IDataObject* data)
{
    FORMATETC format = FileListFormat();
    return data && data->QueryGetData(&format) == S_OK;
}

// Runs a drop target method's body at the callback boundary; when it fails, the drop is
// refused.
template <typename Body>
HRESULT AtDropBoundary(DWORD* effect, Body&& body) noexcept
{
    return win32::AtCallbackBoundary(std::forward<Body>(body), [effect] {
        *effect = DROPEFFECT_NONE;
        return E_UNEXPECTED;
    });
}

// The names a dropped medium holds; the medium is released whatever happens.
std::vector<std::string> TakeDroppedPaths(STGMEDIUM& medium)
{
    const struct Release {
        STGMEDIUM& medium;
        ~Release() { ReleaseStgMedium(&medium); }
    } release{medium};
    return DroppedPaths(static_cast<HDROP>(medium.hGlobal));
}

}  // namespace

std::vector<std::string> DroppedPaths(HDROP drop)
{
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(win32::Utf8(path));
    }
    return paths;
}

FileDropTarget::FileDropTarget(std::function<bool(bool)> dragOver,
                               std::function<void(const std::vector<std::string>&)> dropped)
    : dragOver_(std::move(dragOver)),
      dropped_(std::move(dropped))
{}

HRESULT FileDropTarget::QueryInterface(REFIID id, void** object)
{
    if (id == IID_IUnknown || id == IID_IDropTarget) {
        *object = static_cast<IDropTarget*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

DWORD FileDropTarget::answer() const
{
    return dragOver_ && dragOver_(offersFileList_) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

HRESULT FileDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect)
{
    offersFileList_ = OffersFileList(data);
    return AtDropBoundary(effect, [&] {
        *effect = answer();
        return S_OK;
    });
}

HRESULT FileDropTarget::DragOver(DWORD, POINTL, DWORD* effect)
{
    return AtDropBoundary(effect, [&] {
        *effect = answer();
        return S_OK;
    });
}

HRESULT FileDropTarget::DragLeave()
{
    offersFileList_ = false;
    return S_OK;
}

HRESULT FileDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect)
{
    offersFileList_ = false;
    *effect = DROPEFFECT_NONE;
    FORMATETC format = FileListFormat();
    STGMEDIUM medium{};
    if (!data || data->GetData(&format, &medium) != S_OK)
        return S_OK;
    return AtDropBoundary(effect, [&] {
        const std::vector<std::string> paths = TakeDroppedPaths(medium);
        *effect = DROPEFFECT_COPY;
        if (dropped_)
            dropped_(paths);
        return S_OK;
    });
}

WindowDrops::WindowDrops(std::function<bool(bool)> dragOver,
                         std::function<void(const std::vector<std::string>&)> dropped)
    : dragOver_(std::move(dragOver)),
      dropped_(std::move(dropped)),
      target_([this](bool offersFileList) { return dragOver_(offersFileList); },
              [this](const std::vector<std::string>& paths) {
                  waiting_.push_back(paths);
                  PostMessageW(window_, deliverMessage_, 0, 0);
              })
{}

void WindowDrops::accept(HWND window, UINT deliverMessage)
{
    window_ = window;
    deliverMessage_ = deliverMessage;
    RegisterDragDrop(window_, &target_);
    DragAcceptFiles(window_, TRUE);
}

void WindowDrops::refuse()
{
    if (window_)
        RevokeDragDrop(window_);
    window_ = nullptr;
}

void WindowDrops::deliverNext()
{
    if (waiting_.empty())
        return;
    const std::vector<std::string> paths = std::move(waiting_.front());
    waiting_.pop_front();
    dropped_(paths);
}

void WindowDrops::takePosted(HDROP drop)
{
    const std::vector<std::string> paths = DroppedPaths(drop);
    DragFinish(drop);
    // A drop of files offers a file list; the program still decides whether it takes it.
    if (dragOver_(true))
        dropped_(paths);
}

}  // namespace pv
