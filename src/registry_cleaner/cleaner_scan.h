#pragma once
// The scan of the registry cleaner without a window: the 18 problem collections (0 All Problems,
// 1..17 the sections), the ignore list, the problem numbering, the progress display model, and the scan
// loop that runs the selected sections' checkers in order until done or aborted. The window's
// controller and the command line both drive it.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "common/app_context.h"
#include "common/message_pump.h"
#include "registry_cleaner/cleaner_progress.h"
#include "registry_cleaner/ignore_list.h"
#include "registry_cleaner/registry_contents.h"

namespace trenmoor::registry_cleaner {

using SectionSelection = std::array<bool, kSectionCount + 1>;  // index = section number; 0 unused

enum class SectionOutcome {
    NotScanned,  // not selected, or not reached (abort)
    Clean,       // checked, nothing found
    Problems,    // checked, problems found
    NotBuilt,    // selected, but its checker is not built yet: no result, neither clean nor not
};

class RegistryScan {
  public:
    explicit RegistryScan(AppContext& ctx) : ctx_(ctx) {}

    // Empties the problem collections and the ignore list.
    void Clear();

    // The scan loop: ScanState to 0, the ignore list reloaded, numbering and items counter reset, then
    // every selected section's scan call(s) in number order while no abort is requested. Problems are
    // left in the section collections (All Problems is filled by CollectAllProblems).
    void Run(const SectionSelection& selected, MessagePump& pump);

    // Copies every section's problems into All Problems (index 0), the copy's Section set to the
    // section caption. Clears All Problems first.
    void CollectAllProblems();

    // The sum of the 17 section counts.
    int Total() const;
    bool Aborted() const { return aborted_; }

    std::array<TRegistryContents, kSectionCount + 1>& Contents() { return contents_; }
    const std::array<TRegistryContents, kSectionCount + 1>& Contents() const { return contents_; }
    // Sections 1..17 only, for the repair backup.
    std::span<const TRegistryContents> SectionSpan() const { return contents_; }
    TIgnoreContents& Ignores() { return ignores_; }
    ScanProgress& Progress() { return progress_; }
    const ScanProgress& Progress() const { return progress_; }
    SectionOutcome Outcome(int section) const { return outcome_[static_cast<size_t>(section)]; }
    // Selected sections whose checker is not built yet, in number order.
    const std::vector<int>& NotBuilt() const { return notBuilt_; }

  private:
    void ScanSection(int number, MessagePump& pump);

    AppContext& ctx_;
    std::array<TRegistryContents, kSectionCount + 1> contents_;
    TIgnoreContents ignores_;
    ProblemNumbering numbering_;
    ScanProgress progress_;
    std::array<SectionOutcome, kSectionCount + 1> outcome_{};
    std::vector<int> notBuilt_;
    bool aborted_ = false;
};

}  // namespace trenmoor::registry_cleaner
