// The automation helper driven against the recording double: what arrives at the server,
// and what a failed call reports.
#include <gtest/gtest.h>

#include "automation/dispatch.h"
#include "com_registration.h"
#include "scratch_folder.h"

namespace {

using automation::Argument;
using automation::Dispatch;
using automation::Variant;
using testing_support::CallLog;

const wchar_t kClassId[] = L"{7D1B5C40-3E21-4F7A-9C61-2A5E0D4B9A01}";
const wchar_t kProgId[] = L"TsDouble.Recorder";

class AutomationTest : public testing::Test {
  protected:
    void Play(const std::string& config) {
        folder_.Write(L"double.txt", config);
        registration_.emplace(kClassId, std::vector<std::wstring>{kProgId},
                              folder_ / L"double.txt");
    }
    std::vector<std::string> Log() const { return CallLog(folder_ / L"double.txt.log"); }

    automation::ComApartment apartment_;
    testing_support::ScratchFolder folder_;
    std::optional<testing_support::ComDoubleRegistration> registration_;
};

TEST_F(AutomationTest, CallsArriveWithTheirTypesNamesAndOrder) {
    Play(
        "create Application\n"
        "Application.Visible\n"
        "Application.Documents = object Documents\n"
        "Documents.Open = object Document\n"
        "Documents.Count id 7 = i4 2\n");
    {
        auto created = automation::CreateObject(kProgId);
        ASSERT_TRUE(created.Ok()) << created.Error().number;
        Dispatch application = created.Value();
        ASSERT_TRUE(application.Put(L"Visible", Variant::Bool(true)).Ok());
        auto documents = application.ObjectProperty(L"Documents");
        ASSERT_TRUE(documents.Ok());
        std::vector<Argument> arguments;
        arguments.push_back({L"", Variant::String(L"C:\\a b.doc")});
        arguments.push_back({L"", Variant::I2(4)});
        arguments.push_back({L"ReadOnly", Variant::Bool(false)});
        arguments.push_back({L"Revert", Variant::Missing()});
        arguments.push_back({L"Format", Variant::I4(-1)});
        ASSERT_TRUE(documents.Value().Call(L"Open", std::move(arguments)).Ok());
        auto count = documents.Value().GetId(7);
        long number = 0;
        ASSERT_TRUE(count.Ok() && count.Value().ToLong(number));
        EXPECT_EQ(number, 2);
        EXPECT_TRUE(documents.Value().PutId(7, Variant::I2(-3)).Ok());
        EXPECT_TRUE(documents.Value().CallId(7, {{L"", Variant::String(L"")}}).Ok());
    }
    EXPECT_EQ(Log(), (std::vector<std::string>{
                         "create Application",
                         "Application.Visible put bool:true",
                         "Application.Documents get",
                         "Documents.Open call bstr:C:\\a b.doc i2:4 ReadOnly=bool:false "
                         "Revert=error:0x80020004 Format=i4:-1",
                         "Document released",
                         "Documents.Count get",
                         "Documents.Count put i2:-3",
                         "Documents.Count call bstr:",
                         "Documents released",
                         "Application released",
                     }));
}

TEST_F(AutomationTest, AFailedCallGivesItsNumberAndDescription) {
    Play(
        "create Application\n"
        "Application.A fails scode 0x800A7D03 Anmeldung fehlgeschlagen\n"
        "Application.B fails scode 0x800A01A8 Objekt erforderlich\n"
        "Application.C fails scode 0x80004005\n"
        "Application.D fails wcode 2\n"
        "Application.E fails hresult 0x80020005\n"
        "Application.G fails hresult 0x800A1436\n"
        "Application.F call 2 fails wcode 7 Zweiter Aufruf\n");
    struct Case {
        const wchar_t* member;
        long number;
        std::wstring description;  // empty: the system's text for the number, or its hex
    };
    // A component's own errors (facility 0x000A) count by their low 16 bits, as the platform
    // reports them; described by the code as raised.
    const Case cases[] = {
        {L"A", 32003, L"Anmeldung fehlgeschlagen"},
        {L"B", 424, L"Objekt erforderlich"},
        {L"C", static_cast<long>(0x80004005), L""},
        {L"D", 2, L""},
        {L"E", static_cast<long>(0x80020005), L""},
        {L"G", 5174, automation::DescribeCode(static_cast<long>(0x800A1436))},
        {L"Missing", static_cast<long>(0x80020006), L""},
    };
    auto application = automation::CreateObject(kProgId);
    ASSERT_TRUE(application.Ok());
    for (const auto& c : cases) {
        auto result = application.Value().Call(c.member);
        ASSERT_FALSE(result.Ok()) << c.member;
        EXPECT_EQ(result.Error().number, c.number) << c.member;
        const std::wstring expected =
            c.description.empty() ? automation::DescribeCode(c.number) : c.description;
        EXPECT_EQ(result.Error().description, expected) << c.member;
    }
    EXPECT_TRUE(application.Value().Put(L"F", Variant::I4(1)).Ok());
    auto second = application.Value().Put(L"F", Variant::I4(2));
    ASSERT_FALSE(second.Ok());
    EXPECT_EQ(second.Error().number, 7);
    EXPECT_TRUE(application.Value().Put(L"F", Variant::I4(3)).Ok());
}

TEST_F(AutomationTest, CreationByClassIdAndItsOutcomes) {
    Play("create Application\n");
    auto byClass = automation::CreateObject(kClassId);
    ASSERT_TRUE(byClass.Ok());
    EXPECT_FALSE(byClass.Value().Empty());

    Play("create none\n");
    auto none = automation::CreateObject(kProgId);
    ASSERT_TRUE(none.Ok());
    EXPECT_TRUE(none.Value().Empty());
    EXPECT_FALSE(none.Value().Get(L"Anything").Ok());

    Play("create fail 0x80080005\n");
    auto failed = automation::CreateObject(kProgId);
    ASSERT_FALSE(failed.Ok());
    EXPECT_EQ(failed.Error().number, static_cast<long>(0x80080005));

    auto unknown = automation::CreateObject(L"TsDouble.NotRegistered");
    ASSERT_FALSE(unknown.Ok());
    EXPECT_LT(unknown.Error().number, 0);
    EXPECT_EQ(unknown.Error().description, automation::DescribeCode(unknown.Error().number));
}

}  // namespace
