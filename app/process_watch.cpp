#include "app/process_watch.h"

#include <algorithm>

#include "engine/activity.h"

namespace vorn {

void CProcessWatch::ProcessStarted(HANDLE process, ActionIndex action, std::wstring_view program)
{
    if (!process) return;
    const auto free = std::find_if(slots_.begin(), slots_.end(), [](const Slot& slot) { return !slot.process; });
    if (free == slots_.end()) {
        waits_.Close(process);
        return;
    }
    free->process = process;
    free->ended = ActivityEvent{};
    free->ended.kind = ActivityKind::Exited;
    free->ended.action = action;
    free->ended.SetText(program);
    if (!waits_.Wait(process, static_cast<std::size_t>(free - slots_.begin()), &free->wait)) {
        free->wait = nullptr;
        Free(*free);
    }
}

void CProcessWatch::ProcessEnded(std::size_t slot)
{
    if (slot >= slots_.size() || !slots_[slot].process) return;
    Slot& watched = slots_[slot];
    DWORD code = 0;
    if (waits_.ExitCode(watched.process, &code)) {
        watched.ended.code = code;
        theActivity.Record(watched.ended);
    }
    Free(watched);
}

void CProcessWatch::StopAll()
{
    for (Slot& slot : slots_)
        if (slot.process) Free(slot);
}

std::size_t CProcessWatch::Watching() const
{
    return static_cast<std::size_t>(
        std::count_if(slots_.begin(), slots_.end(), [](const Slot& slot) { return slot.process != nullptr; }));
}

// The wait goes first: it names the handle.
void CProcessWatch::Free(Slot& slot)
{
    if (slot.wait) waits_.EndWait(slot.wait);
    waits_.Close(slot.process);
    slot = Slot{};
}

}  // namespace vorn
