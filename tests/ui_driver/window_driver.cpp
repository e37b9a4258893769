#include "window_driver.h"

#include <commctrl.h>
#include <winternl.h>

#include <algorithm>
#include <cwctype>
#include <thread>

#include "support/unique_handle.h"

namespace ui_driver {
namespace {

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return name;
}

bool SameTextIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// A window search: stops at the first window that accept takes.
struct Search {
    std::function<bool(HWND)> accept;
    HWND found = nullptr;
};

BOOL CALLBACK SearchStep(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (search->accept(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopLevel(const std::function<bool(HWND)>& accept) {
    Search search{accept};
    ::EnumWindows(SearchStep, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopLevel(const std::function<bool(HWND)>& accept, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevel(accept)) != nullptr; }, timeout);
    return found;
}

bool IsVisibleDialog(HWND window) {
    return ::IsWindowVisible(window) && ClassName(window) == L"#32770";
}

// Memory inside the process that owns a window, for messages whose pointers the window
// system does not carry across processes (the tree view's item records).
class RemoteBuffer {
  public:
    RemoteBuffer(HWND window, size_t bytes) {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        process_.reset(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                     FALSE, processId));
        if (process_) {
            address_ = static_cast<BYTE*>(::VirtualAllocEx(
                process_.get(), nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        }
    }
    ~RemoteBuffer() {
        if (address_ != nullptr) {
            ::VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
        }
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    BYTE* At(size_t offset) const { return address_ + offset; }
    bool Write(size_t offset, const void* data, size_t bytes) const {
        return address_ != nullptr &&
               ::WriteProcessMemory(process_.get(), At(offset), data, bytes, nullptr);
    }
    bool Read(size_t offset, void* data, size_t bytes) const {
        return address_ != nullptr &&
               ::ReadProcessMemory(process_.get(), At(offset), data, bytes, nullptr);
    }

  private:
    support::UniqueHandle process_;
    BYTE* address_ = nullptr;
};

// Wine keeps a handle table like the one Windows once shared with every process; an entry
// with a type is a live object of this process.
struct HandleTableEntry {
    ULONG64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    ULONG64 user;
};
constexpr size_t kHandleTableEntries = 0x10000;

// Reading the thread block through NtCurrentTeb trips the compiler's bounds check.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
const HandleTableEntry* GdiHandleTable() {
#ifdef _WIN64
    const BYTE* peb = reinterpret_cast<const BYTE*>(NtCurrentTeb()->ProcessEnvironmentBlock);
    return *reinterpret_cast<HandleTableEntry* const*>(peb + 0xF8);
#else
    // A 32-bit process under WoW64 finds it through the 64-bit block, which lies 0x2000
    // below its own thread block.
    BOOL wow64 = FALSE;
    if (!::IsWow64Process(::GetCurrentProcess(), &wow64) || !wow64) {
        return nullptr;
    }
    const BYTE* teb64 = reinterpret_cast<const BYTE*>(NtCurrentTeb()) - 0x2000;
    const ULONG64 peb64 = *reinterpret_cast<const ULONG64*>(teb64 + 0x60);
    if (peb64 == 0 || peb64 > 0xFFFFFFFFull) {
        return nullptr;
    }
    const ULONG64 table = *reinterpret_cast<const ULONG64*>(static_cast<ULONG_PTR>(peb64) + 0xF8);
    if (table == 0 || table > 0xFFFFFFFFull) {
        return nullptr;
    }
    return reinterpret_cast<const HandleTableEntry*>(static_cast<ULONG_PTR>(table));
#endif
}
#pragma GCC diagnostic pop

DWORD CountTableObjects() {
    const HandleTableEntry* table = GdiHandleTable();
    DWORD count = 0;
    for (size_t i = 0; table != nullptr && i < kHandleTableEntries; ++i) {
        count += table[i].type != 0 ? 1 : 0;
    }
    return count;
}

DWORD CountOwnWindows() {
    std::vector<HWND> own;
    Search collect{[&](HWND window) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        if (process == ::GetCurrentProcessId()) {
            own.push_back(window);
        }
        return false;
    }};
    ::EnumWindows(SearchStep, reinterpret_cast<LPARAM>(&collect));
    auto count = static_cast<DWORD>(own.size());
    Search children{[&](HWND) {
        ++count;
        return false;
    }};
    for (HWND window : own) {
        ::EnumChildWindows(window, SearchStep, reinterpret_cast<LPARAM>(&children));
    }
    return count;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) {
            return condition();
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

HWND WaitForDialog(const std::wstring& title, std::chrono::milliseconds timeout, DWORD processId) {
    return WaitForTopLevel(
        [&](HWND window) {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            return (processId == 0 || owner == processId) && IsVisibleDialog(window) &&
                   WindowText(window) == title;
        },
        timeout);
}

HWND WaitForOwnedDialog(HWND owner, std::chrono::milliseconds timeout) {
    return WaitForTopLevel(
        [&](HWND window) {
            return ::GetWindow(window, GW_OWNER) == owner && IsVisibleDialog(window);
        },
        timeout);
}

bool WaitForWindowGone(HWND window, std::chrono::milliseconds timeout) {
    return WaitUntil([&] { return !::IsWindow(window); }, timeout);
}

std::wstring WindowText(HWND window) {
    // WM_GETTEXT is carried across processes; GetWindowTextW would not ask another process.
    // A window whose thread hangs must not hang the driver.
    const auto ask = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        DWORD_PTR answer = 0;
        return ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000,
                                     &answer)
                   ? static_cast<size_t>(answer)
                   : 0;
    };
    std::wstring text(ask(WM_GETTEXTLENGTH, 0, 0) + 1, L'\0');
    text.resize(std::min(text.size() - 1,
                         ask(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::wstring ControlText(HWND dialog, int id) {
    HWND control = ::GetDlgItem(dialog, id);
    return control != nullptr ? WindowText(control) : std::wstring();
}

bool IsControlEnabled(HWND dialog, int id) {
    HWND control = ::GetDlgItem(dialog, id);
    return control != nullptr && ::IsWindowEnabled(control);
}

HWND FindChildByClass(HWND parent, const std::wstring& windowClass) {
    Search search{
        [&](HWND window) { return SameTextIgnoringCase(ClassName(window), windowClass); }};
    ::EnumChildWindows(parent, SearchStep, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PressButton(HWND dialog, int id) {
    ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void PressKey(HWND window, UINT virtualKey) {
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    ::PostMessageW(window, WM_KEYDOWN, virtualKey, 1 | scan);
    ::PostMessageW(window, WM_KEYUP, virtualKey, 1 | scan | 3u << 30);
}

bool AwaitPostedHandled(HWND edit) {
    const auto limit = static_cast<WPARAM>(::SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
    ::PostMessageW(edit, EM_SETLIMITTEXT, limit - 1, 0);
    const bool handled = WaitUntil([&] {
        return static_cast<WPARAM>(::SendMessageW(edit, EM_GETLIMITTEXT, 0, 0)) == limit - 1;
    });
    ::SendMessageW(edit, EM_SETLIMITTEXT, limit, 0);
    return handled;
}

void CloseWithCaptionButton(HWND window) {
    ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void Drag(HWND window, POINT from, POINT to) {
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

std::wstring TreeItemText(HWND tree, HTREEITEM item) {
    constexpr size_t kChars = 260;
    const RemoteBuffer buffer(tree, sizeof(TVITEMW) + kChars * sizeof(wchar_t));
    TVITEMW record{};
    record.mask = TVIF_TEXT;
    record.hItem = item;
    record.pszText = reinterpret_cast<wchar_t*>(buffer.At(sizeof(TVITEMW)));
    record.cchTextMax = kChars;
    std::wstring text(kChars, L'\0');
    if (!buffer.Write(0, &record, sizeof(record)) ||
        !::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(buffer.At(0))) ||
        !buffer.Read(sizeof(TVITEMW), text.data(), kChars * sizeof(wchar_t))) {
        return {};
    }
    text.resize(text.find(L'\0') == std::wstring::npos ? kChars : text.find(L'\0'));
    return text;
}

std::vector<HTREEITEM> TreeChildren(HWND tree, HTREEITEM parent) {
    if (parent != TVI_ROOT) {
        ::SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    }
    std::vector<HTREEITEM> children;
    auto child = reinterpret_cast<HTREEITEM>(
        ::SendMessageW(tree, TVM_GETNEXTITEM, parent == TVI_ROOT ? TVGN_ROOT : TVGN_CHILD,
                       reinterpret_cast<LPARAM>(parent == TVI_ROOT ? nullptr : parent)));
    while (child != nullptr) {
        children.push_back(child);
        child = reinterpret_cast<HTREEITEM>(
            ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
    }
    return children;
}

HTREEITEM FindTreeChild(HWND tree, HTREEITEM parent,
                        const std::function<bool(const std::wstring&)>& accept) {
    for (HTREEITEM child : TreeChildren(tree, parent)) {
        if (accept(TreeItemText(tree, child))) {
            return child;
        }
    }
    return nullptr;
}

void SelectTreeItem(HWND tree, HTREEITEM item) {
    ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

GuiObjectCounts CountGuiObjects() {
    GuiObjectCounts counts;
    counts.gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    counts.user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    if (counts.gdi == 0) {
        counts.gdi = CountTableObjects();
    }
    if (counts.user == 0) {
        counts.user = CountOwnWindows();
    }
    return counts;
}

size_t Pixels::Count(COLORREF colour) const {
    size_t count = 0;
    for (COLORREF value : values) {
        count += value == colour ? 1 : 0;
    }
    return count;
}

Pixels PrintClient(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    Pixels pixels;
    pixels.width = client.right;
    pixels.height = client.bottom;
    if (pixels.width <= 0 || pixels.height <= 0) {
        return pixels;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = ::CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc != nullptr && bitmap != nullptr) {
        HGDIOBJ previous = ::SelectObject(dc, bitmap);
        ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                       PRF_CLIENT | PRF_ERASEBKGND);
        ::GdiFlush();
        const auto* raw = static_cast<const DWORD*>(bits);
        for (int i = 0; i < pixels.width * pixels.height; ++i) {
            // Stored as 0x00RRGGBB; a colour value keeps red in the low byte.
            pixels.values.push_back(RGB(GetBValue(raw[i]), GetGValue(raw[i]), GetRValue(raw[i])));
        }
        ::SelectObject(dc, previous);
    }
    if (bitmap != nullptr) {
        ::DeleteObject(bitmap);
    }
    if (dc != nullptr) {
        ::DeleteDC(dc);
    }
    return pixels;
}

const DeclineWay kDeclineWays[3] = {
    {"Abbrechen", [](HWND dialog) { PressButton(dialog, IDCANCEL); }},
    {"close box", [](HWND dialog) { CloseWithCaptionButton(dialog); }},
    {"Escape", [](HWND dialog) { PressKey(dialog, VK_ESCAPE); }},
};

}  // namespace ui_driver
