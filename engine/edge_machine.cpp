#include "engine/edge_machine.h"

#include <algorithm>
#include <utility>

namespace vorn {

EdgeSettings EdgeSettingsOf(const CData& data)
{
    return EdgeSettings{data.enabled, data.quietWhileDragging, data.pauseInFullScreen, data.dwellTime, data.sideLength};
}

bool CEdgeMachine::FarFromEdges(POINT at) const
{
    const RECT& r = farFromEdges_;
    return r.right > r.left && at.x >= r.left && at.x < r.right && at.y >= r.top && at.y < r.bottom;
}

// The part of the screen no zone reaches into, for the movements to come.
void CEdgeMachine::MeasureScreen(const ZoneGeometry& geometry)
{
    const int reach = std::max(geometry.cornerSize, geometry.sideWidth) + 1;
    farFromEdges_ = RECT{reach, reach, geometry.screenWidth - reach, geometry.screenHeight - reach};
}

// The asking reports a press since the last asking, so a window pulled into
// a corner and let go between two looks still counts as a drag; and a button
// down at the last look and up now was down in between. Another program
// asking about the same buttons can take that report first: such a drop then
// counts only when the button was down at a look.
bool CEdgeMachine::ButtonHeldSinceLastLook(const EdgeSettings& settings, IEdgeSenses& senses)
{
    if (!settings.quietWhileDragging) {
        buttonDownAtLastLook_ = false;
        return false;
    }
    const IEdgeSenses::Buttons buttons = senses.MouseButtons();
    const bool held = buttons.downNow || buttons.pressedSince || buttonDownAtLastLook_;
    buttonDownAtLastLook_ = buttons.downNow;
    return held;
}

DWORD CEdgeMachine::DwellLeft(EdgeZone zone, DWORD now, int dwellTime, bool& restarted)
{
    if (dwellTime <= 0) return 0;
    if (zone != dwellZone_) {
        dwellZone_ = zone;
        dwellSince_ = now;
        restarted = true;
    }
    const DWORD stayed = now - dwellSince_;
    const auto dwell = static_cast<DWORD>(dwellTime);
    return stayed >= dwell ? 0 : dwell - stayed;
}

void CEdgeMachine::Forget(EdgeDecisions& decisions)
{
    dwellZone_ = NoZone;
    decisions.Add({EdgeDecision::ForgetLookAgain});
}

EdgeDecisions CEdgeMachine::Step(const EdgeEvent& event, const EdgeSettings& settings, IEdgeSenses& senses)
{
    EdgeDecisions decisions;
    const ZoneGeometry& geometry = event.geometry;
    MeasureScreen(geometry);
    EdgeZone zone = event.monitors ? ZoneOnMonitors(event.at, *event.monitors, geometry.cornerSize, geometry.sideWidth,
                                                    settings.sideLength)
                                   : ZoneOfPoint(event.at, geometry);
    // Quiet while dragging: a zone reached with a button down (a file or a
    // window dragged, text selected) is not entered, and after the release
    // only when the pointer enters it afresh. The buttons are asked at every
    // tick, so that a press counts until the next one, and between ticks only
    // when a zone would be entered: a movement comes too often (Wine, for
    // one, answers such quick questions from a cache that can miss a button
    // just pressed).
    const bool entering = zone != NoZone && zone != currentZone;
    const bool buttonHeld = (event.tick || entering) && ButtonHeldSinceLastLook(settings, senses);
    if (zone != heldZone_) heldZone_ = NoZone;
    // Back from a lock or sleep, the pointer may rest in a zone the user did
    // not just move into: that one too is entered only afresh.
    if (std::exchange(resumed_, false) && entering) heldZone_ = zone;
    if (entering) {
        if (settings.quietWhileDragging && buttonHeld) heldZone_ = zone;
        if (zone == heldZone_) {
            Forget(decisions);
            if (currentZone == NoZone) return decisions;
            zone = NoZone;
        }
    }
    if (zone == currentZone) {
        Forget(decisions);
        return decisions;
    }
    // A zone not yet dwelt in is not entered; the zone left still ends.
    if (zone != NoZone) {
        bool restarted = false;
        if (const DWORD left = DwellLeft(zone, event.now, settings.dwellTime, restarted)) {
            decisions.Add({EdgeDecision::LookAgain, zone, left, restarted});
            if (currentZone == NoZone) return decisions;
            zone = NoZone;
        }
    }
    // Asked only when something would happen: a full-screen program in front
    // keeps every zone from being entered, but a phase begun before it came
    // still ends when the pointer leaves.
    if (settings.pauseInFullScreen && senses.FullScreenInFront()) {
        if (currentZone == NoZone) return decisions;
        zone = NoZone;
    }
    // Leaving while disabled leaves the ending phase pending: the next
    // dispatch after re-enabling runs in the ending phase.
    if (currentZone != NoZone)
        decisions.Add({settings.enabled ? EdgeDecision::RunEnding : EdgeDecision::EndingPending, currentZone});
    currentZone = zone;
    if (zone != NoZone) {
        // The next zone must be dwelt in afresh.
        dwellZone_ = NoZone;
        if (settings.enabled) decisions.Add({EdgeDecision::RunBeginning, zone});
    }
    return decisions;
}

}  // namespace vorn
