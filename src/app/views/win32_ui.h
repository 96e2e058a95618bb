#pragma once
// The Ui of the real program: modal message boxes owned by the main window, and a message pump that
// lets pending window messages run during long loops.
#include <windows.h>

#include "platform/ui.h"

namespace trenmoor::views {

class Win32Ui final : public platform::Ui {
  public:
    platform::MsgResult messageBox(std::string_view text, std::string_view caption, platform::MsgIcon icon,
                                   platform::MsgButtons buttons) override;
    void processMessages() override;

    // The window message boxes belong to (the main window once it exists).
    HWND Owner = nullptr;
    // Set when a WM_QUIT went by inside processMessages; it is posted again for the main loop.
    bool QuitSeen() const { return quitSeen_; }

  private:
    bool quitSeen_ = false;
};

// "\r" line breaks as the program writes them, made into the "\r\n" the system draws.
std::wstring MessageText(std::string_view text);

}  // namespace trenmoor::views
