#include "cli/command_line.h"

#include "cli/disk_commands.h"
#include "cli/registry_commands.h"

namespace trenmoor::cli {

namespace {

// The command table: a new command is one row here.
constexpr CliCommand kCommands[] = {
    {"junk scan", "junk scan [--drives C:,D:] [--json]", &RunJunkScan},
    {"junk clean", "junk clean --mode recycle|delete|move [--dest DIR] [--drives C:,D:] [--json]",
     &RunJunkClean},
    {"duplicates",
     "duplicates FOLDER... [--same-size] [--same-date] [--min-kb N]\n"
     "           [--filter all|documents|pictures|music|video] [--same-content] [--json]",
     &RunDuplicates},
    {"shred", "shred [--level quick|safe|thorough] PATH...", &RunShred},
    {"registry scan", "registry scan [--sections 2,5,10] [--json]", &RunRegistryScan},
    {"registry repair", "registry repair [--sections 2,5,10] [--ids 1,4,7] [--no-backup] [--json]",
     &RunRegistryRepair},
    {"registry restore", "registry restore FILE", &RunRegistryRestore},
    {"-Scan", "-Scan", &RunScheduledScan},
};

std::vector<std::string_view> Words(std::string_view words) {
    std::vector<std::string_view> out;
    size_t start = 0;
    while (start <= words.size()) {
        const size_t space = words.find(' ', start);
        out.push_back(
            words.substr(start, space == std::string_view::npos ? std::string_view::npos : space - start));
        if (space == std::string_view::npos) break;
        start = space + 1;
    }
    return out;
}

}  // namespace

std::span<const CliCommand> Commands() {
    return kCommands;
}

int UsageError(CliIo& io, const CliCommand* command, std::string_view problem) {
    if (!problem.empty()) io.err << "Quorvel: " << problem << "\n";
    io.err << "usage:\n";
    if (command) {
        io.err << "  Quorvel " << command->usage << "\n";
    } else {
        for (const CliCommand& c : Commands()) io.err << "  Quorvel " << c.usage << "\n";
    }
    return kExitUsage;
}

int RunCommandLine(AppContext& ctx, const std::vector<std::string>& args, CliIo& io) {
    const CliCommand* best = nullptr;
    size_t bestWords = 0;
    for (const CliCommand& c : Commands()) {
        const auto words = Words(c.words);
        if (words.size() > args.size() || words.size() <= bestWords) continue;
        bool same = true;
        for (size_t i = 0; i < words.size() && same; ++i) same = args[i] == words[i];
        if (same) {
            best = &c;
            bestWords = words.size();
        }
    }
    if (!best) {
        if (!args.empty()) {
            // A known first word with an unknown second one: show that family's usage.
            for (const CliCommand& c : Commands()) {
                if (Words(c.words).front() == args[0]) {
                    io.err << "Quorvel: unknown command \"" << args[0]
                           << (args.size() > 1 ? " " + args[1] : "") << "\"\n";
                    return UsageError(io, nullptr, {});
                }
            }
            return UsageError(io, nullptr, "unknown command \"" + args[0] + "\"");
        }
        return UsageError(io, nullptr, "no command given");
    }
    return best->run(ctx, CommandArgs(args).subspan(bestWords), io);
}

bool ExtractMachineOptions(std::vector<std::string>& args, MachineOptions& options, std::string& problem) {
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string value;
        if (args[i] == "--registry" || args[i].rfind("--registry=", 0) == 0) {
            if (args[i] == "--registry" && i + 1 >= args.size())
                return problem = "--registry needs FILE.reg", false;
            options.registryFiles.push_back(args[i] == "--registry" ? args[++i] : args[i].substr(11));
            continue;
        }
        if (args[i] == "--drive") {
            if (i + 1 >= args.size()) return problem = "--drive needs LETTER=FOLDER", false;
            value = args[++i];
        } else if (args[i].rfind("--drive=", 0) == 0) {
            value = args[i].substr(8);
        } else {
            rest.push_back(std::move(args[i]));
            continue;
        }
        const size_t eq = value.find('=');
        char letter = value.empty() ? '\0' : value[0];
        if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
        const bool letterOk = letter >= 'A' && letter <= 'Z' && (eq == 1 || (eq == 2 && value[1] == ':'));
        if (!letterOk || eq + 1 >= value.size())
            return problem = "bad --drive \"" + value + "\" (want C=/folder)", false;
        options.drives.emplace_back(letter, value.substr(eq + 1));
    }
    args = std::move(rest);
    return true;
}

}  // namespace trenmoor::cli
