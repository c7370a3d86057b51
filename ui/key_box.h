// The custom action editor's key box (Windows only): an edit control that
// records the key combination pressed in it and shows it as text, instead of
// taking typed text. While it has the focus, a thread of its own holds a
// low-level keyboard hook that hands it the keys before Windows acts on any
// (Win, Print Screen, Alt+Tab, Ctrl+Esc). The thread only decides which keys
// are the box's and posts them to it, so however busy the window's thread is
// the desktop's keys do not wait. Keys typed by programs, and a screen
// reader's (see CKeyHookFilter), go on to the other hooks and to Windows.
// Where the system runs no such hook, or has dropped it, the keys come as the
// usual key messages, which the box asks for all of, and records.
#pragma once

#include <memory>
#include <span>

#include "framework/window.h"
#include "ui/key_recorder.h"

namespace vorn::ui {

struct KeyHookThread;

class CKeyBox : public WithMessageTable<CKeyBox, CWnd> {
public:
    CKeyBox();
    ~CKeyBox() override;

    // Takes over the edit control.
    bool Attach(HWND edit);
    void SetKeys(const KeyCombination& keys);
    const KeyCombination& Keys() const { return recorder_.Keys(); }

    // For tests. Whether a box's hook thread runs and installed its hook
    // (Windows can drop the hook without a word: it still says so then).
    static bool Hooked();
    // The hook thread's id while one runs, else 0.
    static DWORD HookThreadId();
    // Keys that reached a box through the hook since the start (tests tell
    // from it whether the system runs low-level hooks).
    static int HookedKeys();
    // How often a hook thread installed its hook since the start.
    static int HookInstalls();
    // Removes the hook the way Windows does when a call takes too long:
    // nobody is told.
    static void LoseHook();
    // Without the hook the keys come as key messages, as on a system that
    // runs no low-level hooks (tests try both ways).
    static void UseLowLevelHook(bool use);

    static std::span<const MessageEntry<CKeyBox>> MessageTable();

private:
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnSysKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnSysKeyUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnHookedKey(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    // Characters, pasting, cutting, undoing and the edit's menu: the box's
    // text is the keys', never typed.
    LRESULT Ignore(WPARAM wParam, LPARAM lParam);
    void OnFinalDestroy() override;

    LRESULT KeyMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Apply(RecorderResult result);
    void StartHook();
    void StopHook();

    CKeyRecorder recorder_;
    std::unique_ptr<KeyHookThread> hook_;
};

}  // namespace vorn::ui
