// The custom action editor's key box (Windows only): an edit control that
// records the key combination pressed in it and shows it as text, instead of
// taking typed text. While it has the focus in the window in front, a
// low-level keyboard hook hands it every key before Windows acts on any
// (Win, Print Screen, Alt+Tab, Ctrl+Esc); where the system runs no such hook,
// the keys come as the usual key messages, which it asks for all of.
#pragma once

#include <span>

#include "framework/window.h"
#include "ui/key_recorder.h"

namespace vorn::ui {

class CKeyBox : public WithMessageTable<CKeyBox, CWnd> {
public:
    CKeyBox() = default;
    ~CKeyBox() override;

    // Takes over the edit control.
    bool Attach(HWND edit);
    void SetKeys(const KeyCombination& keys);
    const KeyCombination& Keys() const { return recorder_.Keys(); }

    // Whether the low-level hook is in place now (while a box has the focus
    // and the system accepted the hook).
    static bool Hooked();
    // Keys that reached a box through the hook since the start (tests tell
    // from it whether the system runs low-level hooks).
    static int HookedKeys();
    // Without the hook the keys come as key messages, as on a system that
    // runs no low-level hooks (tests try both ways).
    static void UseLowLevelHook(bool use);

    static std::span<const MessageEntry<CKeyBox>> MessageTable();

private:
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    // Characters, pasting, cutting, undoing and the edit's menu: the box's
    // text is the keys', never typed.
    LRESULT Ignore(WPARAM wParam, LPARAM lParam);
    void OnFinalDestroy() override;

    void Apply(RecorderResult result);
    void Unhook();
    static LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam);

    CKeyRecorder recorder_;
};

}  // namespace vorn::ui
