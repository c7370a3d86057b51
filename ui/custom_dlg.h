// The Custom page and its editor (Windows only): the user's own actions
// listed by name, with Add, Edit, Copy and Delete, and the "Custom action"
// dialog that enters or changes one.
#pragma once

#include <span>
#include <string>

#include "framework/handles.h"
#include "res/resource.h"
#include "ui/key_box.h"
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

    // What each phase does: the items of its choice.
    enum Kind {
        CommandLine,
        Keys
    };
    CKeyBox& BeginningKeys() { return beginningKeys_; }
    CKeyBox& EndingKeys() { return endingKeys_; }

    static std::span<const MessageEntry<CCustomActionDlg>> MessageTable();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    // One of the editor's three messages.
    virtual void ShowError(const wchar_t* text);

private:
    struct Phase {
        int kind, label, commandLine, keysLabel, keys, clear;
    };
    static const Phase kBeginning;
    static const Phase kEnding;

    Kind KindOf(const Phase& phase) const;
    // Shows the command line's edit or the key box, as the choice says.
    void ShowKind(const Phase& phase);
    // The field of a phase that is shown: where an error puts the focus.
    HWND Field(const Phase& phase) const;
    LRESULT OnKindChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnClear(WPARAM wParam, LPARAM lParam);

    std::wstring editedName_;
    std::wstring enteredName_;
    CKeyBox beginningKeys_;
    CKeyBox endingKeys_;
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
