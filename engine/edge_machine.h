// The edge state machine: told where the pointer is, when, and whether a
// timer's tick or a movement brought the look, with the settings it needs
// and the screen, it decides what is to run: the ending of the zone left,
// the beginning of the zone entered, a dwell to wait out. It holds no
// globals and reads no clock; what it may ask about the moment (the mouse
// buttons, a full-screen or quiet program in front) it asks only when a rule
// needs it.
#pragma once

#include <array>
#include <cstdint>

#include "engine/monitor_cache.h"
#include "engine/zones.h"
#include "platform/win.h"
#include "settings/data.h"

namespace vorn {

// What of the settings the machine decides by, taken at every look.
struct EdgeSettings {
    bool enabled = true;
    bool quietWhileDragging = false;
    bool pauseInFullScreen = false;
    int dwellTime = 0;  // milliseconds, for a zone without a wait of its own
    // Each zone's own wait in milliseconds; kDwellAsSetting: the dwell time.
    // Taken as the settings hold it and resolved only for a zone found: a
    // look copies it, nothing more.
    std::array<std::int32_t, kZoneCount> zoneDwell = [] {
        std::array<std::int32_t, kZoneCount> waits{};
        waits.fill(kDwellAsSetting);
        return waits;
    }();
    int sideLength = 0;  // percent, for the zones on every monitor

    // How long the pointer must stay in `zone` before it is entered.
    int WaitOf(EdgeZone zone) const
    {
        const std::int32_t own = zoneDwell[static_cast<std::size_t>(zone)];
        return own == kDwellAsSetting ? dwellTime : own;
    }
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
    // The connected monitors with the slots of their assignments; null: every
    // monitor runs the shared ones.
    const CMonitorCache* connected = nullptr;
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
    // A program the user named is in front: quiet as a full-screen one with
    // the pause on. Senses that know of no such list answer no.
    virtual bool QuietProgramInFront() { return false; }

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
        // `zone` was not entered, for `reason`; for a wait cut short, the
        // pointer stayed `ms` of the zone's `wait`.
        NotEntered,
    };
    // Why a zone was not entered.
    enum Reason : std::uint8_t {
        NoReason,
        Disabled,
        FullScreen,
        QuietProgram,
        ButtonHeld,
        WaitCutShort,
    };
    Kind kind;
    EdgeZone zone = NoZone;
    DWORD ms = 0;
    bool restart = false;
    // The assignments to run: those of the monitor where the zone was
    // entered (a slot for CData::AssignmentOn; -1: the shared ones).
    int slot = -1;
    Reason reason = NoReason;
    DWORD wait = 0;

    bool operator==(const EdgeDecision&) const = default;
};

// A look decides at most a wait cut short, a wait, a zone's ending and its
// beginning or why it was not entered; a fixed list, so that a look
// allocates nothing.
struct EdgeDecisions {
    std::array<EdgeDecision, 6> items{};
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
    bool Waiting() const { return currentZone != NoZone || held_.zone != NoZone || resumed_; }
    // The point lies where no zone reaches, as the last look at the screen found it.
    bool FarFromEdges(POINT at) const;
    void MeasureScreen(const ZoneGeometry& geometry);
    // The dwell begun is forgotten (the session went away).
    void ForgetDwell() { dwell_ = {}; }
    // Back from a lock or sleep: the zone under the pointer at the next look
    // is entered only afresh.
    void Resumed() { resumed_ = true; }

    // Where the pointer was at the last look, entered or not (a wait, a
    // button held, a full-screen program): the wheel and the click work there.
    EdgeZone PointerZone() const { return pointer_.zone; }
    int PointerSlot() const { return pointerSlot_; }
    // With corners on every monitor, the index of the monitor holding it.
    int PointerMonitor() const { return pointer_.monitor; }

    // The zone of the pointer at the last look.
    EdgeZone currentZone = NoZone;
    // The slot of the assignments of the monitor where it was entered (-1:
    // the shared ones, or no zone).
    int currentSlot = -1;

private:
    // A zone on a monitor: the same zone on another monitor is another place.
    // With corners on every monitor the monitor is the one holding the zone;
    // on the virtual screen, whose sides run across monitors, it is the set
    // of assignments the monitor under the pointer has.
    struct Place {
        EdgeZone zone = NoZone;
        int monitor = -1;
        bool operator==(const Place&) const = default;
    };
    // The place of the pointer, and the slot of the assignments there.
    static Place PlaceOf(const EdgeEvent& event, const EdgeSettings& settings, int& slot);
    bool ButtonHeldSinceLastLook(const EdgeSettings& settings, IEdgeSenses& senses);
    // How much longer the pointer must stay at `place`, counted from the
    // first look that found it there; 0 once it has stayed long enough.
    DWORD DwellLeft(const Place& place, DWORD now, int wait, bool& restarted);
    void Forget(EdgeDecisions& decisions, DWORD now);
    // The wait begun at `dwell_` ends before it ran out: told as the reason.
    void CutDwellShort(EdgeDecisions& decisions, DWORD now);
    // Why `place` is not entered, told once while the pointer stays there.
    void Refuse(EdgeDecisions& decisions, const Place& place, EdgeDecision::Reason reason);

    Place current_;
    Place pointer_;
    int pointerSlot_ = -1;
    Place dwell_;
    DWORD dwellSince_ = 0;
    DWORD dwellWait_ = 0;
    // The pointer stayed the whole wait (and a quiet program kept it out).
    bool dwellMet_ = false;
    // The place a refusal was last told for, until the pointer leaves it.
    Place refused_;
    bool buttonDownAtLastLook_ = false;
    // Where the pointer arrived with a button down, entered only afresh.
    Place held_;
    bool resumed_ = false;
    RECT farFromEdges_{};
};

}  // namespace vorn
