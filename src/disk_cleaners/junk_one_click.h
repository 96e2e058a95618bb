#pragma once
// The "Temporary files" step of One-Click Tweak: the junk types scanned on every fixed drive and what
// is found moved to the recycle bin, without a window.
#include <cstdint>

#include "common/app_context.h"

namespace trenmoor::disk_cleaners {

struct OneClickJunkResult {
    uint64_t Found = 0;
    uint64_t Recycled = 0;
    uint64_t Failed = 0;
    uint64_t BytesRecycled = 0;
};

// Stops early when ctx.ScanState asks for an abort.
OneClickJunkResult RunTemporaryFilesStep(AppContext& ctx);

}  // namespace trenmoor::disk_cleaners
