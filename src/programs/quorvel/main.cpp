// Quorvel.exe: the command line of the suite. On Windows it works on the real machine; the native
// build works on the simulated one, whose drives are host folders given with "--drive C=/folder".
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/console_ui.h"
#include "common/app_context.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "platform/text_encoding.h"
#include "platform/win32/win32_platform.h"
#else
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/sim/sim_platform.h"
#endif

namespace {

using namespace trenmoor;

int Run(platform::Platform& machine, const std::vector<std::string>& args) {
    cli::ConsoleUi ui(std::cerr);
    AppContext ctx(machine, ui);
    cli::CliIo io{std::cout, std::cerr};
    const int rc = cli::RunCommandLine(ctx, args, io);
    std::cout.flush();
    return rc;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    // JSON and paths are written as UTF-8 bytes, untouched by the console's code page or CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(platform::Utf16ToUtf8(reinterpret_cast<const char16_t*>(argv[i])));
    cli::MachineOptions machineOptions;
    std::string problem;
    cli::CliIo io{std::cout, std::cerr};
    if (!cli::ExtractMachineOptions(args, machineOptions, problem))
        return cli::UsageError(io, nullptr, problem);
    if (!machineOptions.drives.empty() || !machineOptions.registryFiles.empty()) {
        return cli::UsageError(io, nullptr,
                               "--drive and --registry set up the simulated machine (native build only)");
    }
    platform::win32::Win32Platform machine;
    return Run(machine, args);
}
#else
int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    cli::MachineOptions machineOptions;
    std::string problem;
    cli::CliIo io{std::cout, std::cerr};
    if (!cli::ExtractMachineOptions(args, machineOptions, problem))
        return cli::UsageError(io, nullptr, problem);

    // The simulated machine's own folders (Windows, program) live in a scratch folder, removed at the end,
    // so mapping a drive never writes into the mapped folder.
    std::string scratch = (std::filesystem::temp_directory_path() / "quorvel-XXXXXX").string();
    if (!mkdtemp(scratch.data())) {
        std::cerr << "Quorvel: cannot create a scratch folder\n";
        return cli::kExitFailed;
    }
    int rc;
    {
        platform::sim::SimPlatform machine(scratch);
        for (const auto& [letter, folder] : machineOptions.drives) {
            std::error_code ec;
            if (!std::filesystem::is_directory(folder, ec)) {
                std::cerr << "Quorvel: --drive " << letter << ": folder " << folder << " does not exist\n";
                std::filesystem::remove_all(scratch, ec);
                return cli::kExitFailed;
            }
            machine.simFiles().mapDrive(letter, std::filesystem::absolute(folder));
        }
        for (const std::string& file : machineOptions.registryFiles) {
            std::ifstream in(file, std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            if (!in || !machine.simRegistry().importReg(bytes.str())) {
                std::cerr << "Quorvel: --registry " << file << " is not a readable registry script\n";
                std::error_code ec;
                std::filesystem::remove_all(scratch, ec);
                return cli::kExitFailed;
            }
        }
        rc = Run(machine, args);
    }
    std::error_code ec;
    std::filesystem::remove_all(scratch, ec);
    return rc;
}
#endif
