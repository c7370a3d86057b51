// The wait shown at the pointer (Windows only): a small ring beside it that
// fills while the pointer waits in a zone, and goes when the wait ends. One
// click-through window, never activated, made at the first wait and kept;
// its timer runs only while a wait is shown.
#pragma once

#include "app/edge_engine.h"
#include "framework/window.h"

namespace vorn::ui {

class CWaitRing : public CWnd, public IWaitDisplay {
public:
    // The fill's redraw, about thirty times a second.
    static constexpr UINT_PTR kFillTimerId = 1;
    static constexpr UINT kFillEveryMs = 30;

    void WaitBegins(POINT at, DWORD wait, DWORD left) override;
    void WaitEnds() override;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool Make();
    double Fraction() const;
    void Paint();

    DWORD wait_ = 0;
    DWORD left_ = 0;
    DWORD began_ = 0;
    bool highContrast_ = false;
};

}  // namespace vorn::ui
