// "registry scan", "registry repair", "registry restore" and "-Scan": the registry cleaner's scan and
// repair without a window, with the same checkers, ignore list and repair backup.
#include "cli/registry_commands.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <sstream>

#include "cli/json_writer.h"
#include "cli/option_reader.h"
#include "common/shared_helpers.h"
#include "disk_cleaners/junk_one_click.h"
#include "platform/text_file.h"
#include "registry_cleaner/cleaner_repair.h"
#include "registry_cleaner/cleaner_scan.h"
#include "registry_cleaner/registry_backup.h"
#include "registry_cleaner/sections/section_table.h"

namespace trenmoor::cli {

namespace rc = registry_cleaner;

namespace {

// The One-Click list of registry sections: ActiveX, Application Paths, recently used files, start menu.
constexpr int kOneClickSections[] = {1, 2, 9, 12};

const CliCommand& CommandNamed(std::string_view words) {
    for (const CliCommand& c : Commands()) {
        if (c.words == words) return c;
    }
    return Commands().front();
}

// "2,5,10" -> numbers; false for anything that is not a list of positive numbers.
bool ParseNumberList(std::string_view list, std::vector<int>& out) {
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = list.find(',', start);
        const std::string_view item =
            list.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        int n = 0;
        const auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), n);
        if (item.empty() || ec != std::errc() || end != item.data() + item.size() || n < 1) return false;
        out.push_back(n);
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return !out.empty();
}

struct RegistryOptions {
    rc::SectionSelection sections{};
    std::vector<int> ids;
    bool json = false;
    bool noBackup = false;
};

int ParseOptions(CommandArgs args, const CliCommand& command, bool repair, RegistryOptions& o, CliIo& io) {
    bool sectionsGiven = false;
    OptionReader r(args);
    while (!r.done()) {
        if (!r.isOption()) return UsageError(io, &command, "unexpected argument \"" + r.takeOperand() + "\"");
        const std::string name(r.name());
        if (name == "--json") {
            if (!r.takeFlag()) return UsageError(io, &command, "--json takes no value");
            o.json = true;
        } else if (name == "--sections") {
            std::vector<int> numbers;
            const auto v = r.takeValue();
            if (!v || !ParseNumberList(*v, numbers) ||
                std::any_of(numbers.begin(), numbers.end(), [](int n) { return n > rc::kSectionCount; })) {
                return UsageError(io, &command, "--sections needs section numbers 1 to 17, like 2,5,10");
            }
            for (const int n : numbers) o.sections[static_cast<size_t>(n)] = true;
            sectionsGiven = true;
        } else if (repair && name == "--ids") {
            const auto v = r.takeValue();
            if (!v || !ParseNumberList(*v, o.ids))
                return UsageError(io, &command, "--ids needs problem ids, like 1,4,7");
        } else if (repair && name == "--no-backup") {
            if (!r.takeFlag()) return UsageError(io, &command, "--no-backup takes no value");
            o.noBackup = true;
        } else {
            return UsageError(io, &command, "unknown option \"" + name + "\"");
        }
    }
    if (!sectionsGiven) std::fill(o.sections.begin() + 1, o.sections.end(), true);
    return kExitOk;
}

struct HeadlessScan {
    explicit HeadlessScan(AppContext& ctx) : scan(ctx) {}
    rc::RegistryScan scan;
    uint64_t elapsedMs = 0;
};

// The repair backup's header depends on the platform kind, which the command line finds out itself.
void DetectPlatform(AppContext& ctx) {
    if (ctx.PlatformKind == kPlatformUnknown) ctx.PlatformKind = DetectPlatformKind(ctx.platform.system());
}

void RunScan(AppContext& ctx, const rc::SectionSelection& sections, HeadlessScan& run) {
    DetectPlatform(ctx);
    BuildExcludedDrives(ctx.platform.files(), ctx.ExcludedDrives);
    MessagePump pump(ctx.ui, ctx.platform.clock());
    const uint64_t start = ctx.platform.clock().tickMs();
    run.scan.Clear();
    run.scan.Run(sections, pump);
    run.scan.CollectAllProblems();
    run.elapsedMs = ctx.platform.clock().tickMs() - start;
}

