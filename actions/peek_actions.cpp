#include <algorithm>

#include "actions/action_host.h"
#include "actions/handlers.h"
#include "actions/util.h"
#include "platform/port.h"
#include "settings/data.h"

namespace vorn::handlers {
namespace {

constexpr DWORD kFadeStepMs = 20;

// Fades in from 1 % towards the Window transparency setting, reading the
// setting again after every step so that a change made meanwhile sets both
// the bound and the final value.
void FadeIn(const CActionHost& host)
{
    int percent = theData.windowTransparency;
    const int step = std::max(percent / 10, 1);
    for (int current = 1; current <= percent; current += step) {
        theUtil.SetWindowTransparency(host.targetWindow, current);
        os::Clock().Sleep(kFadeStepMs);
        percent = theData.windowTransparency;
    }
    theUtil.SetWindowTransparency(host.targetWindow, percent);
}

void FadeOut(const CActionHost& host)
{
    const int percent = theData.windowTransparency;
    const int step = std::max(percent / 10, 1);
    for (int current = percent; current >= 0; current -= step) {
        theUtil.SetWindowTransparency(host.targetWindow, current);
        os::Clock().Sleep(kFadeStepMs);
    }
    theUtil.SetWindowTransparency(host.targetWindow, 0);
}

}  // namespace

void PeekDesktopMomentary(CActionHost& host)
{
    theUtil.ApplyToAllWindows(host.ending ? WindowSweep::UnpeekAll : WindowSweep::PeekAll);
}

void PeekDesktopPersistent(CActionHost& host)
{
    if (!host.ending) theUtil.ApplyToAllWindows(WindowSweep::PeekAll);
}

void PeekDesktopUndo(CActionHost& host)
{
    if (!host.ending) theUtil.ApplyToAllWindows(WindowSweep::UnpeekAll);
}

void PeekWindowMomentary(CActionHost& host)
{
    if (!theUtil.IsPeekTarget(host.targetWindow)) return;
    if (!theData.fadeTransparency)
        theUtil.SetWindowTransparency(host.targetWindow, host.ending ? 0 : theData.windowTransparency);
    else if (host.ending)
        FadeOut(host);
    else
        FadeIn(host);
}

// Runs in both phases: leaving peeks through whatever window is in front then
// and remembers that one instead.
void PeekWindowPersistent(CActionHost& host)
{
    if (!theUtil.IsPeekTarget(host.targetWindow)) return;
    host.savedWindow = host.targetWindow;
    theUtil.SetWindowTransparency(host.targetWindow, theData.windowTransparency);
}

// Sets 0 rather than any transparency the window had before the peek.
void PeekWindowUndo(CActionHost& host)
{
    if (host.ending || !host.savedWindow) return;
    theUtil.SetWindowTransparency(host.savedWindow, 0);
    host.savedWindow = nullptr;
}

// The taskbar's show-desktop command is a toggle: sent again on leaving, it
// brings the windows back.
void ShowDesktopMomentary(CActionHost& /*host*/) { theUtil.PostTaskbarCommand(kTaskbarShowDesktop); }

void ShowDesktopToggle(CActionHost& host)
{
    if (!host.ending) theUtil.PostTaskbarCommand(kTaskbarShowDesktop);
}

}  // namespace vorn::handlers
