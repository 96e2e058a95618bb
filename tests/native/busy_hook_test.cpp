// A tool window lends its run state to the navigation only while it lives.
#include <gtest/gtest.h>

#include <optional>

#include "app/busy_hook.h"

namespace trenmoor::app {
namespace {

TEST(BusyHook, FillsTheSlotWhileBoundAndEmptiesItWhenTheBindingEnds) {
    std::function<int()> junkSlot, duplicateSlot;
    int state = 1;
    {
        BusyHook hook;
        hook.Bind(junkSlot, [&] { return state; });
        ASSERT_TRUE(junkSlot);
        EXPECT_EQ(junkSlot(), 1);
        state = 3;
        EXPECT_EQ(junkSlot(), 3) << "the slot reads the live state";

        // Binding again moves the hook: the old slot no longer calls into the window.
        hook.Bind(duplicateSlot, [&] { return state; });
        EXPECT_FALSE(junkSlot);
        EXPECT_TRUE(duplicateSlot);
    }
    EXPECT_FALSE(duplicateSlot) << "a window that is gone is never asked";

    std::optional<BusyHook> released(std::in_place);
    released->Bind(junkSlot, [] { return 1; });
    released->Release();
    EXPECT_FALSE(junkSlot);
    released.reset();  // releasing twice is harmless
    EXPECT_FALSE(junkSlot);
}

}  // namespace
}  // namespace trenmoor::app
