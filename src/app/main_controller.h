#pragma once
// What the main window does itself: its first show (Repair Problems, then the weekly One-Click Tweak
// task once per machine account), Help, the web link and the start of the companion program.
#include <string_view>

#include "app/navigation_controller.h"
#include "common/app_context.h"

namespace trenmoor::app {

inline constexpr std::string_view kHelpFileName = "TrenmoorHelp.chm";
inline constexpr std::string_view kSubmitIntroText =
    "With this feature, you can submit problems that can not be solved or unwanted programs can not be "
    "uninstalled. We will contact you within 48 hours.";
inline constexpr std::string_view kOneClickPageText =
    "This utility is a diagnosis and maintenance package that provides quick overviews on you system "
    "performance. It will automatically detect and correct registry problems, clean evidence and junk files.";

// "Trenmoor v4.2".
std::string AppNameVersion();

class MainController {
  public:
    MainController(AppContext& ctx, NavigationController& navigation);

    // First show: opens Repair Problems, then makes sure the weekly task exists (once).
    void FormShow();
    // When OneScheduleOfWeek is 0: creates the "One-Click Tweak" task unless one whose name contains
    // that text exists, then records OneScheduleOfWeek = 1. The flag is only recorded when the task is
    // known to exist, so a scheduler that was unreachable is tried again at the next start.
    void EnsureWeeklyTask();
    // The scheduler could not be reached: the error was shown and the program must end.
    bool TerminateRequested() const { return terminateRequested_; }

    void HelpBtnClick();
    void LabelWebHomeClick(std::string_view caption);
    void SubOneClickTweakBtnClick();

  private:
    AppContext& ctx_;
    NavigationController& navigation_;
    bool terminateRequested_ = false;
};

}  // namespace trenmoor::app
