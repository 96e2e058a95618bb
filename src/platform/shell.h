#pragma once
// The Windows shell: verbs on files and addresses, recycle-bin moves and shortcut targets. Icons and
// folder browsing join this interface as the tools that need them are built.
#include <optional>
#include <string>
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

    // SHFileOperation delete with undo allowed, no confirmation and no error dialogs (flags 0x450):
    // moves one file or folder to the recycle bin. 0 on success, else the shell's non-zero result.
    // A backend without a recycle bin answers kShellNotSupported and leaves the file alone.
    static constexpr int kShellNotSupported = 0x78;  // ERROR_CALL_NOT_IMPLEMENTED
    [[nodiscard]] virtual int recycle(std::string_view path) {
        (void)path;
        return kShellNotSupported;
    }

    // The target path of a shortcut file (".lnk"), read through the shell-link object without changing
    // the file (network targets in their UNC form). Empty text for a shortcut that names no file-system
    // path (a shell item); nothing when the file cannot be loaded as a shortcut.
    [[nodiscard]] virtual std::optional<std::string> resolveShortcut(std::string_view lnkPath) {
        (void)lnkPath;
        return std::nullopt;
    }
};

}  // namespace trenmoor::platform
