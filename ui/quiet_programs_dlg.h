// The dialog that adds a quiet program (Windows only): the programs that
// have windows now, narrowed by what is typed in the search box, and a box
// for a name typed or taken from the list. OK adds the name to the settings
// when it is usable and new, and otherwise says why beside the box.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "framework/dialog.h"
#include "ui/quiet_programs_model.h"

namespace vorn::ui {

class CQuietProgramDlg : public WithMessageTable<CQuietProgramDlg, CDialog> {
public:
    CQuietProgramDlg();

    // The name OK added, as stored.
    const std::wstring& AddedName() const { return added_; }
    // The rows the list shows now, in order.
    const std::vector<ProgramRow>& ShownRows() const { return shown_; }

    static std::span<const MessageEntry<CQuietProgramDlg>> MessageTable();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void ShowRows();
    LRESULT OnSearch(WPARAM wParam, LPARAM lParam);
    LRESULT OnRowChosen(WPARAM wParam, LPARAM lParam);
    LRESULT OnRowOpened(WPARAM wParam, LPARAM lParam);

    std::vector<ProgramRow> rows_;
    std::vector<ProgramRow> shown_;
    std::wstring added_;
};

}  // namespace vorn::ui
