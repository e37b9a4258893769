#pragma once
// The program's one window, never shown: it owns the handle that the shell and the boxes
// get as their parent, and carries the program's title.
#include <windows.h>

#include <string>

namespace mailer {

class MailForm {
  public:
    // Creates the hidden window; Handle() is null when that failed.
    explicit MailForm(HINSTANCE instance);
    ~MailForm();
    MailForm(const MailForm&) = delete;
    MailForm& operator=(const MailForm&) = delete;

    HWND Handle() const { return window_; }
    void Hide() const;
    // A modal message box over the form; the answer (IDOK, IDYES, IDNO …).
    int Box(const std::wstring& text, const wchar_t* title, UINT flags) const;

  private:
    HWND window_ = nullptr;
};

}  // namespace mailer
