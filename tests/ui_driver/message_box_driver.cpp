#include "message_box_driver.h"

#include <future>
#include <thread>

namespace testing_support {
namespace {

const wchar_t kIconProperty[] = L"TsMessageBoxIcon";
constexpr UINT_PTR kMarked = 0x10000;
constexpr int kTextId = 65535;

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(::GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

std::wstring ProgramOf(DWORD processId) {
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        return {};
    }
    std::wstring path(32768, L'\0');
    DWORD size = static_cast<DWORD>(path.size());
    if (!::QueryFullProcessImageNameW(process, 0, path.data(), &size)) {
        size = 0;
    }
    ::CloseHandle(process);
    path.resize(size);
    return path;
}

BOOL CALLBACK CollectButton(HWND child, LPARAM info) {
    if (lstrcmpiW(ClassName(child).c_str(), L"Button") == 0 && ::IsWindowVisible(child)) {
        reinterpret_cast<MessageBoxInfo*>(info)->buttons.push_back(
            {::GetDlgCtrlID(child), WindowText(child)});
    }
    return TRUE;
}

struct Search {
    std::wstring program;
    std::optional<MessageBoxInfo> found;
};

BOOL CALLBACK ExamineWindow(HWND window, LPARAM searchAddress) {
    auto& search = *reinterpret_cast<Search*>(searchAddress);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId == ::GetCurrentProcessId() || ClassName(window) != L"#32770" ||
        !::IsWindowVisible(window) || ::GetDlgItem(window, kTextId) == nullptr ||
        lstrcmpiW(ProgramOf(processId).c_str(), search.program.c_str()) != 0) {
        return TRUE;
    }
    MessageBoxInfo info;
    info.window = window;
    info.processId = processId;
    info.title = WindowText(window);
    info.text = WindowText(::GetDlgItem(window, kTextId));
    ::EnumChildWindows(window, CollectButton, reinterpret_cast<LPARAM>(&info));
    const auto mark = reinterpret_cast<UINT_PTR>(::GetPropW(window, kIconProperty));
    if ((mark & kMarked) != 0) {
        info.icon = static_cast<UINT>(mark & ~kMarked);
    }
    search.found = std::move(info);
    return FALSE;
}

// Wine reports the image in its DOS form; compare full long paths.
std::wstring FullPath(const std::wstring& path) {
    std::wstring full(32768, L'\0');
    full.resize(
        ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
    std::wstring longPath(32768, L'\0');
    const DWORD length =
        ::GetLongPathNameW(full.c_str(), longPath.data(), static_cast<DWORD>(longPath.size()));
    if (length == 0 || length >= longPath.size()) {
        return full;
    }
    longPath.resize(length);
    return longPath;
}

}  // namespace

MessageBoxDriver::MessageBoxDriver() {
    const std::wstring path = ThisProgramFolder() + L"\\message_box_hook.dll";
    library_ = ::LoadLibraryW(path.c_str());
    if (library_ == nullptr) {
        return;
    }
    auto procedure = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(::GetProcAddress(library_, "MessageBoxHookProc")));
    if (procedure != nullptr) {
        hook_ = ::SetWindowsHookExW(WH_CALLWNDPROCRET, procedure, library_, 0);
    }
}

MessageBoxDriver::~MessageBoxDriver() {
    if (hook_ != nullptr) {
        ::UnhookWindowsHookEx(hook_);
    }
    if (library_ != nullptr) {
        ::FreeLibrary(library_);
    }
}

std::optional<MessageBoxInfo> MessageBoxDriver::WaitForMessageBox(
    const std::wstring& programPath, std::chrono::milliseconds timeout) const {
    Search search{FullPath(programPath), std::nullopt};
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        ::EnumWindows(ExamineWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found || std::chrono::steady_clock::now() >= end) {
            return search.found;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

bool MessageBoxDriver::Press(const MessageBoxInfo& box, int buttonId) {
    HWND button = ::GetDlgItem(box.window, buttonId);
    if (button == nullptr ||
        !::PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                        reinterpret_cast<LPARAM>(button))) {
        return false;
    }
    for (int i = 0; i < 200 && ::IsWindow(box.window); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return !::IsWindow(box.window);
}

AnsweredRun RunAnsweringBoxes(const MessageBoxDriver& driver, const ProcessRequest& request,
                              std::function<int(const MessageBoxInfo&)> answer) {
    AnsweredRun run;
    auto finished = std::async(std::launch::async, [&request] { return RunProcess(request); });
    while (finished.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
        auto box = driver.WaitForMessageBox(request.program, std::chrono::milliseconds(100));
        if (!box) {
            continue;
        }
        const int button = answer ? answer(*box) : IDOK;
        run.boxes.push_back(*box);
        if (!MessageBoxDriver::Press(*box, button)) {
            // Leave it to the process's timeout; a box that cannot be answered fails the test.
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    run.result = finished.get();
    return run;
}

}  // namespace testing_support
