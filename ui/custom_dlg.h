// The Custom page and its editor (Windows only): the user's own actions
// listed by name, with Add, Edit, Copy and Delete, and the "Custom action"
// dialog that enters or changes one.
#pragma once

#include <span>
#include <string>

#include "framework/handles.h"
#include "res/resource.h"
#include "ui/std_dlg.h"

namespace vorn::ui {

class CCustomActionDlg : public WithMessageTable<CCustomActionDlg, CDialog> {
public:
    // `editedName` empty: a new action.
    explicit CCustomActionDlg(std::wstring editedName)
        : WithMessageTable(IDD_CUSTOM_ACTION), editedName_(std::move(editedName))
    {
    }

    // The name stored by OK.
    const std::wstring& EnteredName() const { return enteredName_; }

    static std::span<const MessageEntry<CCustomActionDlg>> MessageTable() { return {}; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    // One of the editor's three messages.
    virtual void ShowError(const wchar_t* text);

private:
    std::wstring editedName_;
    std::wstring enteredName_;
};

class CCustomDlg : public WithMessageTable<CCustomDlg, CStdDlg> {
public:
    CCustomDlg() : WithMessageTable(IDD_CUSTOM) {}

    // Refills the list from the custom actions, first line selected.
    void FillList();
    // After an Add, Edit or Copy: the first line starting with `name`.
    void SelectByName(const std::wstring& name);
    const std::wstring& SelectedName() const { return selectedName_; }
    HWND List() const { return list_; }
    HWND ToolTip() const { return toolTip_.Get(); }

    bool PreTranslateMessage(MSG& message) override;
    static std::span<const MessageEntry<CCustomDlg>> MessageTable();

protected:
    BOOL OnInitDialog() override;

private:
    void RefreshDescription();
    void Edit(const std::wstring& name);
    LRESULT OnAdd(WPARAM wParam, LPARAM lParam);
    LRESULT OnEdit(WPARAM wParam, LPARAM lParam);
    LRESULT OnCopy(WPARAM wParam, LPARAM lParam);
    LRESULT OnDelete(WPARAM wParam, LPARAM lParam);
    LRESULT OnSelectionChanged(WPARAM wParam, LPARAM lParam);
    void OnFinalDestroy() override;

    HWND list_ = nullptr;
    OwnedWindow toolTip_;
    POINT lastTipPoint_{-1, -1};
    std::wstring selectedName_;
};

}  // namespace vorn::ui
