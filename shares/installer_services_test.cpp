// The installer services against the real installer: a package opened in this process (not
// installed) gives an installation handle with properties, formatting and messages.
#include "installer_services.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pubdirs {
namespace {

std::wstring ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L'\\'));
}

class OpenPackage : public ::testing::Test {
  protected:
    void SetUp() override {
        ::MsiSetInternalUI(INSTALLUILEVEL_NONE, nullptr);
        const std::wstring package = ProgramFolder() + L"\\pubdirs-sample.msi";
        ASSERT_EQ(::MsiOpenPackageW(package.c_str(), install_.Receive()), 0u);
    }
    MSIHANDLE Install() const { return install_.Get(); }

  private:
    InstallerHandle install_;
};

// Captures the messages that reach the user interface and answers them.
struct MessageCapture {
    struct Message {
        UINT type;
        std::vector<std::wstring> fields;  // field 0 first
    };
    std::vector<Message> messages;
    int answer = IDOK;

    MessageCapture() {
        ::MsiSetExternalUIRecord(&MessageCapture::Handle,
                                 INSTALLLOGMODE_ACTIONDATA | INSTALLLOGMODE_INFO, this, nullptr);
    }
    ~MessageCapture() { ::MsiSetExternalUIRecord(nullptr, 0, nullptr, nullptr); }

    static int WINAPI Handle(void* context, UINT type, MSIHANDLE record) {
        auto* self = static_cast<MessageCapture*>(context);
        Message message{type & 0xFF000000u, {}};
        for (UINT i = 0; i <= ::MsiRecordGetFieldCount(record); ++i) {
            message.fields.push_back(ReadRecordField(record, i).value_or(L"<unreadable>"));
        }
        self->messages.push_back(message);
        return self->answer;
    }
};

TEST(InstallerHandle, ClosesWhatItOwnsExactlyOnce) {
    const MSIHANDLE first = ::MsiCreateRecord(1);
    const MSIHANDLE second = ::MsiCreateRecord(1);
    {
        InstallerHandle handle(first);
        handle.Reset(second);  // closes the first
        EXPECT_EQ(::MsiCloseHandle(first), static_cast<UINT>(ERROR_INVALID_HANDLE));
        InstallerHandle moved(std::move(handle));
        EXPECT_EQ(handle.Get(), 0u);
        EXPECT_EQ(moved.Get(), second);
    }
    EXPECT_EQ(::MsiCloseHandle(second), static_cast<UINT>(ERROR_INVALID_HANDLE));

    InstallerHandle slot(::MsiCreateRecord(1));
    const MSIHANDLE previous = slot.Get();
    *slot.Receive() = ::MsiCreateRecord(2);  // the previous one is closed before reuse
    EXPECT_EQ(::MsiCloseHandle(previous), static_cast<UINT>(ERROR_INVALID_HANDLE));
}

TEST(ReadRecordField, AnyLengthNullAndNumbers) {
    InstallerHandle record(::MsiCreateRecord(3));
    const std::wstring long_text(5000, L'x');
    ASSERT_EQ(::MsiRecordSetStringW(record.Get(), 1, long_text.c_str()), 0u);
    ASSERT_EQ(::MsiRecordSetInteger(record.Get(), 3, -42), 0u);
    EXPECT_EQ(ReadRecordField(record.Get(), 1), long_text);
    EXPECT_EQ(ReadRecordField(record.Get(), 2), std::wstring());  // a null field reads empty
    EXPECT_EQ(ReadRecordField(record.Get(), 3), L"-42");
    EXPECT_EQ(ReadRecordField(0, 1), std::nullopt);
}

TEST_F(OpenPackage, ReadInstallerPropertyOfAnyLength) {
    const std::wstring long_text = std::wstring(3000, L'ä') + L"Ende";
    ASSERT_EQ(::MsiSetPropertyW(Install(), L"TS_LONG", long_text.c_str()), 0u);
    EXPECT_EQ(ReadInstallerProperty(Install(), L"TS_LONG"), long_text);
    EXPECT_EQ(ReadInstallerProperty(Install(), L"UpgradeCode"),
              L"{5A0C7E21-3B7D-4C1E-9F52-7D1A2B3C4D00}");
    EXPECT_EQ(ReadInstallerProperty(Install(), L"TS_NEVER_SET"), std::wstring());
    EXPECT_EQ(ReadInstallerProperty(0, L"UpgradeCode"), std::nullopt);
}

TEST_F(OpenPackage, FormatInstallerTextResolvesReferences) {
    ASSERT_EQ(::MsiSetPropertyW(Install(), L"TS_NAME", L"Welt"), 0u);
    std::wstring text = L"Hallo [TS_NAME], [TS_NEVER_SET]!";
    EXPECT_TRUE(FormatInstallerText(Install(), text));
    EXPECT_EQ(text, L"Hallo Welt, !");

    std::wstring empty;
    EXPECT_TRUE(FormatInstallerText(0, empty));  // never reaches the installer
    EXPECT_EQ(empty, L"");

    std::wstring long_text = std::wstring(4000, L'a') + L"[TS_NAME]";
    EXPECT_TRUE(FormatInstallerText(Install(), long_text));
    EXPECT_EQ(long_text, std::wstring(4000, L'a') + L"Welt");
}

TEST_F(OpenPackage, SendActionDataSendsTheFieldsUpToTheFirstAbsentOne) {
    MessageCapture capture;
    EXPECT_EQ(SendActionData(Install(), {L"C:\\Ordner\\", L"Freigabe"}), 0u);
    EXPECT_EQ(SendActionData(Install(), {std::nullopt, L"Freigabe"}), 0u);
    EXPECT_EQ(SendActionData(Install(), {L"eins", std::nullopt, L"drei"}), 0u);
    EXPECT_EQ(SendActionData(0, {L"ohne Installation"}), 0u);
    ASSERT_EQ(capture.messages.size(), 2u);
    EXPECT_EQ(capture.messages[0].type, static_cast<UINT>(INSTALLMESSAGE_ACTIONDATA));
    EXPECT_EQ(capture.messages[0].fields,
              (std::vector<std::wstring>{L"", L"C:\\Ordner\\", L"Freigabe"}));
    EXPECT_EQ(capture.messages[1].fields, (std::vector<std::wstring>{L"", L"eins"}));
}

TEST_F(OpenPackage, SendActionDataReportsACancel) {
    MessageCapture capture;
    for (int answer : {IDCANCEL, IDABORT}) {
        capture.answer = answer;
        EXPECT_EQ(SendActionData(Install(), {L"x"}), static_cast<UINT>(ERROR_INSTALL_USEREXIT));
    }
    for (int answer : {IDOK, IDNO, 0, -1}) {
        capture.answer = answer;
        EXPECT_EQ(SendActionData(Install(), {L"x"}), 0u);
    }
}

TEST_F(OpenPackage, WriteLogLineWritesTheLineAsItIs) {
    ASSERT_EQ(::MsiSetPropertyW(Install(), L"TS_NAME", L"Welt"), 0u);
    MessageCapture capture;
    WriteLogLine(Install(), L"Zeile \"[TS_NAME]\" {geschweift} [1] \\ ende");
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0].type, static_cast<UINT>(INSTALLMESSAGE_INFO));
    // The message's template, formatted as the installer shows it.
    std::wstring shown = capture.messages[0].fields[0];
    ASSERT_TRUE(FormatInstallerText(Install(), shown));
    EXPECT_EQ(shown, L"Zeile \"[TS_NAME]\" {geschweift} [1] \\ ende");
}

}  // namespace
}  // namespace pubdirs
