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

// The number of the step that runs; a failure anywhere in it names this number.
int currentStep = 0;

template <typename T>
T Require(automation::Result<T> result) {
    if (!result.Ok()) {
        throw StepFailure{currentStep, result.Error()};
    }
    return std::move(result.Value());
}

bool FileExists(const Dispatch& fileSystem, const std::wstring& path) {
    std::vector<Argument> arguments;
    arguments.push_back({L"", Variant::String(path)});
    Variant answer = Require(fileSystem.Call(L"FileExists", std::move(arguments)));
    bool exists = false;
    if (!answer.ToBool(exists)) {
        throw StepFailure{currentStep, automation::ErrorFromHresult(DISP_E_TYPEMISMATCH)};
    }
    return exists;
}

void ShowBox(HWND form, const std::wstring& text, std::wstring_view title, UINT flags) {
    ::MessageBoxW(form, text.c_str(), std::wstring(title).c_str(), flags);
}

int Run(HWND form, std::wstring_view commandLine) {
    std::wstring mainDocument;
    std::wstring dataSource;

    currentStep = 20;  // hide the form
    ::ShowWindow(form, SW_HIDE);

    currentStep = 30;  // look for the marker
    const std::wstring_view arguments = ArgumentText(commandLine);
    const bool marked = arguments.find(kMarker) != std::wstring_view::npos;

    currentStep = marked ? 40 : 60;  // split at the marker (60: a line without one)
    const std::vector<std::wstring> parts = SplitAtMarker(arguments);

    currentStep = 80;  // two parts at least, or both paths stay empty
    if (parts.size() >= 2) {
        currentStep = 90;  // the letter from the first part
        const auto cut = MainDocumentPath(parts[0]);
        if (!cut) {
            throw StepFailure{
                currentStep, CallError{kInvalidArgumentNumber, std::wstring(kInvalidArgumentText)}};
        }
        mainDocument = *cut;

        currentStep = 100;  // the data source from the second part; later parts are ignored
        dataSource = DataSourcePath(parts[1]);
    }

    currentStep = 120;  // the file-system object
    const Dispatch fileSystem = Require(automation::CreateObject(kFileSystemProgId));

    currentStep = 130;  // the letter exists
    if (!FileExists(fileSystem, mainDocument)) {
        currentStep = 140;  // tell so
        ShowBox(form, MissingFileText(mainDocument), kNoticeTitle, MB_OK | MB_ICONEXCLAMATION);
        currentStep = 150;  // and end
        return kExitFailed;
    }

    currentStep = 170;  // the data source exists
    if (!FileExists(fileSystem, dataSource)) {
        currentStep = 180;  // tell so
        ShowBox(form, MissingFileText(dataSource), kNoticeTitle, MB_OK | MB_ICONEXCLAMATION);
        currentStep = 190;  // and end
        return kExitFailed;
    }

    currentStep = 210;  // no Word object held yet: this run holds none before the next step
    Dispatch word;

    currentStep = 220;  // Word by its class identifier
    word = Require(automation::CreateObject(kWordClassId));

    currentStep = 230;  // Word by its ProgID; only this second object is kept
    word = Require(automation::CreateObject(kWordProgId));

    currentStep = 250;  // Word visible
    Require(word.Put(L"Visible", Variant::Bool(true)));

    currentStep = 260;  // open the letter, passing its file name only
    {
        const Dispatch documents = Require(word.ObjectProperty(L"Documents"));
        std::vector<Argument> fileName;
        fileName.push_back({L"", Variant::String(mainDocument)});
        Require(documents.Call(L"Open", std::move(fileName)));
    }

    currentStep = 270;  // the active document
    Dispatch document = Require(word.ObjectProperty(L"ActiveDocument"));

    currentStep = 280;  // its mail merge object
    Dispatch mailMerge = Require(document.ObjectProperty(L"MailMerge"));

    currentStep = 290;  // form letters
    Require(mailMerge.Put(L"MainDocumentType", Variant::I4(kFormLetters)));

    currentStep = 300;  // the data source, with these named arguments and no others
    {
        std::vector<Argument> source;
        source.push_back({L"Name", Variant::String(dataSource)});
        source.push_back({L"Format", Variant::I2(kPlainTextFormat)});
        source.push_back({L"ConfirmConversions", Variant::Bool(false)});
        source.push_back({L"ReadOnly", Variant::Bool(true)});
        source.push_back({L"LinkToSource", Variant::Bool(true)});
        source.push_back({L"AddToRecentFiles", Variant::Bool(false)});
        Require(mailMerge.Call(L"OpenDataSource", std::move(source)));
    }

    currentStep = 310;  // the records' data instead of the merge fields
    Require(mailMerge.Put(L"ViewMailMergeFieldCodes", Variant::I4(0)));

    currentStep = 320;  // let go of the mail merge object
    mailMerge.Reset();

    currentStep = 330;  // Word visible again
    Require(word.Put(L"Visible", Variant::Bool(true)));

    currentStep = 340;  // let go of the document
    document.Reset();

    currentStep = 350;  // let go of Word, which keeps running for the user
    word.Reset();

    currentStep = 360;  // done
    return kExitDone;
}

}  // namespace

int FormLoad(HWND form, std::wstring_view commandLine) {
    try {
        return Run(form, commandLine);
    } catch (const StepFailure& failure) {
        // Word stays as far as it got; nothing is undone.
        ShowBox(form, FailureText(failure.step, failure.error.number, failure.error.description),
                kFailureTitle, MB_OK);
    } catch (const std::exception&) {
        // Out of memory, say: the step that ran when it happened.
        ShowBox(form,
                FailureText(currentStep, E_OUTOFMEMORY, automation::DescribeCode(E_OUTOFMEMORY)),
                kFailureTitle, MB_OK);
    }
    return kExitFailed;
}

}  // namespace letterstart
