#pragma once
// TTemporaryFileForm: adds a junk file type ("Add a new file type") or changes one ("Modify file
// type"); OK is enabled only while the trimmed file extension is not empty.
#include <windows.h>

#include <string>

#include "app/views/window_base.h"

namespace trenmoor::views {

class TTemporaryFileForm : public WindowBase {
  public:
    // Centred on the owner's top-level window, the two texts filled in; shown by ShowModal.
    TTemporaryFileForm(HWND owner, const wchar_t* caption, const std::string& extension,
                       const std::string& description);

    // Shows the dialog and returns whether it was closed with OK; the owner is disabled meanwhile.
    bool ShowModal();
    void mrOkBtnClick();
    void mrCancelBtnClick();
    void edExtensionChange();

    HWND edExtension() const { return ext_; }
    HWND edDesc() const { return desc_; }
    HWND mrOkBtn() const { return ok_; }
    bool Accepted() const { return accepted_; }
    std::string Extension() const;
    std::string Description() const;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    HWND owner_;
    HWND ext_ = nullptr, desc_ = nullptr, ok_ = nullptr;
    bool done_ = false, accepted_ = false;
};

}  // namespace trenmoor::views
