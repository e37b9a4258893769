#include "double_state.h"

#include "test_text.h"
#include "utf_text.h"

#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <memory>
#include <mutex>
#include <sstream>

namespace jvm_double {

namespace {

std::mutex lock;
std::deque<std::unique_ptr<Object>> objects;
std::deque<std::unique_ptr<Method>> methods;

bool ListHas(const std::wstring& variable, const std::string& entry) {
    std::stringstream list(Setting(variable.c_str()));
    std::string item;
    while (std::getline(list, item, ',')) {
        if (item == entry) {
            return true;
        }
    }
    return false;
}

}  // namespace

// The file beside the library, read once; nothing when there is none. A service gets no
// test environment, and inherits the environment of the service manager, which may come from
// whichever test started it: when the file is there, it is the only source.
const std::optional<std::string>& SettingsFile() {
    static const std::optional<std::string> file = []() -> std::optional<std::string> {
        const std::filesystem::path path =
            std::filesystem::path(Utf16(LibraryPath())).parent_path() / u"double.settings";
        std::error_code error;
        if (!std::filesystem::exists(path, error)) {
            return std::nullopt;
        }
        return testing_support::ReadFileBytes(path);
    }();
    return file;
}

std::string Setting(const wchar_t* name) {
    if (const std::optional<std::string>& file = SettingsFile()) {
        const std::string key = Utf8(reinterpret_cast<const char16_t*>(name)) + "=";
        for (const std::string& line : testing_support::Lines(*file)) {
            if (line.rfind(key, 0) == 0) {
                return line.substr(key.size());
            }
        }
        return {};
    }
    wchar_t buffer[4096];
    const DWORD length = GetEnvironmentVariableW(name, buffer, 4096);
    if (length != 0 && length < 4096) {
        return Utf8(std::u16string(reinterpret_cast<const char16_t*>(buffer), length));
    }
    return {};
}

std::string LibraryPath() {
    HMODULE self = nullptr;
    if (!GetModuleHandleExW(
            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
            reinterpret_cast<LPCWSTR>(&LibraryPath), &self)) {
        return {};
    }
    std::u16string path(MAX_PATH, u'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(self, reinterpret_cast<wchar_t*>(path.data()),
                                                static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return Utf8(path);
        }
        path.resize(path.size() * 2);
    }
}

void Record(std::string_view line) {
    const std::string path = Setting(L"TS_JVM_DOUBLE_LOG");
    if (path.empty()) {
        return;
    }
    std::lock_guard guard(lock);
    const std::u16string widePath = Utf16(path);
    HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(widePath.c_str()), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::string text = std::string(line) + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

void Fail(std::string_view what) {
    Record("FAIL " + std::string(what));
    const std::string text = "jvm double: " + std::string(what) + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), text.data(), static_cast<DWORD>(text.size()),
              &written, nullptr);
    ExitProcess(97);
}

std::string Utf8(std::u16string_view text) {
    return test_text::ToUtf8(text);
}

std::u16string Utf16(std::string_view utf8) {
    return test_text::ToUtf16(utf8);
}

std::string JavaName(std::string internalName) {
    for (char& c : internalName) {
        c = c == '/' ? '.' : c;
    }
    return internalName;
}

Object* NewObject(Object::Kind kind, std::string className) {
    std::lock_guard guard(lock);
    objects.push_back(std::make_unique<Object>());
    objects.back()->kind = kind;
    objects.back()->className = std::move(className);
    return objects.back().get();
}

Object* ClassObject(const std::string& name) {
    return NewObject(Object::Kind::kClass, name);
}

Method* NewMethod(std::string className, std::string name, std::string signature, bool isStatic) {
    std::lock_guard guard(lock);
    methods.push_back(std::make_unique<Method>(
        Method{std::move(className), std::move(name), std::move(signature), isStatic}));
    return methods.back().get();
}

bool ClassMissing(const std::string& name) {
    return ListHas(L"TS_JVM_DOUBLE_MISSING_CLASSES", name);
}

bool MethodMissing(const std::string& name, const std::string& signature) {
    return ListHas(L"TS_JVM_DOUBLE_MISSING_METHODS", name + signature);
}

namespace {
std::string archiveToWrite;
bool autoCreate = false;
}  // namespace

void NoteArchiveOption(const std::string& option) {
    const auto value = [&option](std::string_view key) {
        return option.starts_with(key) ? option.substr(key.size()) : std::string();
    };
    autoCreate = autoCreate || option == "-XX:+AutoCreateSharedArchive";
    if (std::string file = value("-XX:ArchiveClassesAtExit="); !file.empty()) {
        archiveToWrite = file;
    } else if (std::string shared = value("-XX:SharedArchiveFile=");
               autoCreate && !shared.empty() &&
               GetFileAttributesA(shared.c_str()) == INVALID_FILE_ATTRIBUTES) {
        archiveToWrite = shared;
    }
}

void WriteArchiveAtEnd() {
    if (!archiveToWrite.empty()) {
        std::ofstream(archiveToWrite, std::ios::binary) << "stand-in archive\n";
        Record("archive written " + archiveToWrite);
    }
}

std::map<std::string, void*>& NativeMethods() {
    static std::map<std::string, void*> methods;
    return methods;
}

Hooks& InstalledHooks() {
    static Hooks hooks;
    return hooks;
}

Object*& SystemOut() {
    static Object* stream = nullptr;
    return stream;
}

Object*& SystemErr() {
    static Object* stream = nullptr;
    return stream;
}

void WriteTo(Object* printStream, bool error, std::string_view bytes) {
    DWORD written = 0;
    if (printStream == nullptr) {
        WriteFile(GetStdHandle(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE), bytes.data(),
                  static_cast<DWORD>(bytes.size()), &written, nullptr);
        return;
    }
    Object* target = printStream->target;
    if (target != nullptr && target->kind == Object::Kind::kByteBuffer) {
        target->bytes.append(bytes);
    } else if (target != nullptr && target->kind == Object::Kind::kFileStream) {
        WriteFile(target->file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
}

Object*& Pending() {
    thread_local Object* pending = nullptr;
    return pending;
}

}  // namespace jvm_double
