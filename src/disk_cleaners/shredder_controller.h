#pragma once
// The file shredder window's state: the shred list, the level, and the shred flow with its messages.
#include <string>
#include <string_view>
#include <vector>

#include "common/app_context.h"
#include "disk_cleaners/file_shredder.h"

namespace trenmoor::disk_cleaners {

inline constexpr std::string_view kShredEmptyListText =
    "You haven't added the files you want to deleted to the list!";
inline constexpr std::string_view kShredConfirmText =
    "The selected file will be permanently deleted! Do you want to continue?\r\rImportant: This action is "
    "immediate and is NOT reversible!";
inline constexpr std::string_view kShredDoneCaption = "Evidence Cleaner";

class ShredderController {
  public:
    explicit ShredderController(AppContext& ctx) : ctx_(ctx) {}

    const std::vector<std::string>& items() const { return items_; }
    void add(std::string path) { items_.push_back(std::move(path)); }
    void addRecycleBinFiles();
    void removeAt(int index);  // nothing when out of range (no selection)
    void clear() { items_.clear(); }

    ShredLevel level() const { return level_; }
    void setLevel(ShredLevel level) { level_ = level; }

    // The "Shred" button: asks, shreds every item in order, tells the outcome, clears the list.
    // Returns the items handled (empty when nothing was shredded).
    std::vector<ShredItem> shred();

  private:
    AppContext& ctx_;
    std::vector<std::string> items_;
    ShredLevel level_ = ShredLevel::Quick;
};

}  // namespace trenmoor::disk_cleaners
