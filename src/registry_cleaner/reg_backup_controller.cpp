#include "registry_cleaner/reg_backup_controller.h"

#include "platform/clock.h"

namespace trenmoor::registry_cleaner {
namespace {

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

BackupKind KindOf(TRegBackupController::Page page) {
    return page == TRegBackupController::kPartialPage ? BackupKind::Repair : BackupKind::Full;
}

std::string WithPath(std::string_view format, std::string_view path) {
    std::string text(format);
    const size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, path);
    return text;
}

}  // namespace

TRegBackupController::TRegBackupController(AppContext& ctx, std::function<void(bool)> showWaitHint)
    : ctx_(ctx), showWaitHint_(std::move(showWaitHint)) {}

void TRegBackupController::ShowSheet(Page page) {
    page_ = page;
    rows_[page] = ListBackups(ctx_, KindOf(page));
    selected_[page].reset();
}

void TRegBackupController::Message(std::string_view text, MsgIcon icon) {
    (void)ctx_.ui.messageBox(text, kMsgCaption, icon, MsgButtons::Ok);
}

std::optional<size_t> TRegBackupController::SelectedRow(Page page) {
    const std::optional<size_t> row = selected_[page];
    if (!row || *row >= rows_[page].size()) {
        Message(kMsgSelectItem, MsgIcon::Exclamation);
        return std::nullopt;
    }
    return row;
}

void TRegBackupController::Restore(Page page) {
    const std::optional<size_t> row = SelectedRow(page);
    if (!row) return;
    if (ctx_.ui.messageBox(kMsgAskRestore, kMsgCaption, MsgIcon::Question, MsgButtons::YesNo) !=
        MsgResult::Yes) {
        return;
    }
    const std::string path = rows_[page][*row].path;
    switch (RestoreBackup(ctx_, path, KindOf(page))) {
        case RestoreOutcome::Restored:
            Message(kMsgRestored, MsgIcon::Information);
            break;
        case RestoreOutcome::Unreadable:
            Message(WithPath(kMsgRestoreUnreadable, path), MsgIcon::Error);
            break;
        case RestoreOutcome::EditorFailed:
            Message(WithPath(kMsgRestoreEditorFailed, path), MsgIcon::Error);
            break;
        case RestoreOutcome::NotApplied:
            Message(WithPath(kMsgRestoreNotApplied, path), MsgIcon::Error);
            break;
    }
}

void TRegBackupController::Remove(Page page) {
    const std::optional<size_t> row = SelectedRow(page);
    if (!row) return;
    if (ctx_.ui.messageBox(kMsgAskRemove, kMsgCaption, MsgIcon::Exclamation, MsgButtons::YesNo) !=
        MsgResult::Yes) {
        return;
    }
    std::vector<BackupFileRow>& rows = rows_[page];
    platform::FileSystem& files = ctx_.platform.files();
    const std::string& path = rows[*row].path;
    const bool gone = !files.fileExists(path);
    if (!gone && !files.deleteFile(path)) {
        Message(kMsgRemoveFailed, MsgIcon::Exclamation);
        return;
    }
    // A row whose file is already gone names nothing anymore: it goes without a message.
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(*row));
    selected_[page].reset();
    if (!gone) Message(kMsgRemoved, MsgIcon::Information);
}

void TRegBackupController::BackupRegistryBtnClick() {
    if (showWaitHint_) showWaitHint_(true);
    const FullBackupResult backup = MakeFullBackup(ctx_);
    if (showWaitHint_) showWaitHint_(false);
    platform::FileSystem& files = ctx_.platform.files();
    if (!backup.ok || !files.fileExists(backup.path)) {
        Message(kMsgCreateFailed, MsgIcon::Exclamation);
        return;
    }
    BackupFileRow row{{}, backup.path};
    if (const std::optional<platform::FindData> info = files.stat(backup.path)) {
        if (const std::optional<platform::DateTime> created =
                ctx_.platform.clock().toLocal(info->creationTime)) {
            row.caption = FormatBackupTime(*created);
        }
    }
    rows_[kFullPage].push_back(std::move(row));
    page_ = kFullPage;
    Message(kMsgCreated, MsgIcon::Information);
}

TFirstFullBackupController::TFirstFullBackupController(AppContext& ctx, std::function<void()> repaint)
    : ctx_(ctx), repaint_(std::move(repaint)) {}

void TFirstFullBackupController::ButtonClick() {
    if (backupDone_) {
        closed_ = true;
        return;
    }
    messageVisible_ = true;
    message_ = kBackupWaitText;
    buttonEnabled_ = false;
    if (repaint_) repaint_();
    const FullBackupResult backup = MakeFullBackup(ctx_);
    // Success is reported only for an export that really left a registry script.
    if (backup.ok) {
        backupPath_ = backup.path;
        message_ = kFirstBackupDone;
    } else {
        message_ = kMsgCreateFailed;
    }
    buttonEnabled_ = true;
    backupDone_ = true;
}

}  // namespace trenmoor::registry_cleaner
