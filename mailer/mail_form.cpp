#include "mail_form.h"

#include "job/job_messages.h"

namespace mailer {
namespace {
constexpr wchar_t kFormClass[] = L"frmMailer";
}  // namespace

MailForm::MailForm(HINSTANCE instance) {
    WNDCLASSW type{};
    type.lpfnWndProc = ::DefWindowProcW;
    type.hInstance = instance;
    type.lpszClassName = kFormClass;
    ::RegisterClassW(&type);
    window_ = ::CreateWindowExW(0, kFormClass, kProgramTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                instance, nullptr);
}

MailForm::~MailForm() {
    if (window_ != nullptr) {
        ::DestroyWindow(window_);
    }
}

void MailForm::Hide() const {
    ::ShowWindow(window_, SW_HIDE);
}

int MailForm::Box(const std::wstring& text, const wchar_t* title, UINT flags) const {
    return ::MessageBoxW(window_, text.c_str(), title, flags);
}

}  // namespace mailer
