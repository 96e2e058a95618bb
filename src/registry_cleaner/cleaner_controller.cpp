#include "registry_cleaner/cleaner_controller.h"

#include <algorithm>
#include <unordered_set>

#include "common/shared_helpers.h"
#include "platform/ini_file.h"
#include "registry_cleaner/cleaner_texts.h"
#include "registry_cleaner/registry_backup.h"
#include "registry_cleaner/sections/section_table.h"

namespace trenmoor::registry_cleaner {
namespace {

// Replaces the first "%d" or "%s" of a message pattern.
std::string Fill(std::string_view pattern, std::string_view value) {
    std::string text(pattern);
    const size_t at = text.find('%');
    if (at != std::string::npos && at + 1 < text.size()) text.replace(at, 2, value);
    return text;
}

// The folder part of a path, with its trailing backslash.
std::string FolderOf(std::string_view path) {
    const size_t cut = path.find_last_of("\\:");
    return std::string(cut == std::string_view::npos ? std::string_view() : path.substr(0, cut + 1));
}

std::string SectionKey(int number) {
    return "Section" + std::to_string(number);
}

}  // namespace

bool ProblemCheckBoxHit(int xInRow, int yInRow) {
    return xInRow >= 10 && xInRow <= 26 && yInRow >= 29 && yInRow <= 46;
}

TRegistryCleanerController::TRegistryCleanerController(AppContext& ctx, CleanerHooks hooks)
    : ctx_(ctx), hooks_(std::move(hooks)), pump_(ctx.ui, ctx.platform.clock()), scan_(ctx) {
    BuildExcludedDrives(ctx_.platform.files(), ctx_.ExcludedDrives);
    EnterReady();
}

std::string_view TRegistryCleanerController::HeaderText() const {
    return kCleanerTitle;
}

// ---- Modes and selection ----

void TRegistryCleanerController::EnterReady() {
    LoadSelection();
    scan_.Progress().Reset();
    scanTime_ = kScanTimeIdle;
    EnterMode(CleanerMode::Ready, kScanSectionsPage);
}

void TRegistryCleanerController::EnterMode(CleanerMode mode, CleanerPage page) {
    mode_ = mode;
    page_ = page;
    Notify();
}

void TRegistryCleanerController::LoadSelection() {
    platform::IniFile ini(ctx_.platform.files(), ProgramFile(ctx_.platform.files(), kScanSectionFile));
    selected_[0] = false;
    for (int n = 1; n <= kSectionCount; ++n) {
        selected_[static_cast<size_t>(n)] = ini.ReadBool(kScanSectionIniSection, SectionKey(n), true);
    }
}

void TRegistryCleanerController::SaveSelection() {
    platform::IniFile ini(ctx_.platform.files(), ProgramFile(ctx_.platform.files(), kScanSectionFile));
    for (int n = 1; n <= kSectionCount; ++n) {
        (void)ini.WriteBool(kScanSectionIniSection, SectionKey(n), selected_[static_cast<size_t>(n)]);
    }
}

SectionImage TRegistryCleanerController::Image(int number) const {
    if (scanning_ && scan_.Progress().currentSection == number) return SectionImage::Scanning;
    if (mode_ != CleanerMode::Ready || scanning_) {
        switch (scan_.Outcome(number)) {
            case SectionOutcome::Clean:
                return SectionImage::Clean;
            case SectionOutcome::Problems:
                return SectionImage::Problems;
            case SectionOutcome::NotBuilt:
                return SectionImage::NotBuilt;
            case SectionOutcome::NotScanned:
                break;
        }
    }
    return SectionSelected(number) ? SectionImage::Selected : SectionImage::NotSelected;
}

void TRegistryCleanerController::SectionClick(int number) {
    if (scanning_ || number < 1 || number > kSectionCount) return;
    selected_[static_cast<size_t>(number)] = !selected_[static_cast<size_t>(number)];
    SaveSelection();
    Notify();
}

void TRegistryCleanerController::cbSelectAllClick() {
    selectAll_ = !selectAll_;
    ApplySelectAll();
}

void TRegistryCleanerController::SetSelectAllChecked(bool checked) {
    if (checked == selectAll_) return;
    selectAll_ = checked;
    ApplySelectAll();
}

void TRegistryCleanerController::ApplySelectAll() {
    if (page_ == kScanSectionsPage) {
        for (int n = 1; n <= kSectionCount; ++n) selected_[static_cast<size_t>(n)] = selectAll_;
        SaveSelection();
    } else if (page_ == kRepairPage) {
        SetListedChecked(selectAll_);
    }
    Notify();
}

// ---- Scan ----

void TRegistryCleanerController::ScanNowBtnClick() {
    if (scanning_) return;
    if (hooks_.scanStarted) hooks_.scanStarted();
    if (std::none_of(selected_.begin() + 1, selected_.end(), [](bool s) { return s; })) {
        (void)ctx_.ui.messageBox(kMsgSelectSections, kMsgCaptionTrenmoor, platform::MsgIcon::Exclamation,
                                 platform::MsgButtons::Ok);
        return;
    }
    scan_.Clear();
    repairs_.Clear();
    grid_.clear();
    gridRow_.reset();
    problemRows_.clear();
    problemRow_.reset();

    scan_.Progress().Reset();
    scanTime_ = kScanTimeIdle;
    elapsedMessage_.clear();
    scanning_ = true;
    EnterMode(CleanerMode::Scanning, kScanSectionsPage);
    if (hooks_.busyChanged) hooks_.busyChanged(true);
    scanStartMs_ = ctx_.platform.clock().tickMs();
    pump_.Force();

    scan_.Run(selected_, pump_);

    const uint64_t elapsed = ctx_.platform.clock().tickMs() - scanStartMs_;
    scanTime_ = FormatElapsedClock(elapsed);
    elapsedMessage_ = ElapsedTimeSentence(elapsed);
    scanning_ = false;
    if (hooks_.busyChanged) hooks_.busyChanged(false);

    BuildResultLists();
    const int total = scan_.Total();
    if (total > 0) {
        EnterMode(CleanerMode::Results, kRepairPage);
        (void)ctx_.ui.messageBox(Fill(kMsgProblemsFound, std::to_string(total)), kMsgProblemsFoundCaption,
                                 platform::MsgIcon::Information, platform::MsgButtons::Ok);
        return;
    }
    repairs_.Clear();
    repairs_[repairs_.Add()].Name = kNothingFoundRow;
    // Sections without a checker yet are said so, not passed off as clean.
    for (const int n : scan_.NotBuilt()) {
        TRepairContentItem& row = repairs_[repairs_.Add()];
        row.Name = std::string(SectionByNumber(n)->caption) + ": " + std::string(kNotBuiltYet);
    }
    EnterMode(CleanerMode::Finished, kFinishPage);
}

void TRegistryCleanerController::AbortScanBtnClick() {
    if (scanning_) ctx_.ScanState = kScanAbort;
}

void TRegistryCleanerController::ElapsedTimerTick() {
    if (scanning_) scanTime_ = FormatElapsedClock(ctx_.platform.clock().tickMs() - scanStartMs_);
}

std::string TRegistryCleanerController::LabelWarningText() const {
    return std::to_string(RunningTotal()) + " Problems Found";
}

// ---- Result lists ----

void TRegistryCleanerController::BuildResultLists() {
    // Still on page 0: a change of the box re-selects (or deselects) every section and saves it.
    SetSelectAllChecked(ctx_.settings.SelectAll);
    scan_.CollectAllProblems();
    BuildGrid();
    if (!grid_.empty()) {
        SelectGridRow(0);
        if (!problemRows_.empty()) SelectProblemRow(0);
    }
}

void TRegistryCleanerController::BuildGrid() {
    grid_.clear();
    const auto& contents = scan_.Contents();
    const size_t total = contents[kAllProblemsIndex].Count();
    if (total > 0) grid_.push_back({std::string(kAllProblemsRow), std::to_string(total), kAllProblemsIndex});
    for (int n = 1; n <= kSectionCount; ++n) {
        const size_t count = contents[static_cast<size_t>(n)].Count();
        if (count > 0)
            grid_.push_back({"    " + std::string(SectionByNumber(n)->caption), std::to_string(count), n});
    }
    if (total > 0) {
        for (const int n : scan_.NotBuilt()) {
            grid_.push_back(
                {"    " + std::string(SectionByNumber(n)->caption), std::string(kNotBuiltYet), -1});
        }
    }
}

std::string TRegistryCleanerController::GridCountTitle() const {
    if (grid_.empty()) return std::string(kGridCountColumn);
    return std::string(kGridCountColumn) + ": " + std::to_string(scan_.Contents()[kAllProblemsIndex].Count());
}

TRegistryContents* TRegistryCleanerController::ShownCollection() {
    if (!gridRow_ || *gridRow_ >= grid_.size()) return nullptr;
    const int section = grid_[*gridRow_].section;
    if (section < 0 || section > kSectionCount) return nullptr;
    return &scan_.Contents()[static_cast<size_t>(section)];
}

void TRegistryCleanerController::SelectGridRow(std::optional<size_t> row) {
    gridRow_ = row && *row < grid_.size() ? row : std::nullopt;
    ListProblems();
    Notify();
}

void TRegistryCleanerController::ListProblems() {
    problemRows_.clear();
    problemRow_.reset();
    if (TRegistryContents* shown = ShownCollection()) {
        for (size_t i = 0; i < shown->Count(); ++i) problemRows_.push_back(i);
    }
}

const TContent& TRegistryCleanerController::ProblemRow(size_t row) const {
    const int section = grid_.at(*gridRow_).section;
    return scan_.Contents()[static_cast<size_t>(section)][problemRows_.at(row)].Content;
}

std::string TRegistryCleanerController::ProblemsHeaderText() const {
    return problemRows_.empty() ? std::string() : std::to_string(problemRows_.size()) + " Problems Found";
}

void TRegistryCleanerController::SelectProblemRow(std::optional<size_t> row) {
    problemRow_ = row && *row < problemRows_.size() ? row : std::nullopt;
    Notify();
}

void TRegistryCleanerController::ShowHideDetailsClick() {
    detailsVisible_ = !detailsVisible_;
    Notify();
}

std::string_view TRegistryCleanerController::DetailsText() const {
    if (!problemRow_ || !gridRow_) return {};
    const int section = grid_[*gridRow_].section;
    const SectionDef* def = section == kAllProblemsIndex ? SectionByCaption(ProblemRow(*problemRow_).Section)
                                                         : SectionByNumber(section);
    return def ? def->details : std::string_view();
}

void TRegistryCleanerController::SetProblemChecked(size_t row, bool checked) {
    TRegistryContents* shown = ShownCollection();
    if (!shown || row >= problemRows_.size()) return;
    TContent& problem = (*shown)[problemRows_[row]].Content;
    problem.Checked = checked;
    auto& contents = scan_.Contents();
    if (grid_[*gridRow_].section != kAllProblemsIndex) {
        for (TRegistryContentItem& copy : contents[kAllProblemsIndex]) {
            if (copy.Content.ID == problem.ID) copy.Content.Checked = checked;
        }
    } else {
        // The section record: searched through the listed sections in grid order, first match only.
        for (const GridRow& g : grid_) {
            if (g.section < 1) continue;
            for (TRegistryContentItem& item : contents[static_cast<size_t>(g.section)]) {
                if (item.Content.ID == problem.ID) {
                    item.Content.Checked = checked;
                    Notify();
                    return;
                }
            }
        }
    }
    Notify();
}

void TRegistryCleanerController::SetListedChecked(bool checked) {
    // As if every listed row's box were set one by one, in one pass over the collections: IDs are
    // unique within a scan, so the mirrored record of each is the only one with its ID.
    TRegistryContents* shown = ShownCollection();
    if (!shown) return;
    std::unordered_set<int32_t> ids;
    for (const size_t index : problemRows_) {
        (*shown)[index].Content.Checked = checked;
        ids.insert((*shown)[index].Content.ID);
    }
    auto mirror = [&](TRegistryContents& contents) {
        for (TRegistryContentItem& item : contents) {
            if (ids.count(item.Content.ID)) item.Content.Checked = checked;
        }
    };
    if (grid_[*gridRow_].section != kAllProblemsIndex) {
        mirror(scan_.Contents()[kAllProblemsIndex]);
    } else {
        for (const GridRow& g : grid_) {
            if (g.section >= 1) mirror(scan_.Contents()[static_cast<size_t>(g.section)]);
        }
    }
}

void TRegistryCleanerController::ProblemListClick(int x, int y, size_t topRow) {
    if (y < 0) return;
    const size_t row = topRow + static_cast<size_t>(y / kProblemRowHeight);
    if (row >= problemRows_.size()) return;
    SelectProblemRow(row);
    if (ProblemCheckBoxHit(x, y % kProblemRowHeight)) SetProblemChecked(row, !ProblemRow(row).Checked);
}

int TRegistryCleanerController::GridSectionOf(const TContent& problem) const {
    const SectionDef* def = SectionByCaption(problem.Section);
    return def ? def->number : -1;
}

void TRegistryCleanerController::PopupExclude() {
    if (!gridRow_ || !problemRow_) return;
    TContent entry = ProblemRow(*problemRow_);
    const int section =
        grid_[*gridRow_].section == kAllProblemsIndex ? GridSectionOf(entry) : grid_[*gridRow_].section;
    const SectionDef* def = SectionByNumber(section);
    if (!def) return;
    // Help problems carry the registering value's name in KeyName; that is what the scan asks about.
    if (section == 6) entry.ValueName = entry.KeyName;
    const IgnoreAddResult added =
        AddProblemToIgnoreList(ctx_.platform.files(), scan_.Ignores(), def->caption, entry);
    if (added == IgnoreAddResult::NotRepresentable || added == IgnoreAddResult::WriteFailed) {
        (void)ctx_.ui.messageBox(kMsgExcludeFailed, kMsgCaptionTrenmoor, platform::MsgIcon::Exclamation,
                                 platform::MsgButtons::Ok);
        return;
    }
    RemoveProblem(entry.ID);
}

void TRegistryCleanerController::RemoveProblem(int32_t id) {
    // Rebuilt without the problem: it is excluded from this scan's results too.
    for (TRegistryContents& contents : scan_.Contents()) {
        TRegistryContents kept;
        for (const TRegistryContentItem& item : contents) {
            if (item.Content.ID != id) kept[kept.Add()] = item;
        }
        contents = std::move(kept);
    }
    for (int n = 1; n <= kSectionCount; ++n) {
        std::string& count = scan_.Progress().countText[static_cast<size_t>(n)];
        if (!count.empty() && count != kNotBuiltYet)
            count = std::to_string(scan_.Contents()[static_cast<size_t>(n)].Count());
    }
    const int shownSection = gridRow_ ? grid_[*gridRow_].section : -1;
    const std::optional<size_t> keptProblemRow = problemRow_;
    BuildGrid();
    gridRow_.reset();
    for (size_t i = 0; i < grid_.size(); ++i) {
        if (grid_[i].section == shownSection) gridRow_ = i;
    }
    if (!gridRow_ && !grid_.empty()) gridRow_ = 0;
    ListProblems();
    if (keptProblemRow && !problemRows_.empty())
        problemRow_ = std::min(*keptProblemRow, problemRows_.size() - 1);
    Notify();
}

// ---- Repair and finish ----

bool TRegistryCleanerController::ConfirmBackup() {
    const RepairBackupResult backup = WriteRepairBackup(ctx_, scan_.SectionSpan());
    if (backup.written) {
        (void)ctx_.ui.messageBox(Fill(kMsgBackupDone, FolderOf(backup.path)), kMsgBackupDoneCaption,
                                 platform::MsgIcon::Information, platform::MsgButtons::Ok);
        return true;
    }
    // Nothing written because nothing that the repair removes is still there: no backup needed.
    if (!AnythingToBackUp(ctx_.platform.registry(), scan_.SectionSpan())) return true;
    return ctx_.ui.messageBox(Fill(kMsgBackupFailed, FolderOf(backup.path)), kMsgBackupFailedCaption,
                              platform::MsgIcon::Exclamation,
                              platform::MsgButtons::YesNo) == platform::MsgResult::Yes;
}

void TRegistryCleanerController::RepairBtnClick() {
    if (grid_.empty() || scanning_) return;
    // The offer is used up only once it was really shown.
    if (ctx_.settings.OneTime && hooks_.showFirstBackupDialog) {
        hooks_.showFirstBackupDialog();
        (void)ClearOneTime(ctx_.platform.registry(), ctx_.settings);
    }
    if (!ctx_.settings.NotAutoBackup && !ConfirmBackup()) return;
    RunRepair();
}

void TRegistryCleanerController::RunRepair() {
    ctx_.ScanState = kScanNormal;
    if (hooks_.showRepairDialog) hooks_.showRepairDialog(true);
    pump_.Force();
    std::vector<int> order;
    for (const GridRow& row : grid_) order.push_back(row.section);
    RepairDisplay display;
    display.showProgress = [this](std::string_view text) {
        if (hooks_.repairProgress) hooks_.repairProgress(text);
    };
    display.repairsChanged = [this] { Notify(); };
    RunRepairs(ctx_, scan_.Contents(), order, repairs_, pump_, display);
    if (hooks_.showRepairDialog) hooks_.showRepairDialog(false);
    EnterMode(CleanerMode::Finished, kFinishPage);
}

void TRegistryCleanerController::CancelRepair() {
    ctx_.ScanState = kRepairCancel;
}

void TRegistryCleanerController::FinishBtnClick() {
    if (scanning_) return;
    ctx_.ScanState = kScanNormal;
    scan_.Clear();
    repairs_.Clear();
    grid_.clear();
    gridRow_.reset();
    problemRows_.clear();
    problemRow_.reset();
    elapsedMessage_.clear();
    EnterReady();
}

void TRegistryCleanerController::Notify() {
    if (hooks_.changed) hooks_.changed();
}

}  // namespace trenmoor::registry_cleaner
