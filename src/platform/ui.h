#pragma once
// How the cores reach the user: message boxes with exact texts, and letting pending window messages
// run during long loops. The Windows views implement it with real dialogs; tests script the answers.
#include <cstdint>
#include <string>
#include <string_view>

namespace trenmoor::platform {

enum class MsgIcon { None, Information, Exclamation, Error, Question };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

class Ui {
  public:
    virtual ~Ui() = default;
    // Texts use "\r" as line break, as the program's messages are written.
    virtual MsgResult messageBox(std::string_view text, std::string_view caption, MsgIcon icon,
                                 MsgButtons buttons) = 0;
    // Lets pending window messages run (clicks on Abort, timer ticks, repaints).
    virtual void processMessages() = 0;
};

}  // namespace trenmoor::platform
