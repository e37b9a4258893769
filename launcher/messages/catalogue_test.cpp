#include "messages/catalogue.h"

#include <gtest/gtest.h>

#include "captured_output.h"
#include "messages/error_report.h"
#include "support/unique_handle.h"

namespace launcher {
namespace {

using testing_support::CapturedOutput;

TEST(Catalogue, EveryTextByteForByte) {
    const wchar_t* const texts[] = {
        L"Windows Fehler: %s (Fehlernummer = %d).\n",
        L"JNI Fehler: %s\nReason: %s.\n",
        L"COM Fehler: %s (Fehlernummer = %d).\n",
        L"JNI Fehler: %s.\n",
        L"Die Java-Laufzeitumgebung (JRE) wurde nicht gefunden. Bitte downloaden und "
        L"installieren Sie eine JRE mit Server JVM (%s) von:",
        L"Die Java-Laufzeitumgebung (JRE) wurde nicht gefunden. Bitte downloaden und "
        L"installieren Sie eine JRE (%s) von:",
        L"konnte den Modulpfad nicht finden",
        L"Java-Klassenpfad wurde in der INI-Datei nicht angegeben.",
        L"Main class in der INI-Datei nicht spezifiziert.",
        L"Konnte die Main Class: %s nicht laden.\n",
        L"Kann CreateJavaVM JNI nicht finden",
        L"konnte die Java VM nicht erzeugen",
        L"Nach dem JRE-Verzeichnis suchen",
        L"Konnte die Main class %s nicht finden.\n",
        L"Keine Main class in der angegebenen Klasse gefunden.\n",
        L"neueste Version",
        L"maximum Version %s",
        L"minimum Version %s",
        L"Version %s erforderlich",
        L"Version zwischen %s und %s",
        L"Konnte Java VM Bibliothek: %s (Fehlernummer= %d) nicht laden.\n",
        L"konnte nicht initialisieren",
        L"konnte Modul nicht initialisieren",
        L"unbekannt",
        L"Thread von der VM getrennt",
        L"JNI Versionsfehler",
        L"nicht gen\u00fcgend Arbeitsspeicher",
        L"VM bereits erzeugt",
        L"ung\u00fcltige Argumente",
    };
    static_assert(std::size(texts) == text::kLast - text::kFirst + 1);
    for (unsigned id = text::kFirst; id <= text::kLast; ++id) {
        EXPECT_EQ(LoadMessage(id), texts[id - text::kFirst]) << id;
    }
    for (unsigned id : {0u, 1u, 201u, 231u, 65535u}) {
        EXPECT_EQ(LoadMessage(id), L"") << id;
    }
}

TEST(Catalogue, PlaceholdersFilledInOrder) {
    EXPECT_EQ(FormatCatalogueMessage(text::kJvmLibraryNotLoaded, std::wstring_view(L"C:\\jvm.dll"),
                                     std::int32_t{193}),
              L"Konnte Java VM Bibliothek: C:\\jvm.dll (Fehlernummer= 193) nicht laden.\n");
    EXPECT_EQ(FormatCatalogueMessage(text::kVersionRange, std::wstring_view(L"1.8"),
                                     std::wstring_view(L"1.8")),
              L"Version zwischen 1.8 und 1.8");
}

// Redirected output is UTF-8 without a byte-order mark, with plain line feeds.
TEST(ErrorLines, PlainMessage) {
    CapturedOutput output;
    PrintError(LoadMessage(text::kNoMainClass));
    PrintError(FormatCatalogueMessage(text::kMainClassNotFound, std::wstring_view(L"a/B")));
    EXPECT_EQ(output.Bytes(),
              "Error: Main class in der INI-Datei nicht spezifiziert. \n"
              "Error: Konnte die Main class a/B nicht finden.\n \n");
}

TEST(ErrorLines, SystemErrorWithTheLastErrorCode) {
    CapturedOutput output;
    ::SetLastError(122);
    ReportSystemError(text::kNoModulePath);
    ::SetLastError(127);
    ReportSystemError(text::kNoCreateJavaVm);
    EXPECT_EQ(output.Bytes(),
              "Error: Windows Fehler: konnte den Modulpfad nicht finden (Fehlernummer = 122).\n"
              " \n"
              "Error: Windows Fehler: Kann CreateJavaVM JNI nicht finden (Fehlernummer = 127).\n"
              " \n");
}

TEST(ErrorLines, JvmCreationFailureWithItsReason) {
    const struct {
        int result;
        const char* reason;
    } cases[] = {
        {-1, "unbekannt"},
        {-2, "Thread von der VM getrennt"},
        {-3, "JNI Versionsfehler"},
        {-4, "nicht gen\xC3\xBCgend Arbeitsspeicher"},
        {-5, "VM bereits erzeugt"},
        {-6, "ung\xC3\xBCltige Argumente"},
        {-7, ""},
        {1, ""},
    };
    for (const auto& c : cases) {
        CapturedOutput output;
        ReportJvmCreateError(c.result);
        EXPECT_EQ(output.Bytes(),
                  std::string("Error: JNI Fehler: konnte die Java VM nicht erzeugen\n"
                              "Reason: ") +
                      c.reason + ".\n \n")
            << c.result;
    }
}

// A console of its own for a test; the standard handles come back afterwards.
class OwnConsole {
  public:
    OwnConsole()
        : in_(::GetStdHandle(STD_INPUT_HANDLE)),
          out_(::GetStdHandle(STD_OUTPUT_HANDLE)),
          err_(::GetStdHandle(STD_ERROR_HANDLE)) {
        ::FreeConsole();
        if (::AllocConsole()) {
            screen_.reset(support::ValidOrNull(::CreateFileW(
                L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                nullptr, OPEN_EXISTING, 0, nullptr)));
            ::SetStdHandle(STD_OUTPUT_HANDLE, screen_.get());
        }
    }
    ~OwnConsole() {
        screen_.reset();
        ::FreeConsole();
        ::SetStdHandle(STD_INPUT_HANDLE, in_);
        ::SetStdHandle(STD_OUTPUT_HANDLE, out_);
        ::SetStdHandle(STD_ERROR_HANDLE, err_);
    }
    OwnConsole(const OwnConsole&) = delete;
    OwnConsole& operator=(const OwnConsole&) = delete;