std::string_view OutcomeText(rc::SectionOutcome outcome) {
    switch (outcome) {
        case rc::SectionOutcome::Clean:
            return "clean";
        case rc::SectionOutcome::Problems:
            return "problems";
        case rc::SectionOutcome::NotBuilt:
            return rc::kNotBuiltYet;
        case rc::SectionOutcome::NotScanned:
            break;
    }
    return "not scanned";
}

void WriteScanJsonMembers(std::ostream& out, const rc::SectionSelection& sections, const HeadlessScan& run) {
    out << "\"sections\":[";
    JsonArrayStream list(out);
    for (const rc::SectionDef& def : rc::Sections()) {
        if (!sections[static_cast<size_t>(def.number)]) continue;
        list.next() << "{\"number\":" << def.number << ",\"caption\":" << JsonString(def.caption)
                    << ",\"count\":" << run.scan.Contents()[static_cast<size_t>(def.number)].Count()
                    << ",\"built\":" << (def.Built() ? "true" : "false")
                    << ",\"status\":" << JsonString(OutcomeText(run.scan.Outcome(def.number))) << "}";
    }
    out << "],\"problems\":[";
    JsonArrayStream problems(out);
    for (const rc::TRegistryContentItem& item : run.scan.Contents()[rc::kAllProblemsIndex]) {
        const rc::TContent& p = item.Content;
        problems.next() << "{\"id\":" << p.ID << ",\"section\":" << JsonString(p.Section)
                        << ",\"keyPath\":" << JsonString(p.KeyPath)
                        << ",\"keyName\":" << JsonString(p.KeyName)
                        << ",\"valueName\":" << JsonString(p.ValueName)
                        << ",\"valueData\":" << JsonString(p.ValueData)
                        << ",\"auxData\":" << JsonString(p.AuxData) << ",\"action\":" << JsonString(p.Action)
                        << ",\"severity\":" << JsonString(p.Severity) << ",\"title\":" << JsonString(p.Title)
                        << ",\"description\":" << JsonString(p.Description)
                        << ",\"checked\":" << (p.Checked ? "true" : "false") << "}";
    }
    out << "],\"itemsProcessed\":" << run.scan.Progress().ItemsProcessed
        << ",\"elapsedMs\":" << run.elapsedMs;
}

void WriteScanSummary(std::ostream& out, const rc::SectionSelection& sections, const HeadlessScan& run) {
    int selected = 0;
    for (const rc::SectionDef& def : rc::Sections())
        selected += sections[static_cast<size_t>(def.number)] ? 1 : 0;
    out << "Registry scan: " << selected << " section" << (selected == 1 ? "" : "s") << ", "
        << run.scan.Progress().ItemsProcessed << " items processed, " << run.elapsedMs << " ms\n";
    for (const rc::SectionDef& def : rc::Sections()) {
        if (!sections[static_cast<size_t>(def.number)]) continue;
        out << "  " << (def.number < 10 ? " " : "") << def.number << "  " << def.caption << ": ";
        if (def.Built()) {
            out << run.scan.Contents()[static_cast<size_t>(def.number)].Count() << "\n";
        } else {
            out << rc::kNotBuiltYet << "\n";
        }
    }
    out << "Problems found: " << run.scan.Total() << "\n";
    for (const rc::TRegistryContentItem& item : run.scan.Contents()[rc::kAllProblemsIndex]) {
        const rc::TContent& p = item.Content;
        out << "  [" << p.ID << "] " << p.Severity << "  " << p.Section << "  " << p.KeyPath;
        if (!p.ValueName.empty()) out << "  " << p.ValueName;
        if (!p.ValueData.empty()) out << " = " << p.ValueData;
        out << "\n";
    }
}

