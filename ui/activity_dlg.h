// The "Recent activity" window (Windows only): the events of the record,
// newest first, with when, where, what happened and why, kept up to date
// while it is open; Copy puts the chosen lines (or all) on the clipboard and
// Clear empties the record. Modeless and resizable; one at a time.
#pragma once

#include <atomic>
#include <cstdint>
#include <span>

#include "engine/activity.h"
#include "framework/dialog.h"

namespace vorn::ui {

class CActivityDlg : public WithMessageTable<CActivityDlg, CDialog>, public IActivityListener {
public:
    // Posted to the window by the record's listener, at most once until handled.
    static constexpr UINT kRecordedMessage = WM_APP + 61;

    CActivityDlg();
    ~CActivityDlg() override;

    // Creates the window, or brings it to the front when it is open.
    void Open();

    // The record's events not yet in the list go in (Copy does it first too).
    void CatchUp();
    void Copy();
    void Clear();

    bool PreTranslateMessage(MSG& message) override;
    static std::span<const MessageEntry<CActivityDlg>> MessageTable();

protected:
    BOOL OnInitDialog() override;
    // Enter on the list does nothing: only Close and Esc close.
    void OnOK() override {}
    void OnFinalDestroy() override;

private:
    void ActivityRecorded() override;
    void InsertRow(int at, const ActivityEvent& event);
    void SelectAll();
    LRESULT OnRecorded(WPARAM wParam, LPARAM lParam);
    LRESULT OnCopy(WPARAM wParam, LPARAM lParam);
    LRESULT OnClear(WPARAM wParam, LPARAM lParam);
    LRESULT OnListKey(WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnMinMaxInfo(WPARAM wParam, LPARAM lParam);

    HWND list_ = nullptr;
    std::uint64_t shown_ = 0;
    std::atomic<bool> posted_{false};
    // The template's sizes, from which the controls follow the window's.
    SIZE initialClient_{};
    SIZE minimumWindow_{};
    RECT initialList_{};
    RECT initialButtons_[3]{};
};

}  // namespace vorn::ui
