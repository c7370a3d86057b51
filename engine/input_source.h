// Where the edge engine's looks at the pointer come from: the poll, twice a
// second unless set otherwise, or with instant response the pointer's raw
// input, the poll running beside it only where raw input cannot tell of
// every movement (a pen or touch screen, or a pointer moved without raw
// input until it rests); another try at raw input when asking for it failed,
// and the look that ends a zone's dwell. It owns these timers of the main
// window and hands every look to its sink.
#pragma once

#include "engine/edge_machine.h"
#include "platform/win.h"

namespace vorn {

inline constexpr UINT_PTR kEdgeTimerId = 3;
inline constexpr UINT kEdgePollMs = 500;  // the default poll interval
// With instant response: the end of a zone's dwell (one-shot), and another
// try at the movements after asking for them failed.
inline constexpr UINT_PTR kDwellTimerId = 6;
inline constexpr UINT_PTR kRetryTimerId = 8;
inline constexpr UINT kRetryMs = 30000;
// A pen or touch screen plugged in or taken away: looked for once the burst
// of device messages Windows sends has ended.
inline constexpr UINT_PTR kDevicesTimerId = 10;
inline constexpr UINT kDevicesSettleMs = 500;

class IPointerSink {
public:
    // The pointer at `at`, looked at by a tick of a timer or else brought by
    // a movement.
    virtual void PointerAt(POINT at, bool tick) = 0;
    // A movement that needs no look at the screen: far from every zone, with
    // nothing waiting.
    virtual bool Unremarkable(POINT at) const = 0;
    // The pointer cannot be read: the secure desktop has the input (lock
    // screen, elevation prompt), where a modifier held now would stay down.
    virtual void PointerLost() = 0;
    // Keys are held for a custom action: the poll goes on, so that a read
    // that fails lets them go.
    virtual bool HoldingKeys() const = 0;
    // Movements decide the zones from now on, or no longer.
    virtual void InstantChanged(bool instant) = 0;

protected:
    ~IPointerSink() = default;
};

// The senses the machine asks, answered by the port.
class CPortSenses final : public IEdgeSenses {
public:
    Buttons MouseButtons() override;
    bool FullScreenInFront() override;
};

class CInputSource {
public:
    explicit CInputSource(IPointerSink& sink) : sink_(sink) {}

    // Starts the poll at the interval of the settings on `window`, or
    // instant response when that is on.
    void Start(HWND window);
    // Raw input is no longer asked for, so no registration outlives the
    // window it names.
    void Stop();
    // Away (locked, disconnected, asleep): no look reads the pointer; and back.
    void Suspend() { suspended_ = true; }
    void Resume() { suspended_ = false; }
    // Instant response on or off, a pen or touch screen, the poll interval.
    void SettingsChanged();
    // Devices came or went: whether a pen or touch screen is there is asked
    // again shortly, once per burst.
    void DevicesChanged();
    // A tick of one of this source's timers (false: none of them).
    bool OnTimer(UINT_PTR timerId);
    // The pointer's raw input (WM_INPUT): with instant response, a look now.
    void OnPointerInput();
    // A look by the poll.
    void Poll();
    // The machine's waits for a dwell: with instant response a one-shot
    // timer looks again when it is over; the poll looks anyway.
    void LookAgainIn(DWORD ms, bool restart);
    void ForgetLookAgain();

    bool Instant() const { return instant_; }

private:
    void StartPoll();
    void StopPoll();
    // Asks for the pointer's raw input; on failure polls and tries again later.
    void TryInstant();
    void LeaveInstant();
    static void ForgetRawInput();
    // With instant response, a look at the pointer that no movement brought
    // (a tick of the poll or of the dwell).
    void Look();
    // The pointer now; false while away or when the read fails.
    bool ReadPointer(POINT& at);
    void LookForDigitizer();
    // Whether a pointer moves where raw input does not tell: a pen or a touch
    // screen is there.
    static bool HasDigitizer();

    IPointerSink& sink_;
    HWND window_ = nullptr;
    UINT pollMs_ = kEdgePollMs;
    // The poll's timer is set (always without instant response).
    bool polling_ = false;
    bool dwellTimerArmed_ = false;
    // Instant response: movements arrive; or they failed and a retry waits.
    bool instant_ = false;
    bool retrying_ = false;
    // A pen or touch screen: with instant response the poll runs beside the
    // movements all the time.
    bool digitizer_ = false;
    // Where the pointer was at the last look, whatever brought it.
    POINT lastPoint_{-1, -1};
    bool suspended_ = false;
    bool devicesTimerArmed_ = false;
};

}  // namespace vorn
