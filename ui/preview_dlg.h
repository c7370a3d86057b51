// The full-screen preview (Windows only): every zone painted red where it is
// (in the highlight colour in high contrast), with the name of its action
// beside it for the modifier held (and a line with its wheel and click
// actions where it has some), on each monitor that monitor's; Shift and
// Ctrl switch the texts while it is open. A screen reader finds the same texts in its description.
#pragma once

#include <array>
#include <vector>
#include <span>

#include "framework/dialog.h"
#include "framework/handles.h"
#include "res/resource.h"
#include "settings/data.h"
#include "ui/preview_layout.h"

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
    LRESULT OnColoursChanged(WPARAM wParam, LPARAM lParam);
    void Describe();
    // Arial at the text's slant and scale, made at its first use.
    HFONT FontFor(int escapement, int dpi);

    ModifierKey modifier_;
    // Which monitor's assignments each place shows, read at the opening.
    MonitorSlots slots_;
    // Arial at -35, 35, 0 and 90 degrees.
    struct ScaledFont {
        int escapement;
        int dpi;
        OwnedFont font;
    };
    std::vector<ScaledFont> fonts_;
};

}  // namespace vorn::ui
