// The floating on-screen buttons as data: one CButtonInfo per button, all of
// them in theButtons, newest first, which is also the order of the file's
// sections. Geometry is held in the coordinates of the
// editor's picture of the screen, in which the whole virtual screen is the
// rectangle (9, 10)-(220, 169), so that buttons keep their relative place when
// the resolution changes. Every change saves the settings file. The floating
// windows themselves are made by the host the windows side installs.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "actions/catalogue.h"
#include "platform/win.h"
#include "settings/data.h"

namespace vorn {

class ProfileFile;

// The screen area of the diagram.
inline constexpr int kDiagramLeft = 9;
inline constexpr int kDiagramTop = 10;
inline constexpr int kDiagramRight = 220;
inline constexpr int kDiagramBottom = 169;
inline constexpr double kDiagramWidth = 211.0;
inline constexpr double kDiagramHeight = 159.0;

// More buttons than this are not shown: each is a window of its own, and a
// hand-edited file with thousands would use up the process's window quota and
// freeze the start. The sections beyond are kept and written back unchanged.
inline constexpr int kMaxButtons = 256;

// What the model asks of a floating window.
class IButtonWindow {
public:
    virtual ~IButtonWindow() = default;
    virtual HWND Handle() const = 0;
    // Moves and shows the window (it stays topmost by its own style).
    virtual void Place(const RECT& screen) = 0;
    // The caption on the button; CR LF breaks lines.
    virtual void SetText(const std::wstring& text) = 0;
    // The resizable border, shown while the Buttons page is open.
    virtual void SetSizingFrame(bool on) = 0;
};

// The windows side of the buttons: their windows and the dispatch. Every
// operation does nothing until something overrides it.
class IButtonsHost {
public:
    virtual ~IButtonsHost() = default;
    virtual std::unique_ptr<IButtonWindow> CreateButtonWindow(int /*id*/) { return nullptr; }
    // The main window's RunAction.
    virtual void RunAction(ActionIndex /*index*/, bool /*ending*/, HWND /*target*/) {}
    // Gives the keyboard focus back to the main window, when there is one,
    // and keeps it above the new button if it was on top.
    virtual void FocusMainWindow() {}
};

// The editor's picture of the buttons, while there is one.
class IButtonsDiagram {
public:
    virtual ~IButtonsDiagram() = default;
    // Repaint a diagram rectangle; null: all of it.
    virtual void RepaintDiagram(const RECT* diagramRect) = 0;
    // Forget the selection.
    virtual void ClearDiagramSelection() = 0;
};

class CButtonInfo {
public:
    // A button showing "No action" everywhere, with the scale factors of the
    // virtual screen now and its (hidden) window when there is a host.
    CButtonInfo(int id, IButtonsHost* host);
    virtual ~CButtonInfo();
    CButtonInfo(const CButtonInfo&) = delete;
    CButtonInfo& operator=(const CButtonInfo&) = delete;

    RECT ToScreen(const RECT& diagram) const;
    RECT ToDiagram(const RECT& screen) const;

    double scaleX;  // virtual-screen width / 211, taken when built
    double scaleY;  // virtual-screen height / 159, taken when built
    int id;
    // Plain, Shift, Ctrl (the ModifierKey order).
    std::array<ActionIndex, 3> actions;
    // Percent as stored; the alpha is computed from it held to 0...100.
    int transparency = 0;
    // The user typed the caption: the editor stops making it from the actions.
    bool keepTitle = false;
    bool selected = false;
    std::wstring caption = L"No action";
    RECT diagramRect{};
    RECT screenRect{};
    std::unique_ptr<IButtonWindow> window;
};

// A [Button N] section beyond kMaxButtons, kept as read: its values in the
// order the keys are written. An action name that named a custom action is
// held by its index as well, so that it follows renames and deletions like a
// shown button's and is right when a later start shows the button.
struct StoredButtonSection {
    std::array<std::wstring, 10> values;
    // Plain, ctrl, shift (the order of the keys); -1 where the text is kept.
    std::array<ActionIndex, 3> customActions{-1, -1, -1};
};

class CButtons {
public:
    CButtons() = default;
    CButtons(const CButtons&) = delete;
    CButtons& operator=(const CButtons&) = delete;
    ~CButtons();

