#pragma once
// A tool window's run state lent to the navigation's busy check for as long as the window lives: the
// slot is filled when bound and emptied when the binding ends, so the navigation never calls into a
// window that is gone.
#include <functional>
#include <utility>

namespace trenmoor::app {

class BusyHook {
  public:
    BusyHook() = default;
    BusyHook(const BusyHook&) = delete;
    BusyHook& operator=(const BusyHook&) = delete;
    ~BusyHook() { Release(); }

    void Bind(std::function<int()>& slot, std::function<int()> state) {
        Release();
        slot_ = &slot;
        slot = std::move(state);
    }
    void Release() {
        if (slot_) *slot_ = nullptr;
        slot_ = nullptr;
    }

  private:
    std::function<int()>* slot_ = nullptr;
};

}  // namespace trenmoor::app
