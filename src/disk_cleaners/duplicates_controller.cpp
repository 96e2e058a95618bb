#include "disk_cleaners/duplicates_controller.h"

#include <cstdio>

#include "common/message_pump.h"

namespace trenmoor::disk_cleaners {

std::string ElapsedText(uint64_t ms) {
    const uint64_t s = ms / 1000;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02llu:%02llu:%02llu", static_cast<unsigned long long>(s / 3600),
                  static_cast<unsigned long long>(s / 60 % 60), static_cast<unsigned long long>(s % 60));
    return buf;
}

std::string DuplicatesController::elapsedText() const {
    if (!timing_ && endTick_ == startTick_) return "00:00:00";
    const uint64_t end = timing_ ? ctx_.platform.clock().tickMs() : endTick_;
    return ElapsedText(end - startTick_);
}

void DuplicatesController::reset() {
    if (scanState_ == kDupScanning) scanState_ = kDupStop;  // a loop still on the stack ends
    criteria = {};
    criteria.MinSizeKb = 10;
    deleteToRecycleBin = true;
    finder_ = DuplicateFinder({});
    results_.reset();
    page_ = DupPage::Criteria;
    if (scanState_ != kDupStop) scanState_ = kDupIdle;
    buttons_ = {};
    scanMessage_.clear();
    startTick_ = endTick_ = 0;
    timing_ = false;
    finishRows_.clear();
    finishTexts_[0] = "0 files have been scanned. 0 files were selected for deletion.";
    finishTexts_[1] = "0 files have been deleted successfully";
    finishTexts_[2] = "Fail to delete 0 files";
    failed_ = 0;
}

void DuplicatesController::stop() {
    if (scanState_ == kDupScanning) scanState_ = kDupStop;
}

void DuplicatesController::scan(const std::vector<std::string>& checkedRoots) {
    if (checkedRoots.empty()) {
        ctx_.ui.messageBox(kNoRootsText, kNoRootsCaption, platform::MsgIcon::Exclamation,
                           platform::MsgButtons::Ok);
        return;
    }
    page_ = DupPage::Scanning;
    buttons_ = {false, true, false, false, false};
    scanState_ = kDupScanning;
    startTick_ = ctx_.platform.clock().tickMs();
    timing_ = true;
    finder_ = DuplicateFinder(criteria);
    MessagePump pacer(ctx_.ui, ctx_.platform.clock());
    DuplicateScanHooks hooks;
    hooks.onFolder = [&](const std::string& folder) {
        scanMessage_ = folder;
        pacer.Pump();
    };
    hooks.stop = [&] {
        pacer.Tick();
        return scanState_ != kDupScanning;
    };
    platform::FileSystem& files = ctx_.platform.files();
    finder_.scan(files, checkedRoots, files.windowsDirectory(), hooks);
    endTick_ = ctx_.platform.clock().tickMs();
    timing_ = false;
    scanMessage_.clear();
    if (scanState_ == kDupScanning) scanState_ = kDupFinished;
    if (page_ != DupPage::Scanning) return;  // the window was reset while scanning
    results_.build(finder_.groups());
    if (results_.groupCount() > 0) {
        page_ = DupPage::Results;
        buttons_ = {false, false, true, true, false};
    } else {
        page_ = DupPage::Finish;
        buttons_ = {false, false, false, false, true};
    }
}

bool DuplicatesController::deleteMarked() {
    const std::string_view question =
        deleteToRecycleBin ? kDuplicateRecycleQuestion : kPermanentDeleteQuestion;
    if (ctx_.ui.messageBox(question, kDuplicateDeleteCaption, platform::MsgIcon::Exclamation,
                           platform::MsgButtons::YesNo) != platform::MsgResult::Yes) {
        return false;
    }
    finishRows_.clear();
    MessagePump pacer(ctx_.ui, ctx_.platform.clock());
    const DeletionCounts counts = DeleteMarked(
        ctx_.platform.files(), ctx_.platform.shell(), results_.rows(), deleteToRecycleBin,
        [&](const std::string& path, std::string_view status) {
            finishRows_.push_back({path, std::string(status)});
        },
        [&] { pacer.Force(); });
    finishTexts_[0] = DeletionFoundText(counts);
    finishTexts_[1] = DeletionDeletedText(counts);
    finishTexts_[2] = DeletionFailedText(counts);
    failed_ = counts.Failed;
    page_ = DupPage::Finish;
    buttons_ = {false, false, false, false, true};
    return true;
}

}  // namespace trenmoor::disk_cleaners