    bool Ready() const { return screen_ != nullptr; }

    // The characters of one row of the screen, without the blanks that fill it up.
    std::wstring Row(short row) const {
        CONSOLE_SCREEN_BUFFER_INFO info{};
        if (!::GetConsoleScreenBufferInfo(screen_.get(), &info) || info.dwSize.X <= 0) {
            return L"?";
        }
        std::wstring text(static_cast<size_t>(info.dwSize.X), L' ');
        DWORD read = 0;
        if (!::ReadConsoleOutputCharacterW(screen_.get(), text.data(), info.dwSize.X, COORD{0, row},
                                           &read)) {
            return L"?";
        }
        text.resize(read);
        text.erase(text.find_last_not_of(L' ') + 1);
        return text;
    }

  private:
    HANDLE in_;
    HANDLE out_;
    HANDLE err_;
    support::UniqueHandle screen_;
};

// On a console the line goes out as UTF-16 text, so the umlauts show whatever the code page.
TEST(ErrorLines, OnAConsoleTheUmlautsShow) {
    const OwnConsole console;
    ASSERT_TRUE(console.Ready()) << ::GetLastError();
    ReportJvmCreateError(-4);
    PrintError(L"\u00c4\u00d6\u00dc \u00e4\u00f6\u00fc \u00df \u20ac");
    EXPECT_EQ(console.Row(0), L"Error: JNI Fehler: konnte die Java VM nicht erzeugen");
    EXPECT_EQ(console.Row(1), L"Reason: nicht gen\u00fcgend Arbeitsspeicher.");
    EXPECT_EQ(console.Row(2), L"");
    EXPECT_EQ(console.Row(3), L"Error: \u00c4\u00d6\u00dc \u00e4\u00f6\u00fc \u00df \u20ac");
}

}  // namespace
}  // namespace launcher
