#pragma once
// Commands of the registry cleaner: scan, repair (with the repair backup) and restore, and the
// scheduled "-Scan" run.
#include "cli/command_line.h"

namespace trenmoor::cli {

int RunRegistryScan(AppContext& ctx, CommandArgs args, CliIo& io);
int RunRegistryRepair(AppContext& ctx, CommandArgs args, CliIo& io);
int RunRegistryRestore(AppContext& ctx, CommandArgs args, CliIo& io);
// The scheduled and One-Click run: scans and repairs the One-Click sections that are built, with the
// automatic backup, and leaves a short log beside the executable.
int RunScheduledScan(AppContext& ctx, CommandArgs args, CliIo& io);

// The log "-Scan" writes beside the executable.
inline constexpr std::string_view kScheduledScanLog = "QuorvelScan.log";

}  // namespace trenmoor::cli
