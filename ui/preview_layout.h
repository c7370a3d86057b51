// Where the full-screen preview paints each zone and writes its action, for a
// screen of a given size and the zone settings of theData.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "engine/monitors.h"

#include "platform/win.h"
#include "settings/data.h"

namespace vorn {

enum class TextAlign {
    Left,
    Centre,
    Right
};

struct PreviewText {
    EdgeZone zone;
    std::wstring text;  // the zone's action for the modifier
    int escapement;     // tenths of a degree: -350, 350, 0 or 900
    TextAlign align;    // of the text's top edge at `at`
    POINT at;
    int dpi = 96;       // the scale of the monitor it is on, for its font
    // The zone's wheel and click actions for the modifier, a line written
    // after the first at `moreAt`; empty when it has none.
    std::wstring more;
    POINT moreAt{};
};

struct PreviewLayout {
    std::array<RECT, kZoneCount> areas;         // the red areas, by zone
    std::array<PreviewText, kZoneCount> texts;  // in the order they are drawn
    RECT label;                                 // the caption in the middle
    RECT close;                                 // the Close button
};

// The connected monitors with the slot of each in theData.monitorAssignments,
// matched by device path once per opening of the preview: which monitor's
// assignments a place on the screen shows.
struct MonitorSlots {
    struct Monitor {
        RECT rect;
        int slot;           // -1: no assignments of its own
        std::wstring title; // "2. Display2"
    };
    std::vector<Monitor> monitors;

    // The slot of the monitor holding the point; -1 where none holds it.
    int At(POINT point) const;
};
// The monitors connected now (the display configuration is read).
MonitorSlots ConnectedMonitorSlots();

// At `dpi`, the texts' distances from the edges, the caption and the Close
// button grow with the scale; the zones are the screen's own pixels. Each
// zone's text is the assignment of the monitor holding the zone's spot on the
// screen's edge (its corner pixel, its side's middle).
PreviewLayout ComputePreviewLayout(int screenWidth, int screenHeight, ModifierKey modifier, int dpi = 96,
                                   const MonitorSlots& slots = {});

// What the preview window paints, in its own coordinates, and where it lies.
struct PreviewPicture {
    RECT window;  // on the screen
    std::vector<RECT> areas;
    std::vector<PreviewText> texts;
    RECT label;
    RECT close;
};

// The picture for the settings now. On the virtual screen: the layout above
// for a window at (0, 0). With corners on every monitor: a window over the
// whole virtual screen and every monitor's zones, each painted only where it
// is a zone (the desktop's outer boundary) and its text only when some of it
// is; the caption and Close button in the middle of the primary monitor.
// `dpiOf(i)`: the scale of monitor i (of the virtual screen's monitor, 0,
// without corners on every monitor); 96 for all when not given. With corners
// on every monitor each monitor's texts are its own assignments.
PreviewPicture ComputePreviewPicture(int screenWidth, int screenHeight, ModifierKey modifier,
                                     const std::function<int(int)>& dpiOf = {}, const MonitorSlots& slots = {});
PreviewPicture ComputeMonitorsPreview(const MonitorList& monitors, ModifierKey modifier,
                                      const std::function<int(int)>& dpiOf = {}, const MonitorSlots& slots = {});

// The zone's wheel and click actions for the modifier on the monitor of
// `slot` that do something: "Wheel: Volume up / Volume down; Click: Screen
// saver on", "Wheel down: Next desktop"; empty when none does.
std::wstring WheelAndClickText(int slot, ModifierKey modifier, EdgeZone zone);

// "Shift key actions", "Ctrl key actions", or the invitation to press one.
const wchar_t* PreviewLabel(ModifierKey modifier);

// The zones and their actions as the preview shows them, in words, for a
// screen reader: "Upper left corner: Peek desktop momentary. Upper right
// corner: ..." in the zones' order, a zone's wheel and click actions after
// its own: "Right side: Tile right; wheel up: Volume up; click: Sleep.";
// then what a connected monitor has of its own: "On 2. Display2, lower
// right corner: Task view.", "On 2. Display2, right side on click: Sleep."
std::wstring PreviewDescription(ModifierKey modifier, const MonitorSlots& slots = {});

}  // namespace vorn
