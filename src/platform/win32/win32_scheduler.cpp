// The system task scheduler through its version 1.0 interfaces (ITaskScheduler, ITask, ITaskTrigger,
// IPersistFile). These keep every field a task of ours has (program, parameters, folder, comment, flags,
// the 48-byte trigger) on every Windows since 2000 and under Wine, whose 2.0 object model drops actions
// and triggers when it stores a task.
#include <windows.h>
// After windows.h, which it needs.
#include <mstask.h>

#include <algorithm>

#include "platform/text_encoding.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_backends.h"

namespace trenmoor::platform::win32 {
namespace {

constexpr HRESULT kBadName = E_INVALIDARG;

// A task name becomes a file name in the tasks folder: anything that could leave that folder or is no
// file name at all is refused.
std::optional<std::wstring> TaskFileName(std::string_view name) {
    const auto wide = WidenName(name);
    if (!wide || wide->empty() || wide->find_first_not_of(L'.') == std::wstring::npos) return std::nullopt;
    for (const wchar_t c : *wide) {
        if (c < 0x20 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos)
            return std::nullopt;
    }
    return wide;
}

// Text the scheduler hands out, freed with CoTaskMemFree.
class CoTaskText {
  public:
    CoTaskText() = default;
    CoTaskText(const CoTaskText&) = delete;
    CoTaskText& operator=(const CoTaskText&) = delete;
    ~CoTaskText() { CoTaskMemFree(text_); }
    [[nodiscard]] LPWSTR* put() { return &text_; }
    [[nodiscard]] std::string utf8() const { return Narrow(text_); }

  private:
    LPWSTR text_ = nullptr;
};

// The scheduler with COM held for the current thread while it is used.
struct Session {
    ComInit com;
    ComPtr<ITaskScheduler> scheduler;
    HRESULT result = E_FAIL;

