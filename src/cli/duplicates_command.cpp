// "duplicates": the duplicate finder without its window (lists, never deletes).
#include <charconv>
#include <string>
#include <vector>

#include "cli/disk_commands.h"
#include "cli/json_writer.h"
#include "cli/option_reader.h"
#include "disk_cleaners/duplicate_finder.h"
#include "disk_cleaners/duplicate_results.h"

namespace trenmoor::cli {

namespace dc = disk_cleaners;

namespace {

std::optional<dc::FileCategory> CategoryNamed(std::string_view name) {
    if (name == "all") return dc::FileCategory::All;
    if (name == "documents") return dc::FileCategory::Documents;
    if (name == "pictures") return dc::FileCategory::Pictures;
    if (name == "music") return dc::FileCategory::Music;
    if (name == "video") return dc::FileCategory::Video;
    return std::nullopt;
}

const CliCommand& Self() {
    for (const CliCommand& c : Commands()) {
        if (c.words == "duplicates") return c;
    }
    return Commands().front();
}

}  // namespace

int RunDuplicates(AppContext& ctx, CommandArgs args, CliIo& io) {
    const CliCommand& self = Self();
    dc::DuplicateCriteria criteria;
    std::vector<std::string> folders;
    bool json = false;
    OptionReader r(args);
    while (!r.done()) {
        if (!r.isOption()) {
            folders.push_back(r.takeOperand());
            continue;
        }
        const std::string name(r.name());
        bool* flag = name == "--same-size"      ? &criteria.SameSize
                     : name == "--same-date"    ? &criteria.SameDate
                     : name == "--same-content" ? &criteria.SameContent
                     : name == "--json"         ? &json
                                                : nullptr;
        if (flag) {
            if (!r.takeFlag()) return UsageError(io, &self, name + " takes no value");
            *flag = true;
        } else if (name == "--min-kb") {
            const auto v = r.takeValue();
            uint32_t kb = 0;
            if (!v || v->empty() ||
                std::from_chars(v->data(), v->data() + v->size(), kb).ptr != v->data() + v->size())
                return UsageError(io, &self, "--min-kb needs a whole number");
            criteria.SkipSmall = true;
            criteria.MinSizeKb = kb;
        } else if (name == "--filter") {
            const auto v = r.takeValue();
            const auto category = v ? CategoryNamed(*v) : std::nullopt;
            if (!category)
                return UsageError(io, &self, "--filter is all, documents, pictures, music or video");
            criteria.Category = *category;
        } else {
            return UsageError(io, &self, "unknown option \"" + name + "\"");
        }
    }
    if (folders.empty()) return UsageError(io, &self, "no folder given");
    platform::FileSystem& files = ctx.platform.files();
    for (const std::string& f : folders) {
        if (!files.directoryExists(f)) {
            io.err << "Quorvel: cannot read folder " << f << "\n";
            return kExitFailed;
        }
    }

    dc::DuplicateFinder finder(criteria);
    dc::DuplicateScanHooks hooks;
    hooks.stop = [&ctx] { return ctx.ScanState == kScanAbort; };
    finder.scan(files, folders, files.windowsDirectory(), hooks);
    dc::DuplicateResults results;
    results.build(finder.groups());  // the window's default order: most recently modified first

    platform::Clock& clock = ctx.platform.clock();
    const auto& rows = results.rows();
    if (json) io.out << "{\"groups\":[";
    JsonArrayStream groups(io.out);
    for (size_t i = 0; i < rows.size();) {
        const dc::TSearchResult& header = rows[i++];
        if (json) {
            groups.next() << "{\"name\":" << JsonString(header.FileName) << ",\"files\":[";
        } else {
            io.out << header.FileName << " (" << header.Count << " files)\n";
        }
        JsonArrayStream members(io.out);
        for (; i < rows.size() && rows[i].Kind == dc::RowKind::File; ++i) {
            const dc::TSearchResult& f = rows[i];
            const std::string modified = dc::DateTimeText(clock, f.Modified);
            const std::string created = dc::DateTimeText(clock, f.Created);
            if (json) {
                members.next() << "{\"path\":" << JsonString(f.fullPath()) << ",\"size\":" << f.Size
                               << ",\"modified\":" << JsonString(modified)
                               << ",\"created\":" << JsonString(created) << "}";
            } else {
                io.out << "  " << f.fullPath() << '\t' << f.Size << '\t' << modified << '\n';
            }
        }
        if (json) io.out << "]}";
    }
    if (json) {
        io.out << "],\"groupCount\":" << results.groupCount() << ",\"fileCount\":" << results.fileRowCount()
               << "}\n";
    } else {
        io.out << results.statusText() << '\n';
    }
    return kExitOk;
}

}  // namespace trenmoor::cli
