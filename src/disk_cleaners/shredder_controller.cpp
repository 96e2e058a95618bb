#include "disk_cleaners/shredder_controller.h"

#include "common/message_pump.h"
#include "common/settings.h"

namespace trenmoor::disk_cleaners {

void ShredderController::addRecycleBinFiles() {
    for (std::string& p : RecycleBinFiles(ctx_.platform.files())) items_.push_back(std::move(p));
}

void ShredderController::removeAt(int index) {
    if (index < 0 || static_cast<size_t>(index) >= items_.size()) return;
    items_.erase(items_.begin() + index);
}

std::vector<ShredItem> ShredderController::shred() {
    using platform::MsgButtons;
    using platform::MsgIcon;
    if (items_.empty()) {
        ctx_.ui.messageBox(kShredEmptyListText, kProgramName, MsgIcon::Exclamation, MsgButtons::Ok);
        return {};
    }
    if (ctx_.ui.messageBox(kShredConfirmText, kProgramName, MsgIcon::Exclamation, MsgButtons::YesNo) !=
        platform::MsgResult::Yes) {
        return {};
    }
    FileShredder shredder(ctx_.platform.files(), level_);
    MessagePump pacer(ctx_.ui, ctx_.platform.clock());
    std::vector<ShredItem> done;
    const auto report = [&](const ShredItem& item) {
        done.push_back(item);
        pacer.Pump();
    };
    const auto stop = [this] { return ctx_.ScanState == kScanAbort; };
    for (const std::string& path : items_) {
        if (stop()) break;
        shredder.shredPath(path, report, stop);
    }
    ctx_.ui.messageBox(ShredCompletionText(done), kShredDoneCaption, MsgIcon::Information, MsgButtons::Ok);
    items_.clear();
    return done;
}

}  // namespace trenmoor::disk_cleaners
