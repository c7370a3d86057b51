// One drag step on the Buttons page with 50 buttons on the picture, under
// Wine or on Windows: the model update, the floating window's move, the
// repaint of the picture and the save request, timed on the UI thread,
// against a floating window's bare move in the same run, and their ratio.
// A plain program: it prints the figures, it does not judge them.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "actions/util.h"
#include "app/main_dlg.h"
#include "app/settings_store.h"
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

int valueChanges = 0;

void CALLBACK CountValueChange(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD)
{
    if (window) ++valueChanges;
}

}  // namespace

int wmain()
{
    InstallWin32Port();
    InstallSettingsStore();
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

        // Back and forth across the picture, one unit at a time.
        const auto pointerAt = [](int step) { return 20 + (step % 100 < 50 ? step % 50 : 50 - step % 50); };

        // First, untimed: what a drag step does besides the move, that is
        // the value changes told to accessibility clients (a hook listens, as
        // a screen reader's would) and how much of the picture is repainted.
        constexpr int kProfiledSteps = 100;
        valueChanges = 0;
        const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
                                                   CountValueChange, 0, 0, WINEVENT_OUTOFCONTEXT);
        RECT picture{};
        GetClientRect(diagram, &picture);
        const double pictureArea = double(picture.right) * picture.bottom;
        const HRGN update = CreateRectRgn(0, 0, 0, 0);
        double repaintedArea = 0;
        int repaints = 0;
        for (int step = 0; step < kProfiledSteps; ++step) {
            SendMessageW(diagram, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pointerAt(step), 25));
            if (GetUpdateRgn(diagram, update, FALSE) != NULLREGION) {
                ++repaints;
                RECT box{};
                GetRgnBox(update, &box);
                repaintedArea += double(box.right - box.left) * (box.bottom - box.top);
            }
            UpdateWindow(diagram);
            Pump();
        }
        const int changesDuring = valueChanges;
        SendMessageW(diagram, WM_LBUTTONUP, 0, 0);
        for (int wait = 0; wait < 5; ++wait) {
            Sleep(5);
            Pump();
        }
        const int changesAtRelease = valueChanges - changesDuring;
        UnhookWinEvent(hook);
        DeleteObject(update);
        SendMessageW(diagram, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pointerAt(kProfiledSteps), 25));
        Pump();

        // Then timed, without the hook. The dragged button's own window is
        // moved alone in turns with the drag steps, as far as a step moves
        // it, so that a busy machine weighs on both alike. (Windows differ:
        // one lower among the topmost ones costs more to move.)
        const CButtonInfo& dragged = *theButtons.Find(page.Editor().selectedId);
        const HWND floating = dragged.window->Handle();
        constexpr int kSteps = 400;
        std::vector<double> ms, windowMs, moveMs, pumpMs;
        const int writesBefore = theData.settingsWrites;
        using Clock = std::chrono::steady_clock;
        const auto since = [](Clock::time_point t) {
            return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
        };
        for (int step = kProfiledSteps; step < kProfiledSteps + kSteps; ++step) {
            const auto start = Clock::now();
            SendMessageW(diagram, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pointerAt(step), 25));
            moveMs.push_back(since(start));
            // The repaint comes as WM_PAINT in the pump, as it does in the
            // message loop: asking for it first would add a trip to the
            // server that the program never makes.
            const auto pumping = Clock::now();
            Pump();
            pumpMs.push_back(since(pumping));
            ms.push_back(since(start));
            Sleep(2);

            const auto moving = Clock::now();
            // Beside where the step put it, by about the length of a step.
            SetWindowPos(floating, nullptr, dragged.screenRect.left + 9, dragged.screenRect.top,
                         dragged.screenRect.right - dragged.screenRect.left,
                         dragged.screenRect.bottom - dragged.screenRect.top, SWP_NOZORDER | SWP_NOACTIVATE);
            Pump();
            windowMs.push_back(since(moving));
            Sleep(2);
        }
        SendMessageW(diagram, WM_LBUTTONUP, 0, 0);

        const auto median = [](std::vector<double>& v) {
            std::sort(v.begin(), v.end());
            return v[v.size() / 2];
        };
        // Each step against the bare move right after it: a moment when the
        // display server is slow weighs on both of a pair.
        std::vector<double> pairRatios;
        for (std::size_t i = 0; i < ms.size(); ++i)
            if (windowMs[i] > 0) pairRatios.push_back(ms[i] / windowMs[i]);
        const double window = median(windowMs);
        const double dragStep = median(ms);
        std::printf("  a floating window's move alone: median %.3f ms\n", window);
        std::printf("  of which (medians) model and window move %.3f ms, repaint and other messages %.3f ms\n",
                    median(moveMs), median(pumpMs));
        std::printf("  per step: %.2f repaints of %.1f %% of the picture, %.2f value changes told; "
                    "%d at the release\n",
                    double(repaints) / kProfiledSteps, repaints ? 100 * repaintedArea / repaints / pictureArea : 0.0,
                    double(changesDuring) / kProfiledSteps, changesAtRelease);
        std::printf("drag step with 50 buttons, %d steps: median %.3f ms, 90th %.3f ms, slowest %.3f ms; "
                    "file writes %d\n",
                    kSteps, dragStep, ms[ms.size() * 9 / 10], ms.back(), theData.settingsWrites - writesBefore);
        std::printf("drag step / window's move alone: %.2f (medians), %.2f (median of the pairs)\n", dragStep / window,
                    median(pairRatios));
    }
    theButtons.Clear();
    theButtons.SetHost(nullptr);
    return 0;
}
