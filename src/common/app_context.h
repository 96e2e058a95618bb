#pragma once
// What lives for the whole run of the program and every tool reads: the machine, the user interface,
// the settings record and the program-wide states.
#include <cstdint>
#include <string>
#include <vector>

#include "common/settings.h"
#include "platform/platform.h"
#include "platform/ui.h"

namespace trenmoor {

// Program-wide run state of the long loops.
enum ScanStateValue : int {
    kScanNormal = 0,
    kScanEvidenceRunning = 1,
    kScanAbort = 2,
    kRepairCancel = 4,
};

// Platform kinds: 1 Win32s, 2 Windows 95/98/Me, 4 NT family; 0 until detected or unknown.
enum PlatformKindValue : uint8_t {
    kPlatformUnknown = 0,
    kPlatformWin32s = 1,
    kPlatformWin9x = 2,
    kPlatformNT = 4
};

struct AppContext {
    AppContext(platform::Platform& p, platform::Ui& u) : platform(p), ui(u) {}

    platform::Platform& platform;
    platform::Ui& ui;
    TMyRegistryInfo settings;
    uint8_t PlatformKind = kPlatformUnknown;
    int ScanState = kScanNormal;
    std::vector<std::string> ExcludedDrives;
};

}  // namespace trenmoor
