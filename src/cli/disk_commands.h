#pragma once
// Commands of the disk cleaners: junk files, duplicate files and the shredder.
#include "cli/command_line.h"

namespace trenmoor::cli {

int RunJunkScan(AppContext& ctx, CommandArgs args, CliIo& io);
int RunJunkClean(AppContext& ctx, CommandArgs args, CliIo& io);
int RunDuplicates(AppContext& ctx, CommandArgs args, CliIo& io);
int RunShred(AppContext& ctx, CommandArgs args, CliIo& io);

}  // namespace trenmoor::cli
