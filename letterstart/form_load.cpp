#include "form_load.h"

#include <optional>
#include <string>

#include "automation/dispatch.h"
#include "letter_command_line.h"
#include "letter_messages.h"

namespace letterstart {
namespace {

using automation::Argument;
using automation::CallError;
using automation::Dispatch;
using automation::Variant;

constexpr wchar_t kWordClassId[] = L"{000209FF-0000-0000-C000-000000000046}";
constexpr wchar_t kWordProgId[] = L"word.application";
constexpr wchar_t kFileSystemProgId[] = L"Scripting.FileSystemObject";
constexpr short kPlainTextFormat = 4;  // the data source's format: plain text
constexpr long kFormLetters = 0;       // the main document's type

// A step that failed: its number and what the platform or Word reported.
struct StepFailure {
    int step;
    CallError error;
};

// The step that runs, kept beside its number in the code; a failure anywhere in it names the
// number.
class Steps {
  public:
    void Enter(int step) { current_ = step; }
    int Current() const { return current_; }

    // The call's value; its error fails the step.
    template <typename T>
    T Require(automation::Result<T> result) const {
        if (!result.Ok()) {
            Fail(result.Error());
        }
        return std::move(result.Value());
    }

    [[noreturn]] void Fail(CallError error) const { throw StepFailure{current_, std::move(error)}; }

  private:
    int current_ = 0;
};

bool FileExists(const Steps& steps, const Dispatch& fileSystem, const std::wstring& path) {
    std::vector<Argument> arguments;
    arguments.push_back({L"", Variant::String(path)});
    Variant answer = steps.Require(fileSystem.Call(L"FileExists", std::move(arguments)));
    bool exists = false;
    if (!answer.ToBool(exists)) {
        steps.Fail(automation::ErrorFromHresult(DISP_E_TYPEMISMATCH));
    }
    return exists;
}

void ShowBox(HWND form, const std::wstring& text, std::wstring_view title, UINT flags) {
    ::MessageBoxW(form, text.c_str(), std::wstring(title).c_str(), flags);
}

struct MergePaths {
    std::wstring mainDocument;
    std::wstring dataSource;
};

MergePaths ReadPaths(Steps& steps, HWND form, std::wstring_view commandLine) {
    MergePaths paths;
    steps.Enter(20);  // hide the form
    ::ShowWindow(form, SW_HIDE);

    steps.Enter(30);  // look for the marker
    const std::wstring_view arguments = ArgumentText(commandLine);
    const bool marked = arguments.find(kMarker) != std::wstring_view::npos;

    steps.Enter(marked ? 40 : 60);  // split at the marker (60: a line without one)
    const std::vector<std::wstring> parts = SplitAtMarker(arguments);

    steps.Enter(80);  // two parts at least, or both paths stay empty
    if (parts.size() >= 2) {
        steps.Enter(90);  // the letter from the first part
        const auto cut = MainDocumentPath(parts[0]);
        if (!cut) {
            steps.Fail(CallError{kInvalidArgumentNumber, std::wstring(kInvalidArgumentText)});
        }
        paths.mainDocument = *cut;

        steps.Enter(100);  // the data source from the second part; later parts are ignored
        paths.dataSource = DataSourcePath(parts[1]);
    }
    return paths;
}

// Steps step (the file exists), step + 10 (tell the user it does not) and step + 20 (end).
bool FileIsThere(Steps& steps, HWND form, const Dispatch& fileSystem, const std::wstring& path,
                 int step) {
    steps.Enter(step);
    if (FileExists(steps, fileSystem, path)) {
        return true;
    }
    steps.Enter(step + 10);
    ShowBox(form, MissingFileText(path), kNoticeTitle, MB_OK | MB_ICONEXCLAMATION);
    steps.Enter(step + 20);
    return false;
}

void OpenAsMailMerge(Steps& steps, const MergePaths& paths) {
    steps.Enter(210);  // no Word object held yet: this run holds none before the next step
    Dispatch word;

    steps.Enter(220);  // Word by its class identifier
    word = steps.Require(automation::CreateObject(kWordClassId));

    steps.Enter(230);  // Word by its ProgID; only this second object is kept
    word = steps.Require(automation::CreateObject(kWordProgId));

    steps.Enter(250);  // Word visible
    steps.Require(word.Put(L"Visible", Variant::Bool(true)));

    steps.Enter(260);  // open the letter, passing its file name only
    {
        const Dispatch documents = steps.Require(word.ObjectProperty(L"Documents"));
        std::vector<Argument> fileName;
        fileName.push_back({L"", Variant::String(paths.mainDocument)});
        steps.Require(documents.Call(L"Open", std::move(fileName)));
    }

    steps.Enter(270);  // the active document
    Dispatch document = steps.Require(word.ObjectProperty(L"ActiveDocument"));

    steps.Enter(280);  // its mail merge object
    Dispatch mailMerge = steps.Require(document.ObjectProperty(L"MailMerge"));

    steps.Enter(290);  // form letters
    steps.Require(mailMerge.Put(L"MainDocumentType", Variant::I4(kFormLetters)));

    steps.Enter(300);  // the data source, with these named arguments and no others
    {
        std::vector<Argument> source;
        source.push_back({L"Name", Variant::String(paths.dataSource)});
        source.push_back({L"Format", Variant::I2(kPlainTextFormat)});
        source.push_back({L"ConfirmConversions", Variant::Bool(false)});
        source.push_back({L"ReadOnly", Variant::Bool(true)});
        source.push_back({L"LinkToSource", Variant::Bool(true)});
        source.push_back({L"AddToRecentFiles", Variant::Bool(false)});
        steps.Require(mailMerge.Call(L"OpenDataSource", std::move(source)));
    }

    steps.Enter(310);  // the records' data instead of the merge fields
    steps.Require(mailMerge.Put(L"ViewMailMergeFieldCodes", Variant::I4(0)));

    steps.Enter(320);  // let go of the mail merge object
    mailMerge.Reset();

    steps.Enter(330);  // Word visible again
    steps.Require(word.Put(L"Visible", Variant::Bool(true)));

    steps.Enter(340);  // let go of the document
    document.Reset();

    steps.Enter(350);  // let go of Word, which keeps running for the user
    word.Reset();
}

int Run(Steps& steps, HWND form, std::wstring_view commandLine) {
    const MergePaths paths = ReadPaths(steps, form, commandLine);

    steps.Enter(120);  // the file-system object, held until the run ends
    const Dispatch fileSystem = steps.Require(automation::CreateObject(kFileSystemProgId));
    if (!FileIsThere(steps, form, fileSystem, paths.mainDocument, 130) ||
        !FileIsThere(steps, form, fileSystem, paths.dataSource, 170)) {
        return kExitFailed;
    }

    OpenAsMailMerge(steps, paths);
    steps.Enter(360);  // done
    return kExitDone;
}

}  // namespace

int FormLoad(HWND form, std::wstring_view commandLine) {
    Steps steps;
    try {
        return Run(steps, form, commandLine);
    } catch (const StepFailure& failure) {
        // Word stays as far as it got; nothing is undone.
        ShowBox(form, FailureText(failure.step, failure.error.number, failure.error.description),
                kFailureTitle, MB_OK);
    } catch (const std::exception&) {
        // Out of memory, say: the step that ran when it happened.
        ShowBox(
            form,
            FailureText(steps.Current(), E_OUTOFMEMORY, automation::DescribeCode(E_OUTOFMEMORY)),
            kFailureTitle, MB_OK);
    }
    return kExitFailed;
}

}  // namespace letterstart
