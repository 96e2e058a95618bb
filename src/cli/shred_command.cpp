// "shred": the file shredder without its window. The command line is the confirmation: nothing is asked.
#include <string>
#include <vector>

#include "cli/disk_commands.h"
#include "cli/json_writer.h"
#include "cli/option_reader.h"
#include "disk_cleaners/file_shredder.h"

namespace trenmoor::cli {

namespace dc = disk_cleaners;

int RunShred(AppContext& ctx, CommandArgs args, CliIo& io) {
    const CliCommand* self = nullptr;
    for (const CliCommand& c : Commands()) {
        if (c.words == "shred") self = &c;
    }
    dc::ShredLevel level = dc::ShredLevel::Quick;
    std::vector<std::string> paths;
    OptionReader r(args);
    while (!r.done()) {
        if (!r.isOption()) {
            paths.push_back(r.takeOperand());
            continue;
        }
        const std::string name(r.name());
        if (name == "--level") {
            const auto v = r.takeValue();
            const auto l = v ? dc::ShredLevelFromName(*v) : std::nullopt;
            if (!l) return UsageError(io, self, "--level is quick, safe or thorough");
            level = *l;
        } else if (name == "--json") {
            if (!r.takeFlag())
                return UsageError(io, self, "--json takes no value");  // the output is always JSON
        } else {
            return UsageError(io, self, "unknown option \"" + name + "\"");
        }
    }
    if (paths.empty()) return UsageError(io, self, "no file or folder given");

    dc::FileShredder shredder(ctx.platform.files(), level);
    bool allOk = true;
    io.out << "{\"items\":[";
    JsonArrayStream items(io.out);
    const auto report = [&](const dc::ShredItem& item) {
        allOk = allOk && item.Ok;
        items.next() << "{\"path\":" << JsonString(item.Path) << ",\"status\":" << JsonString(item.Status)
                     << ",\"ok\":" << (item.Ok ? "true" : "false") << "}";
        io.out.flush();
    };
    const auto stop = [&ctx] { return ctx.ScanState == kScanAbort; };
    for (const std::string& p : paths) allOk = shredder.shredPath(p, report, stop) && allOk;
    io.out << "]}\n";
    // Something the user asked to destroy still exists: the command could not do its work.
    return allOk ? kExitOk : kExitFailed;
}

}  // namespace trenmoor::cli
