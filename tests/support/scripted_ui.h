#pragma once
// A Ui for tests: records every message box and answers from a script.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace trenmoor::testing {

struct ShownMessage {
    std::string text, caption;
    platform::MsgIcon icon;
    platform::MsgButtons buttons;
};

class ScriptedUi : public platform::Ui {
  public:
    platform::MsgResult messageBox(std::string_view text, std::string_view caption, platform::MsgIcon icon,
                                   platform::MsgButtons buttons) override {
        shown.push_back({std::string(text), std::string(caption), icon, buttons});
        if (!answers.empty()) {
            const auto a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == platform::MsgButtons::YesNo || buttons == platform::MsgButtons::YesNoCancel
                   ? platform::MsgResult::Yes
                   : platform::MsgResult::Ok;
    }
    void processMessages() override {
        ++pumps;
        if (onPump) onPump();
    }

    std::vector<ShownMessage> shown;
    std::deque<platform::MsgResult> answers;  // consumed in order; default Yes / Ok
    int pumps = 0;
    std::function<void()> onPump;  // runs inside processMessages (a click arriving mid-loop)
};

}  // namespace trenmoor::testing
