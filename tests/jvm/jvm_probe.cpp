// Runs the JNI layer against a real JVM, once per process (a JVM cannot be created twice), and
// reports each event as a line on standard output for jvm_layer_test to check.
//
// jvm_probe --jvm LIBJVM --cp DIR --class NAME [flags] [-- main arguments]
//   --no-boot-finder       do not hand JVM_FindClassFromBootLoader to the layer
//   --failure-check        build the exception text of what main leaves
//   --keep-alive           never return after main
//   --out FILE, --err FILE redirect; --out-append, --err-append
//   --option TEXT          one more JVM option
//   --create-twice         create a second JVM after the first
//   --secondary ARG        hand a later start with this argument (repeatable) to secondaryMain
//   --stop                 call stop from a thread of its own once main runs
//   --stack-size           print the default Java stack size and end
//   --unserved-call        make a JNI call that a launcher never makes (for the stand-in only)
//   --uncaught             install the default uncaught-exception handler before main
//   --archive DIR          keep a class-data archive in DIR as the launcher does (host only)

#include "jvm/application_calls.h"
#include "jvm/entry_points.h"
#include "jvm/jvm_creation.h"
#include "jvm/main_invocation.h"
#include "jvm/output_redirection.h"
#include "jvm/reporter.h"
#include "jvm/run_hooks.h"
#include "jvm/uncaught_handler.h"

#include "utf_text.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include "posix_class_archive.h"

#include <dlfcn.h>
#endif

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

std::thread::id launcherThread;

void Line(const std::string& text) {
    std::fputs((text + "\n").c_str(), stdout);
    std::fflush(stdout);
}

class PrintingReporter final : public jvm::Reporter {
  public:
    void Report(jvm::Message message, std::u16string_view insert) override {
        Line("report " + std::to_string(static_cast<int>(message)) + " [" +
             test_text::ToUtf8(insert) + "]");
    }
    void ReportCreateFailure(jint code) override { Line("create failed " + std::to_string(code)); }
};

class PrintingObserver final : public jvm::RunObserver {
  public:
    void JvmExiting(jint code) override {
        const bool onLauncherThread = std::this_thread::get_id() == launcherThread;
        Line("exit hook " + std::to_string(code) +
             (onLauncherThread ? " on launcher thread" : " on another thread"));
    }
    void JvmAborting() override { Line("abort hook"); }
};

struct Options {
    std::string library;
    std::string classPath;
    std::string mainClass;
    bool bootFinder = true;
    bool failureCheck = false;
    bool keepAlive = false;
    bool createTwice = false;
    bool stop = false;
    bool stackSize = false;
    bool unservedCall = false;
    bool uncaught = false;
    std::string archiveFolder;
    jvm::OutputFile out;
    jvm::OutputFile err;
    std::vector<std::string> jvmOptions;
    std::optional<std::vector<std::u16string>> secondary;
    std::vector<std::u16string> arguments;
};

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        const auto value = [&]() -> std::string {
            return i + 1 < argc ? argv[++i] : std::string{};
        };
        if (flag == "--jvm") {
            options.library = value();
        } else if (flag == "--cp") {
            options.classPath = value();
        } else if (flag == "--class") {
            options.mainClass = value();
        } else if (flag == "--no-boot-finder") {
            options.bootFinder = false;
        } else if (flag == "--failure-check") {
            options.failureCheck = true;
        } else if (flag == "--keep-alive") {
            options.keepAlive = true;
        } else if (flag == "--create-twice") {
            options.createTwice = true;
        } else if (flag == "--stop") {
            options.stop = true;
        } else if (flag == "--stack-size") {
            options.stackSize = true;
        } else if (flag == "--unserved-call") {
            options.unservedCall = true;
        } else if (flag == "--uncaught") {
            options.uncaught = true;
        } else if (flag == "--archive") {
            options.archiveFolder = value();
        } else if (flag == "--out") {
            options.out.name = test_text::ToUtf16(value());
        } else if (flag == "--err") {
            options.err.name = test_text::ToUtf16(value());
        } else if (flag == "--out-append") {
            options.out.append = true;
        } else if (flag == "--err-append") {
            options.err.append = true;
        } else if (flag == "--option") {
            options.jvmOptions.push_back(value());
        } else if (flag == "--secondary") {
            if (!options.secondary) {
                options.secondary.emplace();
            }
            options.secondary->push_back(test_text::ToUtf16(value()));
        } else if (flag == "--") {
            for (++i; i < argc; ++i) {
                options.arguments.push_back(test_text::ToUtf16(argv[i]));
            }
        } else {
            std::fprintf(stderr, "unknown flag %s\n", flag.c_str());
            return std::nullopt;
        }
    }
    if (options.library.empty()) {
        std::fprintf(stderr, "--jvm is required\n");
        return std::nullopt;
    }
    return options;
}

#ifdef _WIN32
using Library = HMODULE;

Library Load(const std::string& path) {
    const std::u16string wide = test_text::ToUtf16(path);
    return LoadLibraryW(reinterpret_cast<const wchar_t*>(wide.c_str()));
}

template <class Fn>
Fn Symbol(Library library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}
#else
using Library = void*;

Library Load(const std::string& path) {
    return dlopen(path.c_str(), RTLD_NOW);
}