// Repairs the checked problems in section order, after the repair backup unless `noBackup`.
// Returns false (with `problem` set) when the backup was needed but could not be written; nothing is
// repaired then.
struct RepairRun {
    std::string backupPath;  // empty when none was written
    rc::TRepairContents repairs;
};
bool RepairWithBackup(AppContext& ctx, HeadlessScan& run, bool noBackup, RepairRun& result,
                      std::string& problem) {
    if (!noBackup) {
        const rc::RepairBackupResult backup = rc::WriteRepairBackup(ctx, run.scan.SectionSpan());
        if (backup.written) {
            result.backupPath = backup.path;
        } else if (rc::AnythingToBackUp(ctx.platform.registry(), run.scan.SectionSpan())) {
            problem = "the repair backup could not be written (" + backup.path + "); nothing was repaired";
            return false;
        }
    }
    std::vector<int> order;
    for (int n = 1; n <= rc::kSectionCount; ++n) order.push_back(n);
    ctx.ScanState = kScanNormal;
    MessagePump pump(ctx.ui, ctx.platform.clock());
    rc::RunRepairs(ctx, run.scan.Contents(), order, result.repairs, pump, {});
    return true;
}

// Leaves only the listed problems checked; false (with the first unknown id) when an id was not found.
bool CheckOnly(HeadlessScan& run, const std::vector<int>& ids, int& unknown) {
    const std::set<int> wanted(ids.begin(), ids.end());
    std::set<int> seen;
    for (auto& contents : run.scan.Contents()) {
        for (rc::TRegistryContentItem& item : contents) {
            item.Content.Checked = wanted.count(item.Content.ID) > 0;
            if (item.Content.Checked) seen.insert(item.Content.ID);
        }
    }
    for (const int id : ids) {
        if (!seen.count(id)) {
            unknown = id;
            return false;
        }
    }
    return true;
}

}  // namespace

int RunRegistryScan(AppContext& ctx, CommandArgs args, CliIo& io) {
    RegistryOptions o;
    if (const int rcode = ParseOptions(args, CommandNamed("registry scan"), false, o, io); rcode != kExitOk)
        return rcode;
    HeadlessScan run(ctx);
    RunScan(ctx, o.sections, run);
    if (o.json) {
        io.out << "{";
        WriteScanJsonMembers(io.out, o.sections, run);
        io.out << "}\n";
    } else {
        WriteScanSummary(io.out, o.sections, run);
    }
    return kExitOk;
}

int RunRegistryRepair(AppContext& ctx, CommandArgs args, CliIo& io) {
    RegistryOptions o;
    if (const int rcode = ParseOptions(args, CommandNamed("registry repair"), true, o, io); rcode != kExitOk)
        return rcode;
    HeadlessScan run(ctx);
    RunScan(ctx, o.sections, run);
    int unknown = 0;
    if (!o.ids.empty() && !CheckOnly(run, o.ids, unknown)) {
        io.err << "Quorvel: no problem with id " << unknown << " was found; nothing was repaired\n";
        return kExitFailed;
    }
    RepairRun repaired;
    std::string problem;
    if (!RepairWithBackup(ctx, run, o.noBackup, repaired, problem)) {
        io.err << "Quorvel: " << problem << "\n";
        return kExitFailed;
    }
    if (o.json) {
        io.out << "{\"backup\":" << (repaired.backupPath.empty() ? "null" : JsonString(repaired.backupPath))
               << ",\"repaired\":[";
        JsonArrayStream list(io.out);
        for (const rc::TRepairContentItem& item : repaired.repairs) {
            list.next() << "{\"name\":" << JsonString(item.Name) << ",\"status\":" << JsonString(item.Status)
                        << "}";
        }
        io.out << "],";
        WriteScanJsonMembers(io.out, o.sections, run);
        io.out << "}\n";
    } else {
        io.out << "Backup: " << (repaired.backupPath.empty() ? "(none)" : repaired.backupPath) << "\n";
        for (const rc::TRepairContentItem& item : repaired.repairs)
            io.out << item.Name << ": " << item.Status << "\n";
        io.out << "Repaired: " << repaired.repairs.Count() << "\n";
    }
    return kExitOk;
}

