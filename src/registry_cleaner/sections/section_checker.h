#pragma once
// What a section checker works with: one scan call's context (messages and abort, the entry display,
// the items counter, the ignore list, adding numbered problems) and one repair's outcome. Every
// checker follows the same per-entry protocol through these, so the driver and the checkers meet in
// one place.
#include <string>
#include <string_view>

#include "common/app_context.h"
#include "common/message_pump.h"
#include "registry_cleaner/cleaner_progress.h"
#include "registry_cleaner/ignore_list.h"
#include "registry_cleaner/registry_contents.h"

namespace trenmoor::registry_cleaner {

inline constexpr std::string_view kMissingPathTitle = "Missing or Invalid Path";

class SectionScan {
  public:
    SectionScan(AppContext& ctx, ScanProgress& progress, MessagePump& pump, int section,
                std::string_view caption, TRegistryContents& contents, const TIgnoreContents* ignores,
                ProblemNumbering& numbering)
        : ctx_(ctx),
          progress_(progress),
          pump_(pump),
          section_(section),
          caption_(caption),
          contents_(contents),
          ignores_(ignores),
          numbering_(numbering) {}

    AppContext& Context() { return ctx_; }
    platform::Registry& Registry() { return ctx_.platform.registry(); }
    platform::FileSystem& Files() { return ctx_.platform.files(); }
    const std::vector<std::string>& ExcludedDrives() const { return ctx_.ExcludedDrives; }
    TRegistryContents& Contents() { return contents_; }

    // Lets pending messages run (on the time budget).
    void Pump() { pump_.Pump(); }
    bool Aborted() const { return ctx_.ScanState == kScanAbort; }
    // Conventions step 1: messages, then false when an abort was requested.
    bool Continue() {
        Pump();
        return !Aborted();
    }
    void ShowEntry(std::string_view text) { progress_.entry = text; }
    void Tick() { progress_.TickItemsProcessed(); }
    // Counts one more key in the scan-wide key counter; returns the new count.
    uint64_t CountKey() { return ++progress_.keysCounted; }
    // False when the driver passed no ignore list to this section.
    bool IsIgnored(std::string_view keyPath, std::string_view valueName) const {
        return ignores_ && registry_cleaner::IsIgnored(*ignores_, caption_, keyPath, valueName);
    }
    // A new checked, numbered problem (the checker fills its fields); the count display follows.
    TContent& AddProblem() {
        TContent& problem = registry_cleaner::AddProblem(contents_, numbering_);
        problem.Title = kMissingPathTitle;
        progress_.countText[static_cast<size_t>(section_)] = std::to_string(contents_.Count());
        return problem;
    }
    // Empties the section's collection (and its count display) for checkers that start afresh.
    void ClearContents() {
        contents_.Clear();
        progress_.countText[static_cast<size_t>(section_)] = "0";
    }

  private:
    AppContext& ctx_;
    ScanProgress& progress_;
    MessagePump& pump_;
    int section_;
    std::string_view caption_;
    TRegistryContents& contents_;
    const TIgnoreContents* ignores_;
    ProblemNumbering& numbering_;
};

// What one repair action did. "Repaired Successfully" only when the value or key is gone afterwards.
struct RepairOutcome {
    bool ok = false;
    std::string reason;  // why not, when !ok
    std::string note;    // when ok: a status other than success (nothing needed doing), shown as is
};
inline constexpr std::string_view kRepairedSuccessfully = "Repaired Successfully";
// The finish-list status of an outcome: "Repaired Successfully", the note, or "Error: <reason>".
std::string RepairStatusText(const RepairOutcome& outcome);

// Removes one value ("default" or "" = the unnamed value) of the key at a full path; succeeds when the
// value is gone afterwards, also when it or its key was already gone.
RepairOutcome RemoveValue(platform::Registry& registry, std::string_view fullKeyPath,
                          std::string_view valueName);
// Removes a key with everything below it; succeeds when the key is gone afterwards.
RepairOutcome RemoveKey(platform::Registry& registry, platform::RootKey root,
                        std::string_view absoluteSubkey);

// The problem text every file-reference section writes.
std::string BadPathDescription(std::string_view what, std::string_view keyPath);
// Root name, backslash, path ("HKEY_LOCAL_MACHINE\SOFTWARE\..."); the root name alone for an empty path.
std::string FullKeyPath(platform::RootKey root, std::string_view path);
// The registry name of a value as problems carry it: "default" for the unnamed value.
std::string ValueNameText(std::string_view name);
// Registry string data (REG_SZ or REG_EXPAND_SZ) as text; nothing for other types.
std::optional<std::string> StringData(const std::optional<platform::RawValue>& value);

}  // namespace trenmoor::registry_cleaner
