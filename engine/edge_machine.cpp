#include "engine/edge_machine.h"

#include <algorithm>
#include <utility>

namespace vorn {

EdgeSettings EdgeSettingsOf(const CData& data)
{
    return EdgeSettings{data.enabled,   data.quietWhileDragging, data.pauseInFullScreen,
                        data.dwellTime, data.zoneDwell,          data.sideLength};
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

DWORD CEdgeMachine::DwellLeft(const Place& place, DWORD now, int wait, bool& restarted)
{
    if (wait <= 0) return 0;
    if (place != dwell_) {
        dwell_ = place;
        dwellSince_ = now;
        dwellWait_ = static_cast<DWORD>(wait);
        dwellMet_ = false;
        restarted = true;
    }
    const DWORD stayed = now - dwellSince_;
    const auto dwell = static_cast<DWORD>(wait);
    if (stayed < dwell) return dwell - stayed;
    dwellMet_ = true;
    return 0;
}

void CEdgeMachine::Forget(EdgeDecisions& decisions, DWORD now)
{
    CutDwellShort(decisions, now);
    dwell_ = {};
    decisions.Add({EdgeDecision::ForgetLookAgain});
}

void CEdgeMachine::CutDwellShort(EdgeDecisions& decisions, DWORD now)
{
    if (dwell_.zone != NoZone && !dwellMet_) {
        EdgeDecision cut{EdgeDecision::NotEntered, dwell_.zone, now - dwellSince_};
        cut.reason = EdgeDecision::WaitCutShort;
        cut.wait = dwellWait_;
        decisions.Add(cut);
    }
    dwell_ = {};
}

void CEdgeMachine::Refuse(EdgeDecisions& decisions, const Place& place, EdgeDecision::Reason reason)
{
    if (place == refused_) return;
    refused_ = place;
    EdgeDecision refusal{EdgeDecision::NotEntered, place.zone};
    refusal.reason = reason;
    decisions.Add(refusal);
}

// Only a look that finds a zone asks which monitor it lies on: the monitors
// were read at the display's last change, so this is a walk through at most
// kMaxMonitors rectangles.
CEdgeMachine::Place CEdgeMachine::PlaceOf(const EdgeEvent& event, const EdgeSettings& settings, int& slot)
{
    slot = -1;
    const ZoneGeometry& geometry = event.geometry;
    if (!event.monitors) {
        const EdgeZone zone = ZoneOfPoint(event.at, geometry);
        if (zone == NoZone) return {};
        if (event.connected) slot = event.connected->SlotAt(event.connected->IndexAt(event.at));
        return {zone, slot};
    }
    int monitor = -1;
    const EdgeZone zone = ZoneOnMonitors(event.at, *event.monitors, geometry.cornerSize, geometry.sideWidth,
                                         settings.sideLength, &monitor);
    if (zone == NoZone) return {};
    // Matched by rectangle: the list of this look and the cache of the last
    // display change name the same monitors in their places; one not matched
    // (the displays changing under the look) runs the shared assignments.
    if (const CMonitorCache* connected = event.connected)
        slot = connected->SlotAt(connected->IndexOf(event.monitors->rects[static_cast<std::size_t>(monitor)]));
    return {zone, monitor};
}

EdgeDecisions CEdgeMachine::Step(const EdgeEvent& event, const EdgeSettings& settings, IEdgeSenses& senses)
{
    EdgeDecisions decisions;
    MeasureScreen(event.geometry);
    int slot = -1;
    Place place = PlaceOf(event, settings, slot);
    pointer_ = place;
    pointerSlot_ = slot;
    if (place != refused_) refused_ = {};
    // Quiet while dragging: a zone reached with a button down (a file or a
    // window dragged, text selected) is not entered, and after the release
    // only when the pointer enters it afresh. The buttons are asked at every
    // tick, so that a press counts until the next one, and between ticks only
    // when a zone would be entered: a movement comes too often (Wine, for
    // one, answers such quick questions from a cache that can miss a button
    // just pressed).
    const bool entering = place.zone != NoZone && place != current_;
    const bool buttonHeld = (event.tick || entering) && ButtonHeldSinceLastLook(settings, senses);
    if (place != held_) held_ = {};
    // Back from a lock or sleep, the pointer may rest in a zone the user did
    // not just move into: that one too is entered only afresh.
    if (std::exchange(resumed_, false) && entering) held_ = place;
    if (entering) {
        if (settings.quietWhileDragging && buttonHeld) {
            if (held_ != place) Refuse(decisions, place, EdgeDecision::ButtonHeld);
            held_ = place;
        }
        if (place == held_) {
            Forget(decisions, event.now);
            if (currentZone == NoZone) return decisions;
            place = {};
        }
    }
    if (place == current_) {
        Forget(decisions, event.now);
        return decisions;
    }
    // A zone not yet dwelt in is not entered; the zone left still ends.
    if (place.zone != NoZone) {
        bool restarted = false;
        const int wait = settings.WaitOf(place.zone);
        if (place != dwell_) CutDwellShort(decisions, event.now);
        if (const DWORD left = DwellLeft(place, event.now, wait, restarted)) {
            decisions.Add({EdgeDecision::LookAgain, place.zone, left, restarted});
            if (currentZone == NoZone) return decisions;
            place = {};
        }
    }
    // Asked only when something would happen: a full-screen program in front,
    // or one of the quiet list, keeps every zone from being entered, but a
    // phase begun before it came still ends when the pointer leaves.
    if (place.zone != NoZone) {
        EdgeDecision::Reason quiet = EdgeDecision::NoReason;
        if (senses.QuietProgramInFront())
            quiet = EdgeDecision::QuietProgram;
        else if (settings.pauseInFullScreen && senses.FullScreenInFront())
            quiet = EdgeDecision::FullScreen;
        if (quiet != EdgeDecision::NoReason) {
            Refuse(decisions, place, quiet);
            if (currentZone == NoZone) return decisions;
            place = {};
        }
    }
    // Leaving while disabled leaves the ending phase pending: the next
    // dispatch after re-enabling runs in the ending phase.
    if (currentZone != NoZone)
        decisions.Add({settings.enabled ? EdgeDecision::RunEnding : EdgeDecision::EndingPending, currentZone, 0, false,
                       currentSlot});
    current_ = place;
    currentZone = place.zone;
    currentSlot = place.zone != NoZone ? slot : -1;
    if (place.zone != NoZone) {
        // The next zone must be dwelt in afresh.
        dwell_ = {};
        if (settings.enabled)
            decisions.Add({EdgeDecision::RunBeginning, place.zone, 0, false, slot});
        else
            Refuse(decisions, place, EdgeDecision::Disabled);
    }
    return decisions;
}

}  // namespace vorn
