#pragma once
// The state and commands of the Registry Backup window (repair backups on the Partial sheet, full
// exports on the Full sheet: list, create, restore, remove) and of the dialog that offers a full backup
// before the first repair. The Windows views only draw this state and forward clicks.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/app_context.h"
#include "registry_cleaner/registry_backup.h"

namespace trenmoor::registry_cleaner {

inline constexpr std::string_view kRegBackupCaption = "Registry Backup";
inline constexpr std::string_view kRegBackupIntro =
    "Repair Backup can be used to go back to the previous configurations or alternatively with Full Backup "
    "to "
    "manually do a compete backup for the Windows registry.";
inline constexpr std::string_view kBackupWaitText = "Please wait until the backup operation is finished.";
inline constexpr std::string_view kMsgCaption = "Trenmoor";
inline constexpr std::string_view kMsgSelectItem = "Please select the specific item for this operation!";
inline constexpr std::string_view kMsgAskRestore = "Would you like to restore the registry now?";
inline constexpr std::string_view kMsgRestored = "The registry was restored successfully!";
inline constexpr std::string_view kMsgAskRemove =
    "Are you sure to remove this backup file now?\rThis operation is not reversible!";
inline constexpr std::string_view kMsgRemoved = "The backup file was removed successfully!";
inline constexpr std::string_view kMsgRemoveFailed =
    "The backup file cannot be deleted or does not exist!\rPlease make sure that the registry backup has not "
    "been modified or changed.";
inline constexpr std::string_view kMsgCreateFailed = "Creating registry backup was failed.";
inline constexpr std::string_view kMsgCreated = "The registry backup was created successfully!";
// Restore failures name the file (%s).
inline constexpr std::string_view kMsgRestoreUnreadable =
    "The registry was not restored: this file cannot be read as a registry backup:\r%s";
inline constexpr std::string_view kMsgRestoreEditorFailed =
    "The registry was not restored: the registry editor did not finish importing the file:\r%s";
inline constexpr std::string_view kMsgRestoreNotApplied =
    "The registry was not restored: after importing the file the registry does not hold what it "
    "holds:\r%s";

// Light blue of the first, third, fifth ... rows of the Partial list (0x00BBGGRR).
inline constexpr uint32_t kShadedRowColor = 0xF4EAE3;
inline bool IsShadedRow(size_t index) {
    return index % 2 == 0;
}

class TRegBackupController {
  public:
    enum Page : int { kPartialPage = 0, kFullPage = 1 };

    // `showWaitHint(true)` shows the small "please wait" window (and lets it paint), false closes it.
    explicit TRegBackupController(AppContext& ctx, std::function<void(bool)> showWaitHint = {});

    // Showing the window opens the Partial sheet.
    void FormShow() { ShowSheet(kPartialPage); }
    // Turns to the sheet and rebuilds its list from its folder.
    void ShowSheet(Page page);
    Page CurrentPage() const { return page_; }

    const std::vector<BackupFileRow>& Rows(Page page) const { return rows_[page]; }
    void Select(Page page, std::optional<size_t> row) { selected_[page] = row; }
    std::optional<size_t> Selected(Page page) const { return selected_[page]; }

    void RestorePartialBtnClick() { Restore(kPartialPage); }
    void RemovePartialBtnClick() { Remove(kPartialPage); }
    void RestoreRegistryBtnClick() { Restore(kFullPage); }
    void RemoveBackupBtnClick() { Remove(kFullPage); }
    void BackupRegistryBtnClick();

  private:
    void Restore(Page page);
    void Remove(Page page);
    std::optional<size_t> SelectedRow(Page page);  // shows the selection message when there is none
    void Message(std::string_view text, platform::MsgIcon icon);

    AppContext& ctx_;
    std::function<void(bool)> showWaitHint_;
    Page page_ = kPartialPage;
    std::array<std::vector<BackupFileRow>, 2> rows_;
    std::array<std::optional<size_t>, 2> selected_;
};

// The dialog offered before the first repair.
inline constexpr std::string_view kFirstBackupCaption = "Trenmoor - Create full Registry Backup";
inline constexpr std::string_view kFirstBackupHeader = "  Create Full Registry Backup";
inline constexpr std::array<std::string_view, 3> kFirstBackupText = {
    "Since Trenmoor has just been run for the first time, it is strongly",
    "recommended to have a full registry backup before you fix the problems.",
    "Based on your PC configuration, it might take a few seconds or minutes."};
inline constexpr std::string_view kFirstBackupDone = "Registry backup was successfully created!";
inline constexpr std::string_view kBackupNowCaption = "Backup Now";
inline constexpr std::string_view kOkCaption = "OK";

class TFirstFullBackupController {
  public:
    // `repaint` lets the dialog show the wait message before the export blocks.
    explicit TFirstFullBackupController(AppContext& ctx, std::function<void()> repaint = {});

    // "Backup Now" makes the backup; "OK" closes the dialog.
    void ButtonClick();
    void FormClose() { closed_ = true; }

    bool MessageVisible() const { return messageVisible_; }
    const std::string& MessageText() const { return message_; }
    std::string_view ButtonCaption() const { return backupDone_ ? kOkCaption : kBackupNowCaption; }
    bool ButtonEnabled() const { return buttonEnabled_; }
    bool Closed() const { return closed_; }
    const std::string& BackupPath() const { return backupPath_; }  // empty until a backup was made

  private:
    AppContext& ctx_;
    std::function<void()> repaint_;
    bool messageVisible_ = false;
    std::string message_;
    bool buttonEnabled_ = true;
    bool backupDone_ = false;
    bool closed_ = false;
    std::string backupPath_;
};

}  // namespace trenmoor::registry_cleaner
