#pragma once
// The command line's Ui: nothing to repaint between entries, and no one to ask. A message that still
// reaches it is written to stderr and answered with its first button (Yes / Ok).
#include <ostream>

#include "platform/ui.h"

namespace trenmoor::cli {

class ConsoleUi final : public platform::Ui {
  public:
    explicit ConsoleUi(std::ostream& err) : err_(err) {}
    platform::MsgResult messageBox(std::string_view text, std::string_view caption, platform::MsgIcon,
                                   platform::MsgButtons buttons) override {
        err_ << caption << ": " << text << "\n";
        return buttons == platform::MsgButtons::Ok || buttons == platform::MsgButtons::OkCancel
                   ? platform::MsgResult::Ok
                   : platform::MsgResult::Yes;
    }
    void processMessages() override {}

  private:
    std::ostream& err_;
};

}  // namespace trenmoor::cli
