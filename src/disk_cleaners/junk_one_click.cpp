#include "disk_cleaners/junk_one_click.h"

#include "common/message_pump.h"
#include "common/shared_helpers.h"
#include "disk_cleaners/junk_clean.h"
#include "disk_cleaners/junk_scan.h"

namespace trenmoor::disk_cleaners {

OneClickJunkResult RunTemporaryFilesStep(AppContext& ctx) {
    platform::FileSystem& files = ctx.platform.files();
    const auto types = LoadJunkTypes(files, ProgramFile(files, kJunkTypesFileName));
    const JunkMatcher matcher(types);
    MessagePump pacer(ctx.ui, ctx.platform.clock());
    JunkScanHooks hooks;
    hooks.stop = [&] {
        pacer.Tick();
        return ctx.ScanState == kScanAbort;
    };
    std::vector<TTempFileInfo> found;
    for (const std::string& drive : FixedDrives(files)) {
        if (!ScanForJunk(files, drive, matcher, found, hooks)) break;
    }
    OneClickJunkResult r;
    r.Found = found.size();
    for (const TTempFileInfo& f : found) {
        if (ctx.ScanState == kScanAbort) break;
        if (IsErrorStatus(
                CleanJunkFile(files, ctx.platform.shell(), CleanMode::RecycleBin, f.FullPath, {}))) {
            ++r.Failed;
        } else {
            ++r.Recycled;
            r.BytesRecycled += f.Size;
        }
        pacer.Tick();
    }
    return r;
}

}  // namespace trenmoor::disk_cleaners
