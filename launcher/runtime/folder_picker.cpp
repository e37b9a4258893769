#include "runtime/folder_picker.h"

#include <objbase.h>
#include <ole2.h>
#include <shlobj.h>

#include <memory>

#include "support/unique_handle.h"

namespace launcher {
namespace {

// The picker in its resizable style hosts shell views, which need OLE on this thread; it is
// given back after the pick, so the thread is as it was for the JVM that follows.
class ScopedOle {
  public:
    ScopedOle() : initialized_(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~ScopedOle() {
        if (initialized_) {
            ::OleUninitialize();
        }
    }
    ScopedOle(const ScopedOle&) = delete;
    ScopedOle& operator=(const ScopedOle&) = delete;

  private:
    bool initialized_;
};

using UniqueItemList = support::UniqueResource<ITEMIDLIST, &::CoTaskMemFree>;

}  // namespace

std::optional<std::wstring> PickFolder(HWND owner, const std::wstring& title) {
    const ScopedOle ole;
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
    const UniqueItemList picked(::SHBrowseForFolderW(&info));
    if (!picked) {
        return std::nullopt;
    }
    std::wstring path(MAX_PATH, L'\0');
    if (!::SHGetPathFromIDListW(picked.get(), path.data())) {
        return std::nullopt;
    }
    path.resize(path.find(L'\0'));
    if (path.empty()) {
        return std::nullopt;
    }
    return path;
}

}  // namespace launcher
