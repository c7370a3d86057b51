// How soon a corner answers, under Wine or on Windows: from a movement of the
// pointer into the upper left corner (SendInput, as a mouse would) to the
// start of its dispatch, with instant response (with "Keep a log" off and
// on: the look only posts a write, which comes after) and with the poll at
// 500 and at 50 ms. The visits come at random moments, so that the poll's phase is
// sampled evenly. A plain program: it prints median and 90th percentile, it
// does not judge them.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "actions/util.h"
#include "app/activity_file.h"
#include "app/edge_engine.h"
#include "app/settings_store.h"
#include "platform/win32/win32_port.h"
#include "settings/data.h"
#include "tests/fake/temp_folder.h"

namespace {

using namespace vorn;

LARGE_INTEGER answeredAt{};
bool answered = false;

void Answer(CActionHost& host)
{
    if (host.ending) return;
    QueryPerformanceCounter(&answeredAt);
    answered = true;
}

CEdgeEngine* engine = nullptr;
CActivityFile* activityFile = nullptr;
constexpr UINT kWriteLogMessage = WM_APP + 46;

// The main window's part: its timers and the pointer's raw input.
LRESULT CALLBACK MainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (engine && message == WM_TIMER) engine->OnTimer(static_cast<UINT_PTR>(wParam));
    if (engine && message == WM_INPUT) engine->OnPointerInput();
    if (activityFile && message == kWriteLogMessage) (void)activityFile->WriteNow();
    return DefWindowProcW(window, message, wParam, lParam);
}

// As a mouse moves it (SendInput), which brings raw input; the poll reads
// only the position, which SetCursorPos sets more surely under Wine.
void MoveTo(int x, int y, bool asAMouse = true)
{
    if (!asAMouse) {
        SetCursorPos(x, y);
        return;
    }
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
}

// Handles messages until `done` holds or `ms` pass.
template <typename Done> void PumpUntil(Done done, DWORD ms)
{
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < ms) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

double Percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
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
    static Catalogue catalogue = theCatalogue;
    for (ActionDef& action : catalogue)
        action.handler = nullptr;
    catalogue[0].handler = &Answer;
    theData.assignments[Plain][UpperLeftCorner] = 0;

    WNDCLASSW type{};
    type.lpfnWndProc = &MainProcedure;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = L"VornAnswerBench";
    type.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RegisterClassW(&type);
    // Under X, Wine hears of the pointer only over its own windows: one over
    // the whole screen stands for the desktop.
    const HWND cover = CreateWindowExW(0, type.lpszClassName, L"Cover", WS_POPUP | WS_VISIBLE, 0, 0,
                                       GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                       type.hInstance, nullptr);
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    std::srand(GetTickCount());

    struct Mode {
        const char* name;
        bool instant;
        int poll;
        bool log = false;
    };
    const Mode modes[] = {{"instant response", true, 500},
                          {"instant, with log", true, 500, true},
                          {"poll 500 ms", false, 500},
                          {"poll 50 ms", false, 50}};
    constexpr int kVisits = 30;
    std::printf("answer time, from a move into a corner to the start of its dispatch (%d visits each)\n", kVisits);
    for (const Mode& mode : modes) {
        theData.instantResponse = mode.instant;
        theData.pollInterval = mode.poll;
        const HWND main = CreateWindowExW(0, type.lpszClassName, L"Vorn bench", WS_POPUP, 0, 0, 10, 10, nullptr,
                                          nullptr, type.hInstance, nullptr);
        CEdgeEngine modeEngine(catalogue);
        CActivityFile::Hooks hooks;
        hooks.askForWrite = [main] { PostMessageW(main, kWriteLogMessage, 0, 0); };
        CActivityFile modeFile(theActivity, folder.File(L"Vorn.log"), hooks);
        modeFile.Follow(mode.log);
        activityFile = &modeFile;
        engine = &modeEngine;
        modeEngine.Start(main);
        std::vector<double> answers;
        for (int visit = 0; visit < kVisits; ++visit) {
            // Long enough away for a poll to see the corner left.
            MoveTo(960, 540, mode.instant);
            PumpUntil([] { return false; }, static_cast<DWORD>(mode.poll + 100 + std::rand() % 500));
            answered = false;
            LARGE_INTEGER movedAt{};
            QueryPerformanceCounter(&movedAt);
            MoveTo(0, 0, mode.instant);
            // Under Wine the echo of an earlier move can put the position it
            // reports back for a moment: the pointer is held in the corner.
            for (int held = 0; held < 150 && !answered; ++held) {
                PumpUntil([] { return answered; }, 20);
                if (!mode.instant) MoveTo(0, 0, false);
            }
            if (answered)
                answers.push_back(1000.0 * static_cast<double>(answeredAt.QuadPart - movedAt.QuadPart) /
                                  static_cast<double>(frequency.QuadPart));
        }
        MoveTo(960, 540);
        PumpUntil([] { return false; }, 100);
        engine = nullptr;
        activityFile = nullptr;
        DestroyWindow(main);
        if (answers.empty()) {
            std::printf("  %-17s no answer\n", mode.name);
            continue;
        }
        std::printf("  %-17s median %7.1f ms, 90th percentile %7.1f ms (%zu of %d answered)%s\n", mode.name,
                    Percentile(answers, 0.5), Percentile(answers, 0.9), answers.size(), kVisits,
                    mode.instant && !modeEngine.Instant() ? ", fell back to the poll" : "");
    }
    std::string written;
    (void)ReadWholeFile(folder.File(L"Vorn.log"), written);
    std::printf("  Vorn.log: %zu bytes written after the looks\n", written.size());
    DestroyWindow(cover);
    return 0;
}
