// "junk scan" and "junk clean": the junk file cleaner without its window.
#include <string>
#include <vector>

#include "cli/disk_commands.h"
#include "cli/json_writer.h"
#include "cli/option_reader.h"
#include "common/shared_helpers.h"
#include "disk_cleaners/folder_walk.h"
#include "disk_cleaners/junk_clean.h"
#include "disk_cleaners/junk_scan.h"

namespace trenmoor::cli {

namespace dc = disk_cleaners;

namespace {

const CliCommand& CommandNamed(std::string_view words) {
    for (const CliCommand& c : Commands()) {
        if (c.words == words) return c;
    }
    return Commands().front();
}

// "C:,D:" -> roots; a bare letter or a folder is accepted too.
std::vector<std::string> SplitDrives(std::string_view list) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = list.find(',', start);
        std::string item(
            list.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (item.size() == 1) item += ':';
        if (!item.empty()) out.push_back(dc::NormalizeFolder(item));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return out;
}

struct JunkOptions {
    std::vector<std::string> drives;
    bool json = false;
    std::string mode;
    std::string dest;
};

// Parses the options both junk commands share; returns kExitOk or the usage exit.
int ParseJunkOptions(CommandArgs args, const CliCommand& command, bool clean, JunkOptions& o, CliIo& io) {
    OptionReader r(args);
    while (!r.done()) {
        if (!r.isOption()) return UsageError(io, &command, "unexpected argument \"" + r.takeOperand() + "\"");
        const std::string name(r.name());
        if (name == "--json") {
            if (!r.takeFlag()) return UsageError(io, &command, "--json takes no value");
            o.json = true;
        } else if (name == "--drives") {
            const auto v = r.takeValue();
            if (!v || v->empty()) return UsageError(io, &command, "--drives needs a list like C:,D:");
            o.drives = SplitDrives(*v);
        } else if (clean && name == "--mode") {
            const auto v = r.takeValue();
            if (!v || (*v != "recycle" && *v != "delete" && *v != "move"))
                return UsageError(io, &command, "--mode is recycle, delete or move");
            o.mode = *v;
        } else if (clean && name == "--dest") {
            const auto v = r.takeValue();
            if (!v || v->empty()) return UsageError(io, &command, "--dest needs a folder");
            o.dest = *v;
        } else {
            return UsageError(io, &command, "unknown option \"" + name + "\"");
        }
    }
    if (clean && o.mode.empty()) return UsageError(io, &command, "--mode is required");
    if (clean && o.mode == "move" && o.dest.empty())
        return UsageError(io, &command, "--mode move needs --dest DIR");
    if (clean && o.mode != "move" && !o.dest.empty())
        return UsageError(io, &command, "--dest goes with --mode move");
    return kExitOk;
}

// Resolves the drives (all fixed drives when none were named) and checks they exist.
bool ResolveDrives(platform::FileSystem& files, JunkOptions& o, CliIo& io) {
    if (o.drives.empty()) o.drives = dc::FixedDrives(files);
    for (const std::string& d : o.drives) {
        if (!files.directoryExists(dc::JoinPath(d, ""))) {
            io.err << "Quorvel: cannot read " << d << "\n";
            return false;
        }
    }
    return true;
}

struct ScanOutcome {
    std::vector<dc::TTempFileInfo> found;
    std::vector<dc::TJunkFileType> types;
};

ScanOutcome ScanDrives(
    AppContext& ctx, const std::vector<std::string>& drives,
    const std::function<void(const dc::TTempFileInfo&, const dc::TJunkFileType&)>& onFound) {
    platform::FileSystem& files = ctx.platform.files();
    ScanOutcome r;
    r.types = dc::LoadJunkTypes(files, ProgramFile(files, dc::kJunkTypesFileName));
    const dc::JunkMatcher matcher(r.types);
    dc::JunkScanHooks hooks;
    if (onFound) hooks.onFound = [&](const dc::TTempFileInfo& f) { onFound(f, r.types[f.TypeIndex]); };
    hooks.stop = [&ctx] { return ctx.ScanState == kScanAbort; };
    for (const std::string& d : drives) {
        if (!dc::ScanForJunk(files, d, matcher, r.found, hooks)) break;
    }
    return r;
}

}  // namespace

int RunJunkScan(AppContext& ctx, CommandArgs args, CliIo& io) {
    JunkOptions o;
    if (const int rc = ParseJunkOptions(args, CommandNamed("junk scan"), false, o, io); rc != kExitOk)
        return rc;
    if (!ResolveDrives(ctx.platform.files(), o, io)) return kExitFailed;
    uint64_t bytes = 0;
    if (o.json) io.out << "{\"files\":[";
    JsonArrayStream items(io.out);
    const ScanOutcome r =
        ScanDrives(ctx, o.drives, [&](const dc::TTempFileInfo& f, const dc::TJunkFileType& t) {
            bytes += f.Size;
            if (o.json) {
                items.next() << "{\"path\":" << JsonString(f.FullPath) << ",\"size\":" << f.Size
                             << ",\"pattern\":" << JsonString(t.Pattern) << "}";
            } else {
                io.out << f.FullPath << '\t' << f.Size << '\t' << t.Pattern << '\n';
            }
        });
    if (o.json) {
        io.out << "],\"count\":" << r.found.size() << ",\"bytes\":" << bytes << "}\n";
    } else {
        io.out << r.found.size() << " junk files, " << bytes << " bytes\n";
    }
    return kExitOk;
}

int RunJunkClean(AppContext& ctx, CommandArgs args, CliIo& io) {
    JunkOptions o;
    if (const int rc = ParseJunkOptions(args, CommandNamed("junk clean"), true, o, io); rc != kExitOk)
        return rc;
    platform::FileSystem& files = ctx.platform.files();
    if (!ResolveDrives(files, o, io)) return kExitFailed;
    if (!o.dest.empty() && !files.directoryExists(o.dest)) {
        io.err << "Quorvel: destination folder " << o.dest << " does not exist\n";
        return kExitFailed;
    }
    const dc::CleanMode mode = o.mode == "delete" ? dc::CleanMode::Delete
                               : o.mode == "move" ? dc::CleanMode::MoveToFolder
                                                  : dc::CleanMode::RecycleBin;
    const ScanOutcome r = ScanDrives(ctx, o.drives, {});
    uint64_t cleaned = 0, failed = 0;
    if (o.json) io.out << "{\"files\":[";
    JsonArrayStream items(io.out);
    for (const dc::TTempFileInfo& f : r.found) {
        const std::string_view status =
            dc::CleanJunkFile(files, ctx.platform.shell(), mode, f.FullPath, o.dest);
        ++(dc::IsErrorStatus(status) ? failed : cleaned);
        if (o.json) {
            items.next() << "{\"path\":" << JsonString(f.FullPath) << ",\"status\":" << JsonString(status)
                         << "}";
        } else {
            io.out << f.FullPath << '\t' << status << '\n';
        }
    }
    if (o.json) {
        io.out << "],\"cleaned\":" << cleaned << ",\"failed\":" << failed << "}\n";
    } else {
        io.out << cleaned << " cleaned, " << failed << " failed\n";
    }
    return kExitOk;
}

}  // namespace trenmoor::cli
