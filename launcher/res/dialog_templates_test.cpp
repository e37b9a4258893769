// The two dialog templates as the code that shows them expects them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <string>
#include <vector>

namespace launcher {
namespace {

struct Control {
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    std::wstring windowClass;  // upper case: "BUTTON", "EDIT", "STATIC"
    std::wstring text;         // "#32513" for an ordinal
};

struct Dialog {
    DWORD style = 0;
    short cx = 0, cy = 0;
    std::wstring caption;
    WORD pointSize = 0;
    std::wstring font;
    std::vector<Control> controls;
};

// Reads a DLGTEMPLATEEX with its items.
class TemplateReader {
  public:
    TemplateReader(const BYTE* data, size_t size) : data_(data), size_(size) {}

    Dialog Read() {
        Dialog dialog;
        EXPECT_EQ(Word(), 1);       // dlgVer
        EXPECT_EQ(Word(), 0xFFFF);  // signature
        Dword();                    // helpID
        Dword();                    // exStyle
        dialog.style = Dword();
        const WORD count = Word();
        Word();
        Word();
        dialog.cx = static_cast<short>(Word());
        dialog.cy = static_cast<short>(Word());
        EXPECT_EQ(NameOrOrdinal(), L"");  // menu
        EXPECT_EQ(NameOrOrdinal(), L"");  // class
        dialog.caption = Text();
        if (dialog.style & (DS_SETFONT | DS_SHELLFONT)) {
            dialog.pointSize = Word();
            Word();
            position_ += 2;  // italic, charset
            dialog.font = Text();
        }
        for (WORD i = 0; i < count && !failed_; ++i) {
            position_ = (position_ + 3) & ~size_t{3};
            Control control;
            Dword();  // helpID
            Dword();  // exStyle
            control.style = Dword();
            control.x = static_cast<short>(Word());
            control.y = static_cast<short>(Word());
            control.cx = static_cast<short>(Word());
            control.cy = static_cast<short>(Word());
            control.id = static_cast<int>(Dword());
            control.windowClass = ClassName(NameOrOrdinal());
            control.text = NameOrOrdinal();
            position_ += Word();  // creation data
            dialog.controls.push_back(control);
        }
        EXPECT_FALSE(failed_);
        return dialog;
    }

  private:
    WORD Word() {
        if (position_ + 2 > size_) {
            failed_ = true;
            return 0;
        }
        const WORD value = static_cast<WORD>(data_[position_] | data_[position_ + 1] << 8);
        position_ += 2;
        return value;
    }
    DWORD Dword() {
        const DWORD low = Word();
        return low | static_cast<DWORD>(Word()) << 16;
    }
    std::wstring Text() {
        std::wstring text;
        for (WORD c = Word(); c != 0 && !failed_; c = Word()) {
            text += static_cast<wchar_t>(c);
        }
        return text;
    }
    std::wstring NameOrOrdinal() {
        if (position_ + 2 <= size_ && data_[position_] == 0xFF && data_[position_ + 1] == 0xFF) {
            position_ += 2;
            return L"#" + std::to_wstring(Word());
        }
        return Text();
    }

    // The predefined classes may be given by ordinal or by name, in any case.
    static std::wstring ClassName(std::wstring name) {
        if (name == L"#128") {
            return L"BUTTON";
        }
        if (name == L"#129") {
            return L"EDIT";
        }
        if (name == L"#130") {
            return L"STATIC";
        }
        for (wchar_t& c : name) {
            c = static_cast<wchar_t>(::towupper(c));
        }
        return name;
    }

    const BYTE* data_;
    size_t size_;
    size_t position_ = 0;
    bool failed_ = false;
};

Dialog LoadDialog(WORD id) {
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC resource = ::FindResourceExW(module, RT_DIALOG, MAKEINTRESOURCEW(id),
                                       MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    if (resource == nullptr) {
        ADD_FAILURE() << "no German dialog " << id;
        return {};
    }
    const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module, resource)));
    return TemplateReader(data, ::SizeofResource(module, resource)).Read();
}

constexpr DWORD kVisibleChild = WS_CHILD | WS_VISIBLE;

void ExpectControl(const Control& c, int id, const wchar_t* windowClass, const wchar_t* text,
                   short x, short y, short cx, short cy, DWORD style) {
    SCOPED_TRACE(testing::Message() << "control " << id);
    EXPECT_EQ(c.id, id);
    EXPECT_EQ(c.windowClass, windowClass);
    EXPECT_EQ(c.text, text);
    EXPECT_EQ(c.x, x);
    EXPECT_EQ(c.y, y);
    EXPECT_EQ(c.cx, cx);
    EXPECT_EQ(c.cy, cy);
    EXPECT_EQ(c.style, style | kVisibleChild);
}

