#include "registry_cleaner/cleaner_scan.h"

#include "registry_cleaner/sections/section_table.h"

namespace trenmoor::registry_cleaner {

void RegistryScan::Clear() {
    for (TRegistryContents& c : contents_) c.Clear();
    ignores_.Clear();
}

void RegistryScan::Run(const SectionSelection& selected, MessagePump& pump) {
    ctx_.ScanState = kScanNormal;
    outcome_.fill(SectionOutcome::NotScanned);
    notBuilt_.clear();
    aborted_ = false;
    ignores_.Clear();
    LoadIgnoreList(ctx_.platform.files(), ignores_);
    numbering_.Reset();
    progress_.ItemsProcessed = 0;
    progress_.keysCounted = 0;

    int selectedCount = 0;
    for (int n = 1; n <= kSectionCount; ++n) selectedCount += selected[static_cast<size_t>(n)] ? 1 : 0;
    int done = 0;
    for (int n = 1; n <= kSectionCount && ctx_.ScanState != kScanAbort; ++n) {
        progress_.currentSection = selected[static_cast<size_t>(n)] ? n : -1;
        if (selected[static_cast<size_t>(n)]) {
            ScanSection(n, pump);
            ++done;
        }
        progress_.SetTotal(done, selectedCount);
    }
    aborted_ = ctx_.ScanState == kScanAbort;
    progress_.currentSection = -1;
}

void RegistryScan::ScanSection(int number, MessagePump& pump) {
    const SectionDef& def = *SectionByNumber(number);
    const size_t i = static_cast<size_t>(number);
    if (!def.Built()) {
        progress_.countText[i] = kNotBuiltYet;
        outcome_[i] = SectionOutcome::NotBuilt;
        notBuilt_.push_back(number);
        return;
    }
    progress_.countText[i] = "0";
    SectionScan scan(ctx_, progress_, pump, number, def.caption, contents_[i],
                     def.ignoresPassed ? &ignores_ : nullptr, numbering_);
    // Some checkers start by clearing their collection, so the calls run in table order.
    for (int c = 0; c < def.callCount; ++c) {
        const ScanCall& call = def.calls[static_cast<size_t>(c)];
        call.scan(scan, call.root, call.path);
    }
    outcome_[i] = contents_[i].Count() > 0 ? SectionOutcome::Problems : SectionOutcome::Clean;
}

void RegistryScan::CollectAllProblems() {
    TRegistryContents& all = contents_[kAllProblemsIndex];
    all.Clear();
    for (int n = 1; n <= kSectionCount; ++n) {
        for (const TRegistryContentItem& item : contents_[static_cast<size_t>(n)]) {
            TContent& copy = all[all.Add()].Content;
            copy = item.Content;
            copy.Section = SectionByNumber(n)->caption;
        }
    }
}

int RegistryScan::Total() const {
    int total = 0;
    for (int n = 1; n <= kSectionCount; ++n)
        total += static_cast<int>(contents_[static_cast<size_t>(n)].Count());
    return total;
}

}  // namespace trenmoor::registry_cleaner
