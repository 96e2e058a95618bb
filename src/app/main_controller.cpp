#include "app/main_controller.h"

#include <cstdio>

#include "app/scheduled_tasks.h"
#include "common/settings.h"
#include "common/shared_helpers.h"

namespace trenmoor::app {
namespace {

std::string Hex8(int32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%08X", static_cast<uint32_t>(value));
    return buffer;
}

}  // namespace

std::string AppNameVersion() {
    return std::string(kProgramName) + " v" + std::string(kProgramVersion);
}

MainController::MainController(AppContext& ctx, NavigationController& navigation)
    : ctx_(ctx), navigation_(navigation) {}

void MainController::FormShow() {
    navigation_.ChooseGroup(GroupId::RepairProblems);
    EnsureWeeklyTask();
}

void MainController::EnsureWeeklyTask() {
    if (ctx_.settings.OneScheduleOfWeek != 0) return;
    if (const int32_t hr = ctx_.platform.scheduler().connect(); hr != 0) {
        ctx_.ui.messageBox("Error in ActiveX.CoCreateInstance.Error Code :" + Hex8(hr), kProgramName,
                           platform::MsgIcon::Error, platform::MsgButtons::Ok);
        terminateRequested_ = true;
        return;
    }
    ScheduledTasks tasks(ctx_.platform);
    const bool exists = tasks.FindTask(kOneClickTaskName) || tasks.CreateOneClickTask() == 0;
    if (exists) (void)SaveOneScheduleOfWeek(ctx_.platform.registry(), ctx_.settings);
}

void MainController::HelpBtnClick() {
    const std::string helpFile = ProgramFile(ctx_.platform.files(), kHelpFileName);
    if (ctx_.platform.files().fileExists(helpFile)) {
        (void)ctx_.platform.shell().execute("open", helpFile, "", "", platform::ShowMode::Normal);
        return;
    }
    OpenURL(ctx_.platform.shell(), ctx_.settings.HelpURL);
}

void MainController::LabelWebHomeClick(std::string_view caption) {
    OpenURL(ctx_.platform.shell(), caption);
}

void MainController::SubOneClickTweakBtnClick() {
    // The companion's One-Click run is its "-Scan" command (started bare it would only print its usage).
    // A missing companion is reported by the shell itself, if at all.
    (void)ctx_.platform.shell().execute("open", ProgramFile(ctx_.platform.files(), kCompanionExe),
                                        kScanParameter, "", platform::ShowMode::Normal);
}

}  // namespace trenmoor::app
