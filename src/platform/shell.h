#pragma once
// The Windows shell: verbs on files and addresses. Recycle-bin moves, shortcuts, icons and folder
// browsing join this interface as the tools that need them are built.
#include <string_view>

namespace trenmoor::platform {

enum class ShowMode { Normal, Hidden, Minimized, Maximized };

class Shell {
  public:
    virtual ~Shell() = default;
    // ShellExecute: `verb` ("open", "properties") on a file, program or address. True when the
    // shell accepted the request (it does not wait for the program).
    [[nodiscard]] virtual bool execute(std::string_view verb, std::string_view target,
                                       std::string_view parameters, std::string_view directory,
                                       ShowMode show) = 0;
};

}  // namespace trenmoor::platform
