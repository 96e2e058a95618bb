// The navigation column of the main window: group panels with their buttons, tool buttons, and the
// growth of the chosen group's panel.
#include <algorithm>

#include "app/views/skin.h"
#include "app/views/trenmoor_form.h"
#include "app/views/trenmoor_form_layout.h"
#include "platform/win32/wide.h"

namespace trenmoor::views {

namespace pal = skin::palette;
using platform::win32::Widen;
using skin::S;

namespace {
constexpr UINT_PTR kAnimationTimer = 1;
}

void TTrenmoorForm::BuildNavigation() {
    const int top = S(layout::kTitleHeight + layout::kStripHeight);
    const int bottom = S(layout::kHeight - layout::kFooterHeight);
    const int cw = S(layout::kColumnWidth);
    LeftPanel.Create(Handle(), L"LeftPanel", pal::kColumn, 0, top, cw, bottom - top);
    LeftPanel.OnPaint = [](HDC dc, const RECT& r) {
        RECT line{r.right - 1, 0, r.right, r.bottom};
        skin::FillSolid(dc, line, pal::kColumnLine);
    };

    const int bh = S(layout::kGroupButtonHeight), th = S(layout::kToolButtonHeight);
    const int pw = cw - S(1);
    for (const auto& g : app::kGroups) {
        TPanel& panel = GroupPanel(g.id);
        panel.Create(LeftPanel.Handle(), Widen(g.panel), pal::kToolArea, 0, 0, pw, bh);
        panel.OnPaint = [](HDC dc, const RECT& r) {
            RECT line{S(6), r.bottom - 1, r.right - S(6), r.bottom};
            skin::FillSolid(dc, line, pal::kColumnLine);
        };
        TImageEx& button = GroupButton(g.id);
        button.Create(panel.Handle(), Widen(g.caption), 0, 0, pw, bh);
        button.HandCursor = true;
        const app::GroupId id = g.id;
        button.OnPaint = [this, id](HDC dc, const RECT& r, const TImageEx& self) {
            skin::PaintGroupButton(dc, r, self.Caption(), self.State(), app::IsToolGroup(id),
                                   navigation_.ExpandedGroup() == id);
        };
        button.OnClick = [this, id] { navigation_.ChooseGroup(id); };
        for (size_t i = 0; i < g.toolCount; ++i) {
            const auto& t = app::kTools[g.firstTool + i];
            TImageEx& tool = ToolButton(t.id);
            tool.Create(panel.Handle(), Widen(t.caption), 0, bh + static_cast<int>(i) * th, pw, th);
            tool.HandCursor = true;
            const int glyph = static_cast<int>(g.firstTool + i);
            tool.OnPaint = [glyph](HDC dc, const RECT& r, const TImageEx& self) {
                skin::PaintToolButton(dc, r, self.Caption(), glyph, self.State());
            };
            const app::ToolId toolId = t.id;
            tool.OnClick = [this, toolId] { navigation_.ChooseTool(toolId); };
        }
        heights_[static_cast<size_t>(g.id)] = g.visible ? bh : 0;
        if (!g.visible) panel.SetVisible(false);
    }
    LayoutGroups();
}

// Stacks the visible group panels with their current heights.
void TTrenmoorForm::LayoutGroups() {
    const int pw = S(layout::kColumnWidth) - S(1);
    int y = S(layout::kColumnTop);
    HDWP batch = BeginDeferWindowPos(static_cast<int>(app::kGroupCount));
    for (const auto& g : app::kGroups) {
        if (!g.visible) continue;
        const int h = heights_[static_cast<size_t>(g.id)];
        if (batch)
            batch = DeferWindowPos(batch, GroupPanel(g.id).Handle(), nullptr, 0, y, pw, h,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        y += h + S(layout::kGroupGap);
    }
    if (batch) EndDeferWindowPos(batch);
}

// One tick of the animation: every panel moves a few pixels toward its height.
void TTrenmoorForm::AnimateStep() {
    bool moving = false;
    const int step = S(layout::kAnimationStep);
    for (const auto& g : app::kGroups) {
        if (!g.visible) continue;
        int& h = heights_[static_cast<size_t>(g.id)];
        const int target = S(navigation_.PanelHeight(g.id, layout::kGroupButtonHeight));
        if (h < target) h = std::min(target, h + step);
        if (h > target) h = std::max(target, h - step);
        moving = moving || h != target;
    }
    LayoutGroups();
    if (!moving) {
        KillTimer(Handle(), kAnimationTimer);
        animating_ = false;
    }
}

void TTrenmoorForm::FinishAnimation() {
    for (const auto& g : app::kGroups)
        if (g.visible)
            heights_[static_cast<size_t>(g.id)] =
                S(navigation_.PanelHeight(g.id, layout::kGroupButtonHeight));
    LayoutGroups();
    KillTimer(Handle(), kAnimationTimer);
    animating_ = false;
}

}  // namespace trenmoor::views
