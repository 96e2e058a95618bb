#pragma once
// The command line of Quorvel.exe: a table of commands, each a row with its name, usage and handler.
// Exit status: 0 the command ran, 1 it could not work, 2 wrong usage (usage text on stderr).
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/app_context.h"

namespace trenmoor::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct CliIo {
    std::ostream& out;  // results (JSON written as UTF-8 bytes)
    std::ostream& err;  // usage and diagnostics
};

using CommandArgs = std::span<const std::string>;  // the arguments after the command's own words

struct CliCommand {
    std::string_view words;  // "junk scan", "duplicates": matched against the first arguments
    std::string_view usage;  // one or more lines, without the program name
    int (*run)(AppContext& ctx, CommandArgs args, CliIo& io);
};

// Every command of the program, in the order the usage text lists them.
std::span<const CliCommand> Commands();

// Runs the command named by `args` (the program name and the machine options already removed).
int RunCommandLine(AppContext& ctx, const std::vector<std::string>& args, CliIo& io);

// Writes the usage of one command (or of all, when `command` is null) to io.err; returns kExitUsage.
int UsageError(CliIo& io, const CliCommand* command, std::string_view problem);

// Options of the simulated machine, given before or between the command's words natively:
// "--drive C=/folder" (repeatable) maps a drive letter to a host folder; "--registry FILE.reg"
// (repeatable) loads a registry image into the simulated machine.
struct MachineOptions {
    std::vector<std::pair<char, std::string>> drives;
    std::vector<std::string> registryFiles;
};
// Removes the machine options from `args`. False (with `problem` set) when one is malformed.
bool ExtractMachineOptions(std::vector<std::string>& args, MachineOptions& options, std::string& problem);

}  // namespace trenmoor::cli
