// The full-screen preview (Windows only): every zone painted red where it is,
// with the name of its action beside it for the modifier held; Shift and Ctrl
// switch the texts while it is open.
#pragma once

#include <array>
#include <span>

#include "framework/dialog.h"
#include "framework/handles.h"
#include "res/resource.h"
#include "settings/data.h"

namespace vorn::ui {

class CPreviewDlg : public WithMessageTable<CPreviewDlg, CDialog> {
public:
    CPreviewDlg();

    bool PreTranslateMessage(MSG& message) override;
    ModifierKey Modifier() const { return modifier_; }

    static std::span<const MessageEntry<CPreviewDlg>> MessageTable();

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    HFONT FontFor(int escapement) const;

    ModifierKey modifier_;
    // Arial at -35, 35, 0 and 90 degrees.
    std::array<OwnedFont, 4> fonts_;
};

}  // namespace vorn::ui