template <class Fn>
Fn Symbol(Library library, const char* name) {
    return reinterpret_cast<Fn>(dlsym(library, name));
}
#endif

void MakeFolders(std::u16string_view filePath) {
    std::error_code ignored;
    std::filesystem::create_directories(
        std::filesystem::path(std::u16string(filePath)).parent_path(), ignored);
}

}  // namespace

int Probe(int argc, char** argv) {
    launcherThread = std::this_thread::get_id();
    const auto options = ParseOptions(argc, argv);
    if (!options) {
        return 100;
    }
    const Library library = Load(options->library);
    if (library == nullptr) {
        std::fprintf(stderr, "cannot load %s\n", options->library.c_str());
        return 101;
    }
    jvm::EntryPoints entry;
    entry.createJavaVm = Symbol<jvm::CreateJavaVmFn>(library, "JNI_CreateJavaVM");
    entry.getDefaultInitArgs =
        Symbol<jvm::GetDefaultInitArgsFn>(library, "JNI_GetDefaultJavaVMInitArgs");
    if (options->bootFinder) {
        entry.findClassFromBootLoader =
            Symbol<jvm::FindClassFromBootLoaderFn>(library, "JVM_FindClassFromBootLoader");
    }
    if (entry.createJavaVm == nullptr || entry.getDefaultInitArgs == nullptr) {
        std::fprintf(stderr, "entry points missing\n");
        return 102;
    }
    if (options->stackSize) {
        Line("stack size " + std::to_string(jvm::DefaultJavaStackSize(entry.getDefaultInitArgs)));
        return 0;
    }

    PrintingObserver observer;
    jvm::SetRunObserver(&observer);
    PrintingReporter reporter;

    std::vector<std::string> jvmOptions{"-Djava.class.path=" + options->classPath, "-Xcheck:jni"};
    jvmOptions.insert(jvmOptions.end(), options->jvmOptions.begin(), options->jvmOptions.end());
#ifdef _WIN32
    const bool archiveMade = false;  // under wine the launcher itself keeps its archives
#else
    const bool archiveMade = !options->archiveFolder.empty() &&
                             test_archive::AddArchiveOptions(options->library, options->classPath,
                                                             options->archiveFolder, jvmOptions);
#endif
    jvm::Jvm created;
    if (!jvm::CreateJvm(entry.createJavaVm, jvmOptions, reporter, created)) {
        Line("create jvm false");
        return 1;
    }
    Line("create jvm true");
    if (options->unservedCall) {
        created.env->GetSuperclass(nullptr);
        Line("unserved call returned");
    }
    if (options->createTwice) {
        jvm::Jvm second;
        Line(std::string("second create jvm ") +
             (jvm::CreateJvm(entry.createJavaVm, jvmOptions, reporter, second) ? "true" : "false"));
    }
    jvm::RedirectOutput(created.env, options->out, options->err, MakeFolders);

    const std::u16string mainClass = test_text::ToUtf16(options->mainClass);
    std::thread worker;
    jvm::MainRequest request;
    request.mainClass = mainClass;
    request.arguments = options->arguments;
    request.failureCheck = options->failureCheck;
    request.keepAlive = options->keepAlive;
    request.beforeMain = [&] {
        Line("before main");
        if (options->uncaught) {
            const bool installed =
                jvm::InstallUncaughtHandler(created.env, [](JavaVM*, const std::u16string& text) {
                    Line("uncaught report begin\n" + test_text::ToUtf8(text) +
                         "uncaught report end");
                });
            Line(std::string("handler installed ") + (installed ? "true" : "false"));
        }
        if (options->secondary) {
            worker = std::thread([&] {
                jvm::SecondaryStart start;
                start.mainClass = mainClass;
                start.arguments = *options->secondary;
                start.answer = [](jint code) { Line("answer " + std::to_string(code)); };
                const bool delivered = jvm::DeliverToSecondaryMain(created.vm, start);
                Line(std::string("delivered ") + (delivered ? "true" : "false"));
            });
        } else if (options->stop) {
            worker = std::thread([&] {
                jvm::StopApplication(created.vm, mainClass, false);
                Line("stop returned");
            });
        }
    };
    request.exceptionText = [](const std::u16string& text) {
        Line("exception text begin\n" + test_text::ToUtf8(text) + "exception text end");
    };
    const bool ran = jvm::InvokeMain(created, entry.findClassFromBootLoader, request, reporter);
    if (worker.joinable()) {
        worker.join();
    }
    Line(std::string("invoke main ") + (ran ? "true" : "false"));
    if (archiveMade) {
        jvm::HaltJvm(created.vm, ran ? 0 : 1);
    }
    return ran ? 0 : 1;
}

#ifdef _WIN32
// Arguments arrive as UTF-16 and output goes out as bytes, line feeds unchanged.
int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    std::vector<std::string> texts;
    for (int i = 0; i < argc; ++i) {
        texts.push_back(test_text::ToUtf8(reinterpret_cast<const char16_t*>(argv[i])));
    }
    std::vector<char*> pointers;
    for (auto& text : texts) {
        pointers.push_back(text.data());
    }
    return Probe(argc, pointers.data());
}
#else
int main(int argc, char** argv) {
    return Probe(argc, argv);
}
#endif