    Session() {
        if (!com.usable()) {
            result = com.result();
            return;
        }
        result = CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                                  scheduler.putVoid());
        if (FAILED(result)) scheduler.reset();
    }
};

TASK_TRIGGER ToNative(const TaskTrigger& trigger, bool& supported) {
    TASK_TRIGGER native{};
    native.cbTriggerSize = sizeof(native);
    native.wBeginYear = static_cast<WORD>(trigger.beginYear);
    native.wBeginMonth = static_cast<WORD>(trigger.beginMonth);
    native.wBeginDay = static_cast<WORD>(trigger.beginDay);
    native.wStartHour = static_cast<WORD>(trigger.startHour);
    native.wStartMinute = static_cast<WORD>(trigger.startMinute);
    supported = true;
    switch (trigger.kind) {
        case TriggerKind::Once:
            native.TriggerType = TASK_TIME_TRIGGER_ONCE;
            break;
        case TriggerKind::Daily:
            native.TriggerType = TASK_TIME_TRIGGER_DAILY;
            native.Type.Daily.DaysInterval = static_cast<WORD>(trigger.interval);
            break;
        case TriggerKind::Weekly:
            native.TriggerType = TASK_TIME_TRIGGER_WEEKLY;
            native.Type.Weekly.WeeksInterval = static_cast<WORD>(trigger.interval);
            native.Type.Weekly.rgfDaysOfTheWeek = trigger.weekDays;
            break;
        case TriggerKind::MonthlyByDate:
            native.TriggerType = TASK_TIME_TRIGGER_MONTHLYDATE;
            native.Type.MonthlyDate.rgfDays = trigger.monthDays;
            native.Type.MonthlyDate.rgfMonths = trigger.months;
            break;
        case TriggerKind::Other:
            supported = false;
            break;
    }
    return native;
}

TaskTrigger FromNative(const TASK_TRIGGER& native) {
    TaskTrigger trigger;
    trigger.beginYear = native.wBeginYear;
    trigger.beginMonth = native.wBeginMonth;
    trigger.beginDay = native.wBeginDay;
    trigger.startHour = native.wStartHour;
    trigger.startMinute = native.wStartMinute;
    switch (native.TriggerType) {
        case TASK_TIME_TRIGGER_ONCE:
            trigger.kind = TriggerKind::Once;
            break;
        case TASK_TIME_TRIGGER_DAILY:
            trigger.kind = TriggerKind::Daily;
            trigger.interval = native.Type.Daily.DaysInterval;
            break;
        case TASK_TIME_TRIGGER_WEEKLY:
            trigger.kind = TriggerKind::Weekly;
            trigger.interval = native.Type.Weekly.WeeksInterval;
            trigger.weekDays = native.Type.Weekly.rgfDaysOfTheWeek;
            break;
        case TASK_TIME_TRIGGER_MONTHLYDATE:
            trigger.kind = TriggerKind::MonthlyByDate;
            trigger.monthDays = native.Type.MonthlyDate.rgfDays;
            trigger.months = native.Type.MonthlyDate.rgfMonths;
            break;
        default:
            trigger.kind = TriggerKind::Other;
            break;
    }
    return trigger;
}

// Replaces the triggers of `task` by `triggers`.
HRESULT WriteTriggers(ITask* task, const std::vector<TaskTrigger>& triggers) {
    WORD count = 0;
    HRESULT hr = task->GetTriggerCount(&count);
    if (FAILED(hr)) return hr;
    for (WORD left = count; left > 0; --left) {
        hr = task->DeleteTrigger(static_cast<WORD>(left - 1));
        if (FAILED(hr)) return hr;
    }
    for (const auto& trigger : triggers) {
        bool supported = false;
        TASK_TRIGGER native = ToNative(trigger, supported);
        if (!supported) return E_INVALIDARG;
        WORD index = 0;
        ComPtr<ITaskTrigger> created;
        hr = task->CreateTrigger(&index, created.put());
        if (FAILED(hr)) return hr;
        hr = created->SetTrigger(&native);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

HRESULT WriteTask(ITask* task, const TaskDefinition& definition) {
    const auto path = WidenName(definition.applicationPath);
    const auto parameters = WidenName(definition.parameters);
    const auto folder = WidenName(definition.workingDirectory);
    const auto comment = WidenName(definition.comment);
    const auto account = WidenName(definition.account);
    if (!path || !parameters || !folder || !comment || !account) return E_INVALIDARG;
    HRESULT hr;
    if (FAILED(hr = task->SetApplicationName(path->c_str()))) return hr;
    if (FAILED(hr = task->SetParameters(parameters->c_str()))) return hr;
    if (FAILED(hr = task->SetWorkingDirectory(folder->c_str()))) return hr;
    if (FAILED(hr = task->SetComment(comment->c_str()))) return hr;
    // The flag first: an account without a password is accepted only for run-if-logged-on tasks.
    if (FAILED(hr = task->SetFlags(definition.runOnlyIfLoggedOn ? TASK_FLAG_RUN_ONLY_IF_LOGGED_ON : 0)))
        return hr;
    if (!account->empty() && FAILED(hr = task->SetAccountInformation(account->c_str(), nullptr))) return hr;
    return WriteTriggers(task, definition.triggers);
}

}  // namespace

int32_t Win32TaskScheduler::connect() {
    const Session session;
    return session.result;
}

std::vector<std::string> Win32TaskScheduler::taskNames() {
    std::vector<std::string> names;
    const Session session;
    if (!session.scheduler) return names;
    ComPtr<IEnumWorkItems> items;
    if (FAILED(session.scheduler->Enum(items.put()))) return names;
    for (;;) {
        LPWSTR* batch = nullptr;
        ULONG fetched = 0;
        const HRESULT hr = items->Next(16, &batch, &fetched);
        for (ULONG i = 0; i < fetched; ++i) {
            std::string name = Narrow(batch[i]);
            // Work items are enumerated as their file names; the tasks themselves are named without ".job".
            if (name.size() > 4 && EqualsNoCase(std::string_view(name).substr(name.size() - 4), ".job"))
                name.resize(name.size() - 4);
            names.push_back(std::move(name));
            CoTaskMemFree(batch[i]);
        }
        CoTaskMemFree(batch);
        if (hr != S_OK || fetched == 0) break;
    }
    return names;
}

std::optional<TaskDefinition> Win32TaskScheduler::readTask(std::string_view name, int32_t* error) {
    auto fail = [error](HRESULT hr) -> std::optional<TaskDefinition> {
        if (error != nullptr) *error = hr;
        return std::nullopt;
    };
    const auto fileName = TaskFileName(name);
    if (!fileName) return fail(kBadName);
    const Session session;
    if (!session.scheduler) return fail(session.result);
    ComPtr<ITask> task;
    HRESULT hr =
        session.scheduler->Activate(fileName->c_str(), IID_ITask, reinterpret_cast<IUnknown**>(task.put()));
    if (FAILED(hr)) return fail(hr);

    TaskDefinition definition;
    definition.name = std::string(name);
    CoTaskText path, parameters, folder, comment, account;
    if (FAILED(hr = task->GetApplicationName(path.put()))) return fail(hr);
    definition.applicationPath = path.utf8();
    if (SUCCEEDED(task->GetParameters(parameters.put()))) definition.parameters = parameters.utf8();
    if (SUCCEEDED(task->GetWorkingDirectory(folder.put()))) definition.workingDirectory = folder.utf8();
    if (SUCCEEDED(task->GetComment(comment.put()))) definition.comment = comment.utf8();
    // Not every scheduler gives the account back (Wine keeps none); the task is still readable.
    if (SUCCEEDED(task->GetAccountInformation(account.put()))) definition.account = account.utf8();
    DWORD flags = 0;
    if (SUCCEEDED(task->GetFlags(&flags)))
        definition.runOnlyIfLoggedOn = (flags & TASK_FLAG_RUN_ONLY_IF_LOGGED_ON) != 0;

    WORD count = 0;
    if (FAILED(hr = task->GetTriggerCount(&count))) return fail(hr);
    for (WORD index = 0; index < count; ++index) {
        ComPtr<ITaskTrigger> trigger;
        if (FAILED(hr = task->GetTrigger(index, trigger.put()))) return fail(hr);
        TASK_TRIGGER native{};
        native.cbTriggerSize = sizeof(native);
        if (FAILED(hr = trigger->GetTrigger(&native))) return fail(hr);
        definition.triggers.push_back(FromNative(native));
    }
    return definition;
}

int32_t Win32TaskScheduler::saveTask(const TaskDefinition& definition) {
    const auto fileName = TaskFileName(definition.name);
    if (!fileName) return kBadName;
    const Session session;
    if (!session.scheduler) return session.result;
    // An existing task is changed in place, so a failed save never leaves the user without it.
    ComPtr<ITask> task;
    HRESULT hr =
        session.scheduler->Activate(fileName->c_str(), IID_ITask, reinterpret_cast<IUnknown**>(task.put()));
    if (FAILED(hr)) {
        hr = session.scheduler->NewWorkItem(fileName->c_str(), CLSID_CTask, IID_ITask,
                                            reinterpret_cast<IUnknown**>(task.put()));
        if (FAILED(hr)) return hr;
    }
    if (FAILED(hr = WriteTask(task.get(), definition))) return hr;
    const auto file = task.as<IPersistFile>(IID_IPersistFile);
    if (!file) return E_NOINTERFACE;
    return file->Save(nullptr, TRUE);
}

int32_t Win32TaskScheduler::deleteTask(std::string_view name) {
    const auto fileName = TaskFileName(name);
    if (!fileName) return kBadName;
    const Session session;
    if (!session.scheduler) return session.result;
    return session.scheduler->Delete(fileName->c_str());
}

}  // namespace trenmoor::platform::win32
