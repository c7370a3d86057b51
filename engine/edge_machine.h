// The edge state machine: told where the pointer is, when, and whether a
// timer's tick or a movement brought the look, with the settings it needs
// and the screen, it decides what is to run: the ending of the zone left,
// the beginning of the zone entered, a dwell to wait out. It holds no
// globals and reads no clock; what it may ask about the moment (the mouse
// buttons, a full-screen program in front) it asks only when a rule needs it.
#pragma once

#include <array>
#include <cstdint>

#include "engine/zones.h"
#include "platform/win.h"
#include "settings/data.h"

namespace vorn {

// What of the settings the machine decides by, taken at every look.
struct EdgeSettings {
    bool enabled = true;
    bool quietWhileDragging = false;
    bool pauseInFullScreen = false;
    int dwellTime = 0;   // milliseconds
    int sideLength = 0;  // percent, for the zones on every monitor
};
EdgeSettings EdgeSettingsOf(const CData& data);

// One look at the pointer.
struct EdgeEvent {
    POINT at{};
    DWORD now = 0;      // tick count in milliseconds
    bool tick = false;  // a timer's look rather than a movement
    ZoneGeometry geometry{};
    // With corners on every monitor, the monitors; null for the virtual screen.
    const MonitorList* monitors = nullptr;
};

// Questions whose answer costs or changes something: GetAsyncKeyState's low
// bit is taken by the asking, so they are asked only when a rule needs them.
class IEdgeSenses {
public:
    struct Buttons {
        bool downNow;
        bool pressedSince;  // since the buttons were last asked about
    };
    virtual Buttons MouseButtons() = 0;
    virtual bool FullScreenInFront() = 0;

protected:
    ~IEdgeSenses() = default;
};

struct EdgeDecision {
    enum Kind : std::uint8_t {
        // The dwell in the zone ends in `ms`: look again then. `restart`: a
        // dwell in another zone began, so a wait already set no longer counts.
        LookAgain,
        // No dwell waits any more.
        ForgetLookAgain,
        // The ending of `zone`'s assignment.
        RunEnding,
        // The zone was left while edge actions are off: the next dispatch
        // runs in the ending phase.
        EndingPending,
        // The beginning of `zone`'s assignment.
        RunBeginning,
    };
    Kind kind;
    EdgeZone zone = NoZone;
    DWORD ms = 0;
    bool restart = false;

    bool operator==(const EdgeDecision&) const = default;
};

// A look decides at most a wait and a zone's ending and beginning; a fixed
// list, so that a look allocates nothing.
struct EdgeDecisions {
    std::array<EdgeDecision, 4> items{};
    int count = 0;

    void Add(const EdgeDecision& decision) { items[static_cast<std::size_t>(count++)] = decision; }
    const EdgeDecision* begin() const { return items.data(); }
    const EdgeDecision* end() const { return items.data() + count; }
};

class CEdgeMachine {
public:
    EdgeDecisions Step(const EdgeEvent& event, const EdgeSettings& settings, IEdgeSenses& senses);

    // Something waits for the next look whatever the pointer's place: a zone
    // entered, one reached with a button down, or the return from a lock.
    bool Waiting() const { return currentZone != NoZone || heldZone_ != NoZone || resumed_; }
    // The point lies where no zone reaches, as the last look at the screen found it.
    bool FarFromEdges(POINT at) const;
    void MeasureScreen(const ZoneGeometry& geometry);
    // The dwell begun is forgotten (the session went away).
    void ForgetDwell() { dwellZone_ = NoZone; }
    // Back from a lock or sleep: the zone under the pointer at the next look
    // is entered only afresh.
    void Resumed() { resumed_ = true; }

    // The zone of the pointer at the last look.
    EdgeZone currentZone = NoZone;

private:
    bool ButtonHeldSinceLastLook(const EdgeSettings& settings, IEdgeSenses& senses);
    // How much longer the pointer must stay in `zone`, counted from the first
    // look that found it there; 0 once it has stayed long enough.
    DWORD DwellLeft(EdgeZone zone, DWORD now, int dwellTime, bool& restarted);
    void Forget(EdgeDecisions& decisions);

    EdgeZone dwellZone_ = NoZone;
    DWORD dwellSince_ = 0;
    bool buttonDownAtLastLook_ = false;
    // The zone the pointer reached with a button down, entered only afresh.
    EdgeZone heldZone_ = NoZone;
    bool resumed_ = false;
    RECT farFromEdges_{};
};

}  // namespace vorn
