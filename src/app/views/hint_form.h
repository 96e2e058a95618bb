#pragma once
// THintForm: the shared "please wait" window. A caller creates it, sets the title strip and the
// message, shows it (it paints at once), does its long work and destroys it; it takes no input.
#include <string>
#include <string_view>

#include "app/views/window_base.h"

namespace trenmoor::views {

class THintForm : public WindowBase {
  public:
    // Centred on `owner` (the main window); 318 x 57 at 96 DPI, always on top.
    explicit THintForm(HWND owner);

    void SetTitle(std::wstring_view title);   // PanelHint, "Hint" until set
    void SetMessage(std::wstring_view text);  // LabelMsg
    void ShowNow();                           // shows without activation and repaints at once

    const std::wstring& Title() const { return title_; }
    const std::wstring& Message() const { return message_; }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    std::wstring title_ = L"Hint";
    std::wstring message_;
};

}  // namespace trenmoor::views
