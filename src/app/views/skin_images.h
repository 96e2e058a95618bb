#pragma once
// The data module's image lists, drawn with GDI at start-up: section and state pictures with the scan
// animation frames, the evidence tree frames, problem check boxes, severity levels, backup rows,
// button faces and the popup menu picture. Counts and indexes are the ones the windows rely on
// (app/data_module.h).
#include <windows.h>

#include <commctrl.h>

#include <utility>

namespace trenmoor::views {

// An image list destroyed with ImageList_Destroy.
class UniqueImageList {
  public:
    explicit UniqueImageList(HIMAGELIST list = nullptr) : list_(list) {}
    UniqueImageList(const UniqueImageList&) = delete;
    UniqueImageList& operator=(const UniqueImageList&) = delete;
    UniqueImageList(UniqueImageList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}
    ~UniqueImageList() {
        if (list_) ImageList_Destroy(list_);
    }
    HIMAGELIST get() const { return list_; }

  private:
    HIMAGELIST list_;
};

HIMAGELIST MakeStatImageList();      // 16 x 16, 15 images
HIMAGELIST MakeTreeImageList();      // 16 x 16, 15 images
HIMAGELIST MakeProblemsImageList();  // 16 x 70, 2 images
HIMAGELIST MakeLevelImageList();     // 36 x 12, 3 images (Low, Normal, High)
HIMAGELIST MakeMinMaxImageList();    // 21 x 21, 1 image
HIMAGELIST MakeBtnImageList();       // 97 x 23, 2 images (normal, hovered)
HIMAGELIST MakeScanNowImageList();   // 186 x 75, 2 images (normal, hovered)
HIMAGELIST MakePopupImageList();     // 16 x 16, 1 image

}  // namespace trenmoor::views
