#include "disk_cleaners/junk_cleaner_controller.h"

#include "common/message_pump.h"
#include "common/settings.h"
#include "common/shared_helpers.h"
#include "disk_cleaners/folder_walk.h"

namespace trenmoor::disk_cleaners {

std::string JunkCleanerController::typesPath() const {
    return ProgramFile(ctx_.platform.files(), kJunkTypesFileName);
}

void JunkCleanerController::show() {
    runState_ = kJunkIdle;
    drives_.clear();
    platform::FileSystem& files = ctx_.platform.files();
    for (const std::string& d : FixedDrives(files)) {
        drives_.push_back({d, files.freeSpace(JoinPath(d, "")).value_or(0) / 1048576, true});
    }
    page_ = JunkPage::Drives;
    backEnabled_ = false;
    nextEnabled_ = true;
}

void JunkCleanerController::close() {
    if (runState_ == kJunkScanning) runState_ = kJunkStop;
}

void JunkCleanerController::stopScan() {
    if (runState_ == kJunkScanning) runState_ = kJunkStop;
}

void JunkCleanerController::selectAll(bool checked) {
    for (TJunkFileType& t : types_) t.Checked = checked;
}

void JunkCleanerController::addType(std::string pattern, std::string description) {
    types_.push_back({true, std::move(pattern), std::move(description)});
}

void JunkCleanerController::editType(size_t index, std::string pattern, std::string description) {
    if (index >= types_.size()) return;
    types_[index].Pattern = std::move(pattern);
    types_[index].Description = std::move(description);
}

void JunkCleanerController::removeType(size_t index) {
    if (index >= types_.size()) return;
    if (ctx_.ui.messageBox(kRemoveTypeQuestion, kProgramName, platform::MsgIcon::Exclamation,
                           platform::MsgButtons::YesNo) != platform::MsgResult::Yes) {
        return;
    }
    types_.erase(types_.begin() + static_cast<std::ptrdiff_t>(index));
}

std::vector<const TTempFileInfo*> JunkCleanerController::foundOn(std::string_view drive) const {
    std::vector<const TTempFileInfo*> out;
    for (const TTempFileInfo& f : found_) {
        if (drive.empty() || DriveOf(f.FullPath) == DriveOf(drive)) out.push_back(&f);
    }
    return out;
}

void JunkCleanerController::back() {
    if (runState_ == kJunkScanning || page_ == JunkPage::Drives) return;
    page_ = static_cast<JunkPage>(static_cast<int>(page_) - 1);
    backEnabled_ = page_ != JunkPage::Drives;
    nextEnabled_ = true;
}

void JunkCleanerController::next() {
    if (runState_ == kJunkScanning) return;
    if (page_ == JunkPage::Cleanup) {  // "Finish": the wizard can run again from the start
        page_ = JunkPage::Drives;
        backEnabled_ = false;
        nextEnabled_ = true;
        runState_ = kJunkIdle;
        return;
    }
    if (page_ == JunkPage::CleanupOptions && mode == CleanMode::Delete &&
        ctx_.ui.messageBox(kJunkDeleteQuestion, kJunkDeleteCaption, platform::MsgIcon::Exclamation,
                           platform::MsgButtons::YesNo) != platform::MsgResult::Yes) {
        return;
    }
    enterPage(static_cast<JunkPage>(static_cast<int>(page_) + 1));
}

void JunkCleanerController::enterPage(JunkPage page) {
    page_ = page;
    backEnabled_ = true;
    switch (page) {
        case JunkPage::JunkFiles:
            types_ = LoadJunkTypes(ctx_.platform.files(), typesPath());
            break;
        case JunkPage::Scan:
            (void)SaveJunkTypes(ctx_.platform.files(), typesPath(),
                                types_);  // a read-only folder still scans
            scan();
            break;
        case JunkPage::Report:
            report_ = SummarizeByDrive(
                [this] {
                    std::vector<std::string> scanned;
                    for (const JunkStatusRow& r : scanRows_) scanned.push_back(r.Text);
                    return scanned;
                }(),
                found_);
            break;
        case JunkPage::Cleanup:
            clean();
            break;
        default:
            break;
    }
}

void JunkCleanerController::scan() {
    runState_ = kJunkScanning;
    scanRows_.clear();
    for (const JunkDriveRow& d : drives_) {
        if (d.Checked) scanRows_.push_back({d.Drive, ""});
    }
    found_.clear();
    const JunkMatcher matcher(types_);
    MessagePump pacer(ctx_.ui, ctx_.platform.clock());
    JunkScanHooks hooks;
    hooks.onFolder = [&](const std::string& folder) {
        scanMessage_ = folder;
        progress();
        pacer.Pump();
    };
    hooks.stop = [&] {
        pacer.Tick();
        return runState_ == kJunkStop;
    };
    for (JunkStatusRow& row : scanRows_) {
        if (runState_ == kJunkStop) break;
        row.Status = kScanning;
        progress();
        pacer.Force();
        ScanForJunk(ctx_.platform.files(), row.Text, matcher, found_, hooks);
        row.Status = runState_ == kJunkStop ? kUserStop : kFinished;
        progress();
        pacer.Force();
    }
    scanMessage_.clear();
    if (runState_ == kJunkScanning) runState_ = kJunkScanned;
    progress();
}

void JunkCleanerController::clean() {
    runState_ = kJunkCleaning;
    cleanRows_.clear();
    progress();
    MessagePump pacer(ctx_.ui, ctx_.platform.clock());
    for (const JunkDriveSummary& row : report_) {
        if (runState_ == kJunkCleanStop) break;
        if (!row.Checked) continue;
        for (const TTempFileInfo& f : found_) {
            if (runState_ == kJunkCleanStop) break;
            if (DriveOf(f.FullPath) != row.Drive) continue;
            const std::string_view status =
                CleanJunkFile(ctx_.platform.files(), ctx_.platform.shell(), mode, f.FullPath, moveFolder);
            cleanRows_.push_back({f.FullPath, std::string(status)});
            progress();
            pacer.Tick();
        }
    }
    if (runState_ == kJunkCleaning) runState_ = kJunkIdle;
    progress();
}

void JunkCleanerController::progress() {
    if (onProgress) onProgress();
}

}  // namespace trenmoor::disk_cleaners