const wchar_t kButton[] = L"BUTTON";
const wchar_t kEdit[] = L"EDIT";
const wchar_t kStatic[] = L"STATIC";

TEST(DialogTemplates, RuntimeNotFound) {
    const Dialog d = LoadDialog(201);
    EXPECT_EQ(d.caption, L"JRE nicht gefunden");
    EXPECT_EQ(d.cx, 219);
    EXPECT_EQ(d.cy, 145);
    EXPECT_EQ(d.style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                                          DS_SHELLFONT));
    EXPECT_EQ(d.pointSize, 8);
    EXPECT_EQ(d.font, L"MS Shell Dlg");
    ASSERT_EQ(d.controls.size(), 10u);
    ExpectControl(d.controls[0], 1, kButton, L"Ok", 107, 122, 50, 14,
                  BS_DEFPUSHBUTTON | WS_TABSTOP);
    ExpectControl(d.controls[1], 2, kButton, L"Abbrechen", 161, 122, 50, 14,
                  BS_PUSHBUTTON | WS_TABSTOP);
    ExpectControl(d.controls[2], 201, kEdit, L"", 60, 89, 91, 14,
                  WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY);
    ExpectControl(d.controls[3], -1, kStatic, L"JRE Pfad:", 12, 92, 45, 8, SS_LEFT | WS_GROUP);
    ExpectControl(d.controls[4], 202, kButton, L"Durchsuche...", 154, 89, 52, 14,
                  BS_PUSHBUTTON | WS_TABSTOP);
    ExpectControl(d.controls[5], -1, kButton, L"Kein JRE", 8, 11, 203, 103, BS_GROUPBOX);
    ExpectControl(d.controls[6], 204, kStatic, L"#32513", 16, 24, 20, 20, SS_ICON);
    ExpectControl(d.controls[7], 203, kStatic, L"", 42, 24, 149, 24, SS_LEFT | WS_GROUP);
    EXPECT_EQ(d.controls[8].id, 205);
    EXPECT_TRUE(d.controls[8].text.starts_with(L"https://"));
    ExpectControl(d.controls[9], 206, kStatic,
                  L"Wenn Sie ein JRE installiert haben, k\u00f6nnen Sie unten danach suchen:", 12,
                  70, 195, 17, SS_LEFT | WS_GROUP);
}

TEST(DialogTemplates, JavaException) {
    const Dialog d = LoadDialog(231);
    EXPECT_EQ(d.caption, L"Java Fehler");
    EXPECT_EQ(d.cx, 275);
    EXPECT_EQ(d.cy, 242);
    EXPECT_TRUE(d.style & WS_THICKFRAME);  // resizable
    std::vector<int> ids;
    for (const Control& c : d.controls) {
        ids.push_back(c.id);
    }
    EXPECT_EQ(ids, (std::vector<int>{1, 2, 209, 204, 210, 208, 211, 212}));
    ASSERT_EQ(d.controls.size(), 8u);
    EXPECT_EQ(d.controls[0].text, L"Ignorieren");
    EXPECT_TRUE(d.controls[0].style & BS_DEFPUSHBUTTON);
    EXPECT_EQ(d.controls[1].text, L"Stop");
    EXPECT_EQ(d.controls[2].text, L"Unbehandelte Ausnahme");
    EXPECT_EQ(d.controls[3].text, L"#32513");
    EXPECT_EQ(d.controls[4].text,
              L"Der Javaprozess hat die folgende unbehandelte Ausnahme ausgegeben:");
    EXPECT_EQ(d.controls[5].windowClass, kEdit);
    EXPECT_TRUE(d.controls[5].style & ES_MULTILINE);
    EXPECT_TRUE((d.controls[5].style & (WS_VSCROLL | WS_HSCROLL)) == (WS_VSCROLL | WS_HSCROLL));
    EXPECT_EQ(d.controls[6].text,
              L"Klicken Sie auf Ignorieren, um fortzufahren und die Ausnahme zu \u00fcbergehen "
              L"oder Stop, um die Anwendung zu schlie\u00dfen.");
    EXPECT_EQ(d.controls[7].text,
              L"Achtung: Wenn Sie die Anwendung anhalten, gehen alle nicht gespeicherten Daten "
              L"verloren.");
}

INT_PTR CALLBACK IgnoreMessages(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

TEST(DialogTemplates, ErrorIconIsTheSystemOne) {
    // The icon control names 32513; the static control falls back to the system icon.
    HWND dialog = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(201), nullptr,
                                       IgnoreMessages, 0);
    ASSERT_NE(dialog, nullptr);
    HWND icon = ::GetDlgItem(dialog, 204);
    EXPECT_NE(::SendMessageW(icon, STM_GETICON, 0, 0), 0);
    ::DestroyWindow(dialog);
}

}  // namespace
}  // namespace launcher
