#include "folder_picker_driver.h"

#include "window_driver.h"

namespace ui_driver {
namespace {

bool SameName(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// A drive shows as its label followed by "(C:)"; it lies one level below the desktop, under
// the computer, whose name differs between systems.
HTREEITEM FindDrive(HWND tree, const std::wstring& drive) {
    const std::wstring mark = L"(" + drive + L")";
    const std::vector<HTREEITEM> top = TreeChildren(tree, TVI_ROOT);
    if (top.empty()) {
        return nullptr;
    }
    for (HTREEITEM place : TreeChildren(tree, top.front())) {
        if (HTREEITEM found = FindTreeChild(tree, place, [&](const std::wstring& text) {
                return text.find(mark) != std::wstring::npos;
            })) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

bool ChooseFolder(HWND picker, const std::wstring& path) {
    HWND tree = FindChildByClass(picker, WC_TREEVIEWW);
    if (tree == nullptr || path.size() < 3 || path[1] != L':') {
        return false;
    }
    HTREEITEM item = FindDrive(tree, path.substr(0, 2));
    size_t start = 3;
    while (item != nullptr && start < path.size()) {
        size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos) {
            end = path.size();
        }
        const std::wstring name = path.substr(start, end - start);
        item = FindTreeChild(tree, item,
                             [&](const std::wstring& text) { return SameName(text, name); });
        start = end + 1;
    }
    if (item == nullptr) {
        return false;
    }
    SelectTreeItem(tree, item);
    PressButton(picker, IDOK);
    return WaitForWindowGone(picker);
}

}  // namespace ui_driver
