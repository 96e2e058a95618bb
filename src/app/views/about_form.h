#pragma once
// TAboutForm: the modal about box. Name, version, a link to the home page, the support address, and
// two buttons that close it; dragged by its top 24 pixels.
#include <functional>
#include <string>

#include "app/views/image_ex.h"
#include "app/views/window_base.h"

namespace trenmoor::views {

class TAboutForm : public WindowBase {
  public:
    // `openHomePage` opens the HomePage setting (OpenURL).
    TAboutForm(HWND owner, std::wstring homePage, std::function<void()> openHomePage);

    // Runs until btnOK, CloseBtn, Escape or Enter closes the box; the owner is disabled meanwhile.
    void ShowModal();
    // Ends ShowModal (as btnOK does).
    void Close() { done_ = true; }
    bool IsShowing() const { return showing_; }

    TImageEx abVersion;
    TImageEx abHomeBtn;
    TImageEx abSupport;
    TImageEx btnOK;
    TImageEx CloseBtn;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    HWND owner_;
    bool done_ = false;
    bool showing_ = false;
};

}  // namespace trenmoor::views
