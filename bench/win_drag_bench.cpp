// One drag step on the Buttons page with 50 buttons on the picture, under
// Wine or on Windows: the model update, the floating window's move, the
// repaint of the screen area and the save request, timed on the UI thread.
// A plain program: it prints the figures, it does not judge them.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "actions/util.h"
#include "app/main_dlg.h"
#include "buttons/button_dlg.h"
#include "buttons/buttons_dlg.h"
#include "platform/win32/win32_port.h"
#include "settings/data.h"
#include "tests/fake/temp_folder.h"

namespace {

using namespace vorn;
using namespace vorn::ui;

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

int wmain()
{
    InstallWin32Port();
    theUtil.Resolve();
    fake::TempFolder folder;
    theData.settingsPath = folder.File(L"Vorn.ini");
    theData.LoadSettings();
    theData.currentPage = CMainDlg::ButtonsPage;
    CButtonWindowsHost buttonWindows;
    theButtons.SetHost(&buttonWindows);
    for (int i = 0; i < 50; ++i) {
        const int left = 12 + (i % 10) * 20;
        const int top = 14 + (i / 10) * 30;
        theButtons.AddButton(false, left, top, left + 15, top + 20);
    }
    {
        CMainDlg main;
        main.endsMessageLoop = false;
        if (!main.Create()) return 1;
        ShowWindow(main.Handle(), SW_SHOW);
        Pump();
        auto& page = *static_cast<CButtonsDlg*>(main.Page(CMainDlg::ButtonsPage));
        const HWND diagram = page.Diagram().Handle();
        SendMessageW(diagram, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
        Pump();

        constexpr int kSteps = 400;
        std::vector<double> ms;
        std::vector<double> moveMs, paintMs, pumpMs;
        ms.reserve(kSteps);
        const int writesBefore = theData.settingsWrites;
        for (int step = 0; step < kSteps; ++step) {
            // Back and forth across the picture, one unit at a time.
            const int x = 20 + (step % 100 < 50 ? step % 50 : 50 - step % 50);
            using Clock = std::chrono::steady_clock;
            const auto since = [](Clock::time_point t) {
                return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
            };
            const auto start = Clock::now();
            SendMessageW(diagram, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 25));
            moveMs.push_back(since(start));
            const auto painting = Clock::now();
            UpdateWindow(diagram);
            paintMs.push_back(since(painting));
            const auto pumping = Clock::now();
            Pump();
            pumpMs.push_back(since(pumping));
            ms.push_back(since(start));
            Sleep(2);
        }
        SendMessageW(diagram, WM_LBUTTONUP, 0, 0);

        // The share of the display system: the same moves of the window alone.
        std::vector<double> windowMs;
        const HWND floating = theButtons.List().back()->window->Handle();
        for (int step = 0; step < kSteps; ++step) {
            const auto start = std::chrono::steady_clock::now();
            SetWindowPos(floating, nullptr, 100 + (step % 50) * 9, 100, 136, 135, SWP_NOZORDER | SWP_NOACTIVATE);
            Pump();
            windowMs.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            Sleep(2);
        }
        std::sort(windowMs.begin(), windowMs.end());
        std::printf("  a floating window's move alone: median %.3f ms\n", windowMs[kSteps / 2]);
        std::sort(ms.begin(), ms.end());
        for (auto* part : {&moveMs, &paintMs, &pumpMs})
            std::sort(part->begin(), part->end());
        std::printf("  of which (medians) model and window move %.3f ms, repaint %.3f ms, other messages %.3f ms\n",
                    moveMs[kSteps / 2], paintMs[kSteps / 2], pumpMs[kSteps / 2]);
        std::printf("drag step with 50 buttons, %d steps: median %.3f ms, 90th %.3f ms, slowest %.3f ms; "
                    "file writes %d\n",
                    kSteps, ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms.back(),
                    theData.settingsWrites - writesBefore);
    }
    theButtons.Clear();
    theButtons.SetHost(nullptr);
    return 0;
}