    // Installed once by the windows side; tests install their own. Null
    // leaves buttons without windows.
    void SetHost(IButtonsHost* host) { host_ = host; }
    IButtonsHost* Host() const { return host_; }
    // The editor's picture, while the Buttons page exists.
    void SetDiagram(IButtonsDiagram* diagram) { diagram_ = diagram; }

    int NextFreeId() const;
    int AddButton(bool select, int left, int top, int right, int bottom);
    void DeleteButton(int id);
    void DeleteAllButtons();
    // The newest button whose diagram rectangle holds the point, or -1.
    int HitTest(POINT diagramPoint) const;
    RECT GetDiagramRect(int id) const;
    std::wstring GetCaption(int id) const;
    void SetCaption(int id, const std::wstring& text);
    void SetAction(int id, int slot, ActionIndex index);
    void SetKeepTitle(int id, bool keep);
    void SetTransparency(int id, int percent);
    void SetDiagramRect(CButtonInfo& button, const RECT& rect);
    // Moves by (dx, dy) diagram units, stopping at the edges of the screen area.
    void MoveButtonBy(int id, int dx, int dy);
    // Moves the right and bottom edges by (dWidth, dHeight) diagram units,
    // stopping at the edges of the screen area and at a size of one unit.
    void ResizeButtonBy(int id, int dWidth, int dHeight);
    // The user resized the floating window to `rect` (screen pixels).
    void SetScreenRect(int id, const RECT& rect);
    // The user let go of the frame: a window sized where no button can be
    // stored is put where the stored button is.
    void FinishScreenSizing(int id);

    // Group operations, with the first selected button as the reference.
    void MakeSameSize();
    void MakeSameTransparency();
    void AlignTops();
    void AlignBottoms();
    void AlignLeftSides();
    void AlignRightSides();

    // The sizing frame on every floating window (the Buttons page is open).
    void SetSizingFrames(bool on);

    // A press (ending false) or release of the button: its action for the
    // modifier held (read now unless the mouse message gave it), on `target`
    // (null: the foreground window).
    void RunButtonAction(int id, HWND target, bool ending, std::optional<ModifierKey> modifier = {});

    // Passes every button action to `remap`, which may change it (custom
    // actions deleted and compacted). Saves nothing.
    void RemapActions(const std::function<void(ActionIndex&)>& remap);

    // The [Button N] sections of the settings file, read and written in the
    // list's order. The load starts from no buttons and saves nothing.
    void LoadButtons(const ProfileFile& file);
    void AppendSections(std::wstring& out) const;
    // No buttons, nothing saved or repainted (a new load, tests).
    void Clear();
    // The displays changed: the virtual screen is read again when next needed.
    void ScreenChanged() { screenKnown_ = false; }

    CButtonInfo* Find(int id) const;
    // Newest first.
    const std::vector<std::unique_ptr<CButtonInfo>>& List() const { return list_; }
    bool loading = false;

private:
    void Save() const;
    // Repaints, re-places and saves every button with the new rectangle
    // `compute` gives it from the reference's.
    template <class Compute> void ForEachFromReference(Compute compute);
    const CButtonInfo* Reference() const;
    // Where the window of `screenRect` is shown: the nearest place on the
    // virtual screen when it lies wholly off it.
    RECT Reachable(const RECT& screenRect);

    // The virtual screen as last read: a drag places a window at every step,
    // and each read of it is a trip to the display server under Wine.
    RECT screen_{};
    bool screenKnown_ = false;
    std::vector<std::unique_ptr<CButtonInfo>> list_;
    std::vector<StoredButtonSection> notShown_;
    IButtonsHost* host_ = nullptr;
    IButtonsDiagram* diagram_ = nullptr;
};

extern CButtons theButtons;

// A double to int, truncated toward zero and held to the 32-bit range.
int TruncateToInt(double value);

}  // namespace vorn
