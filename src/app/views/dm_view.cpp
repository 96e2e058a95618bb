#include "app/views/dm_view.h"

namespace trenmoor::views {
namespace {

constexpr UINT_PTR kScanTimerId = 1;
constexpr UINT_PTR kScanTimerExId = 2;
constexpr UINT_PTR kEvidenceTimerId = 3;

HMENU BuildMainMenu() {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, kOpenMenu, L"Trenmoor");
    AppendMenuW(menu, MF_STRING, kHome1, L"Home Page");
    AppendMenuW(menu, MF_STRING, kAbout1, L"About");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kOnlineUpdate1, L"Update online");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kExit1, L"Exit");
    SetMenuDefaultItem(menu, kOpenMenu, FALSE);
    return menu;
}

HMENU BuildProblemsMenu() {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, kExcludeAndAddKeyToIgnoreList1, L"Exclude and add key to ignore list");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kSelectAll1, L"Select All");
    AppendMenuW(menu, MF_STRING, kSelectNone1, L"Select None");
    return menu;
}

void Run(const std::function<void()>& f) {
    if (f) f();
}

}  // namespace

TDMView::TDMView(TDM& dm) : dm_(dm), mainMenu_(BuildMainMenu()), problemsMenu_(BuildProblemsMenu()) {
    Create(L"TDM", L"TDM", 0, 0, 0, 0, 0, 0, HWND_MESSAGE);
    Follow(dm_.ScanTimer, kScanTimerId);
    Follow(dm_.ScanTimerEx, kScanTimerExId);
    Follow(dm_.EvidenceTimer, kEvidenceTimerId);
}

TDMView::~TDMView() {
    for (TTimer* timer : {&dm_.ScanTimer, &dm_.ScanTimerEx, &dm_.EvidenceTimer})
        timer->OnEnabledChanged = nullptr;
}

void TDMView::Follow(TTimer& timer, UINT_PTR id) {
    timer.OnEnabledChanged = [this, id, &timer](bool on) {
        if (on)
            SetTimer(Handle(), id, timer.Interval, nullptr);
        else
            KillTimer(Handle(), id);
    };
    if (timer.Enabled()) SetTimer(Handle(), id, timer.Interval, nullptr);
}

void TDMView::PopupMainMenu(HWND owner, POINT screen) {
    EnableMenuItem(mainMenu_.get(), kOnlineUpdate1, MF_BYCOMMAND | (OnUpdateOnline ? MF_ENABLED : MF_GRAYED));
    SetForegroundWindow(owner);
    const UINT command = static_cast<UINT>(TrackPopupMenu(mainMenu_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                          screen.x, screen.y, 0, owner, nullptr));
    if (command != 0) RunMainMenuCommand(command);
}

void TDMView::RunMainMenuCommand(UINT command) {
    switch (command) {
        case kOpenMenu:
            Run(OnOpen);
            break;
        case kHome1:
            Run(OnHome);
            break;
        case kAbout1:
            Run(OnAbout);
            break;
        case kOnlineUpdate1:
            Run(OnUpdateOnline);
            break;
        case kExit1:
            Run(OnExit);
            break;
        default:
            break;
    }
}

void TDMView::PopupProblemsList(HWND owner, POINT screen) {
    SetForegroundWindow(owner);
    const UINT command = static_cast<UINT>(TrackPopupMenu(
        problemsMenu_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner, nullptr));
    if (command == kSelectAll1) Run(OnSelectAll);
    if (command == kSelectNone1) Run(OnSelectNone);
}

LRESULT TDMView::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TIMER) {
        switch (wp) {
            case kScanTimerId:
                dm_.ScanTimerTimer();
                return 0;
            case kScanTimerExId:
                dm_.ScanTimerExTimer();
                return 0;
            case kEvidenceTimerId:
                dm_.EvidenceTimerTimer();
                return 0;
            default:
                break;
        }
    }
    return WindowBase::HandleMessage(msg, wp, lp);
}

}  // namespace trenmoor::views
