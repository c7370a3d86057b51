// The wheel and the left button in a zone: while the pointer is in a zone
// that has a wheel or a click action, a low-level mouse hook hands every
// mouse event to CZoneInputFilter, which says at once whether the event is
// the zone's (kept from the window below) and which action it sets off. The
// engine aims the hook at the zone the pointer is in and releases it when the
// pointer leaves, so that nothing is hooked anywhere else.
#pragma once

#include <cstdint>

#include "engine/monitors.h"
#include "engine/zones.h"
#include "platform/win.h"
#include "settings/data.h"

namespace vorn {

// One notch of a wheel; high-resolution wheels and touchpads send parts of it.
inline constexpr int kWheelNotch = 120;

// The zone the hook serves: the zone rule of the look that found it, so that
// the hook judges each event's own point and never takes one outside.
struct ZoneInputTarget {
    EdgeZone zone = NoZone;
    // The assignments' slot (CData::AssignmentOn) of the monitor holding it.
    int slot = -1;
    // Which wheel and click sets hold an action: bit set - kModifierCount.
    std::uint16_t takes = 0;
    ZoneGeometry geometry{};
    // With corners on every monitor: the monitors and the one holding the zone.
    bool onMonitors = false;
    MonitorList monitors{};
    int monitor = -1;
    int sideLength = 0;
    // On the virtual screen, the monitor under the pointer when its sides run
    // across monitors (empty: the whole zone).
    RECT within{};

    bool Takes(ActionSet set) const { return set >= kModifierCount && ((takes >> (set - kModifierCount)) & 1) != 0; }
    bool Holds(POINT at) const;
    bool SameAs(const ZoneInputTarget& other) const;
};

// Which wheel and click sets of `zone` hold an action on the monitor of `slot`.
std::uint16_t ZoneInputTakes(const CData& data, int slot, EdgeZone zone);

enum class MouseInput : std::uint8_t { Wheel, LeftDown, LeftUp, Other };

struct ZoneInputAnswer {
    bool take = false;  // kept from the windows below
    ActionSet set = -1;
    int runs = 0;  // how often the action of `set` runs
};

// The hook's judgement, on the hook's thread alone: fed each mouse event
// with the modifier held, it answers without a system call.
class CZoneInputFilter {
public:
    // A new zone: the wheel's parts gathered in the last one do not count here.
    void Aim(const ZoneInputTarget& target)
    {
        target_ = target;
        wheel_ = 0;
    }
    // No zone: nothing more is taken, but the release of a press taken is.
    void Release() { Aim(ZoneInputTarget{}); }
    // A press was taken whose release must be taken too.
    bool PressTaken() const { return pressTaken_; }
    const ZoneInputTarget& Target() const { return target_; }

    ZoneInputAnswer Event(MouseInput input, POINT at, int wheelDelta, ModifierKey modifier);

private:
    ZoneInputTarget target_;
    int wheel_ = 0;  // parts of a notch gathered, signed as they came
    bool pressTaken_ = false;
    ModifierKey pressModifier_ = Plain;
};

// What the engine aims the hook through; the Win32 one runs the hook on a
// thread of its own, and answers come back to the main window as messages.
class IZoneInputHook {
public:
    virtual void Aim(const ZoneInputTarget& target) = 0;
    virtual void Release() = 0;

protected:
    ~IZoneInputHook() = default;
};

}  // namespace vorn