int RunRegistryRestore(AppContext& ctx, CommandArgs args, CliIo& io) {
    const CliCommand& command = CommandNamed("registry restore");
    if (args.size() != 1 || args[0].rfind("--", 0) == 0)
        return UsageError(io, &command, "give one backup file");
    const std::string& path = args[0];
    DetectPlatform(ctx);
    // A full export is checked by a sample of its keys; a repair backup entry by entry.
    const std::string fullFolder = rc::BackupFolder(ctx.platform.files(), rc::BackupKind::Full);
    const bool full = path.size() > fullFolder.size() &&
                      std::equal(fullFolder.begin(), fullFolder.end(), path.begin(),
                                 [](char a, char b) { return std::toupper(a) == std::toupper(b); });
    switch (rc::RestoreBackup(ctx, path, full ? rc::BackupKind::Full : rc::BackupKind::Repair)) {
        case rc::RestoreOutcome::Restored:
            io.out << "The registry was restored successfully!\n";
            return kExitOk;
        case rc::RestoreOutcome::Unreadable:
            io.err << "Quorvel: " << path << " cannot be read as a registry backup\n";
            break;
        case rc::RestoreOutcome::EditorFailed:
            io.err << "Quorvel: the registry editor did not finish importing " << path << "\n";
            break;
        case rc::RestoreOutcome::NotApplied:
            io.err << "Quorvel: after importing " << path << " the registry does not hold what it holds\n";
            break;
    }
    return kExitFailed;
}

int RunScheduledScan(AppContext& ctx, CommandArgs args, CliIo& io) {
    if (!args.empty()) return UsageError(io, &CommandNamed("-Scan"), "-Scan takes no arguments");
    rc::SectionSelection sections{};
    for (const int n : kOneClickSections) sections[static_cast<size_t>(n)] = rc::SectionByNumber(n)->Built();
    HeadlessScan run(ctx);
    RunScan(ctx, sections, run);
    RepairRun repaired;
    std::string problem;
    const bool ok = RepairWithBackup(ctx, run, false, repaired, problem);

    const platform::DateTime now = ctx.platform.clock().localNow();
    std::ostringstream log;
    log << "Quorvel -Scan " << rc::BackupTimeStamp(now) << "\r\n";
    for (const int n : kOneClickSections) {
        const rc::SectionDef& def = *rc::SectionByNumber(n);
        log << def.caption << ": ";
        if (def.Built()) {
            log << run.scan.Contents()[static_cast<size_t>(n)].Count() << " problems\r\n";
        } else {
            log << rc::kNotBuiltYet << "\r\n";
        }
    }
    log << "Items processed: " << run.scan.Progress().ItemsProcessed << "\r\n";
    if (ok) {
        log << "Backup: " << (repaired.backupPath.empty() ? "(nothing to back up)" : repaired.backupPath)
            << "\r\n";
        int errors = 0;
        for (const rc::TRepairContentItem& item : repaired.repairs)
            errors += item.Status.find("Error") != std::string::npos;
        log << "Repaired: " << repaired.repairs.Count() - static_cast<size_t>(errors)
            << ", errors: " << errors << "\r\n";
        for (const rc::TRepairContentItem& item : repaired.repairs) {
            if (item.Status.find("Error") != std::string::npos)
                log << "  " << item.Name << ": " << item.Status << "\r\n";
        }
    } else {
        log << "Not repaired: " << problem << "\r\n";
    }
    // "Free up disk space": the temporary files of every fixed drive go to the recycle bin.
    const disk_cleaners::OneClickJunkResult junk = disk_cleaners::RunTemporaryFilesStep(ctx);
    log << "Temporary files: " << junk.Found << " found, " << junk.Recycled << " moved to the recycle bin ("
        << junk.BytesRecycled << " bytes), " << junk.Failed << " failed\r\n";
    log << "Clean evidence: " << rc::kNotBuiltYet << "\r\n";
    const std::string logPath = ProgramFile(ctx.platform.files(), kScheduledScanLog);
    if (!platform::WriteAllBytes(ctx.platform.files(), logPath, log.str())) {
        io.err << "Quorvel: the log " << logPath << " could not be written\n";
    }
    if (!ok) {
        io.err << "Quorvel: " << problem << "\n";
        return kExitFailed;
    }
    io.out << "Problems found: " << run.scan.Total() << ", repaired: " << repaired.repairs.Count() << "\n";
    return kExitOk;
}

}  // namespace trenmoor::cli
