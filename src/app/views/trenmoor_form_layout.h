#pragma once
// The main window's geometry at 96 DPI; every number is scaled with skin::S when used.
namespace trenmoor::views::layout {

inline constexpr int kWidth = 660;
inline constexpr int kHeight = 500;
inline constexpr int kTitleHeight = 28;
inline constexpr int kStripHeight = 24;
inline constexpr int kFooterHeight = 22;
inline constexpr int kColumnWidth = 184;
inline constexpr int kColumnTop = 6;  // first group panel below the strip
inline constexpr int kGroupGap = 2;   // between group panels
inline constexpr int kGroupButtonHeight = 28;
inline constexpr int kToolButtonHeight = 32;
inline constexpr int kNotebookMargin = 8;
inline constexpr int kTitleButtonWidth = 34;
inline constexpr int kStripButtonWidth = 64;
inline constexpr int kStripButtonHeight = 19;
inline constexpr int kAnimationStep = 8;  // pixels per tick of the group animation
inline constexpr unsigned kAnimationTickMs = 10;

}  // namespace trenmoor::views::layout
