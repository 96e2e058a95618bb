#pragma once
// The hosted window of a tool whose own window is not part of the program yet: a child of the host
// panel that fills it, registered under the tool's own window class name, showing the tool's caption
// and "Not built yet".
#include <string>
#include <string_view>

#include "app/navigation_controller.h"
#include "app/views/window_base.h"

namespace trenmoor::views {

inline constexpr std::wstring_view kNotBuiltYet = L"Not built yet";

class TPlaceholderToolForm : public WindowBase, public app::ToolWindow {
  public:
    TPlaceholderToolForm(HWND host, std::wstring_view windowClass, std::wstring_view caption);

    void Show() override;
    const std::wstring& Caption() const { return caption_; }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    std::wstring caption_;
};

}  // namespace trenmoor::views
