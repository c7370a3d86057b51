#include "ui/quiet_programs_model.h"

#include <algorithm>
#include <cwctype>

#include "platform/port.h"
#include "settings/text_encoding.h"

namespace vorn {
namespace {

std::wstring Lower(std::wstring_view text)
{
    std::wstring lower(text);
    for (wchar_t& c : lower)
        c = static_cast<wchar_t>(std::towlower(c));
    return lower;
}


BOOL CALLBACK CollectProgramWindow(HWND window, LPARAM collected)
{
    IWindows& windows = os::Windows();
    if (!windows.IsWindowVisible(window)) return TRUE;
    ProgramWindow entry;
    wchar_t title[512] = {};
    windows.GetWindowTextW(window, title, 512);
    entry.title = title;
    windows.GetWindowThreadProcessId(window, &entry.processId);
    if (!windows.ProgramOfWindow(window, entry.path)) entry.path.clear();
    reinterpret_cast<std::vector<ProgramWindow>*>(collected)->push_back(std::move(entry));
    return TRUE;
}

}  // namespace

std::vector<ProgramWindow> VisibleProgramWindows()
{
    std::vector<ProgramWindow> collected;
    os::Windows().EnumWindows(&CollectProgramWindow, reinterpret_cast<LPARAM>(&collected));
    return collected;
}

std::vector<ProgramRow> ProgramRows(const std::vector<ProgramWindow>& windows, DWORD ownProcessId)
{
    std::vector<ProgramRow> rows;
    for (const ProgramWindow& window : windows) {
        if (window.processId == ownProcessId) continue;
        const std::wstring_view name = ProgramFileName(window.path);
        if (name.empty()) continue;
        auto same = std::find_if(rows.begin(), rows.end(),
                                 [&](const ProgramRow& row) { return EqualsIgnoringCase(row.name, name); });
        if (same == rows.end()) {
            rows.push_back(ProgramRow{std::wstring(name), std::wstring(name)});
            same = rows.end() - 1;
        }
        // The first window with a title names the row.
        if (same->text == same->name && !window.title.empty()) same->text = same->name + L" \u2014 " + window.title;
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const ProgramRow& a, const ProgramRow& b) { return Lower(a.name) < Lower(b.name); });
    return rows;
}

std::vector<ProgramRow> FilterProgramRows(const std::vector<ProgramRow>& rows, std::wstring_view typed)
{
    const std::wstring wanted = Lower(TrimmedBlanks(typed));
    std::vector<ProgramRow> kept;
    for (const ProgramRow& row : rows)
        if (Lower(row.text).find(wanted) != std::wstring::npos) kept.push_back(row);
    return kept;
}

QuietAddResult AddQuietProgram(CData& data, std::wstring_view name)
{
    name = TrimmedBlanks(name);
    if (!QuietProgramNameUsable(name)) return QuietAddResult::Unusable;
    if (data.IsQuietProgram(name)) return QuietAddResult::AlreadyListed;
    data.quietPrograms.emplace_back(name);
    return QuietAddResult::Added;
}

std::wstring QuietAddMessage(QuietAddResult result, std::wstring_view name)
{
    name = TrimmedBlanks(name);
    switch (result) {
    case QuietAddResult::Added:
        return {};
    case QuietAddResult::AlreadyListed:
        return std::wstring(name) + L" is already in the list.";
    case QuietAddResult::Unusable:
        break;
    }
    if (name.empty()) return L"Type the file name of a program, such as game.exe, or choose one in the list.";
    return L"Type the program's file name alone, such as " + std::wstring(ProgramFileName(name).empty()
                                                                              ? std::wstring_view(L"game.exe")
                                                                              : ProgramFileName(name)) +
           L", without its folder or drive.";
}

bool RemoveQuietProgram(CData& data, std::wstring_view name)
{
    const std::wstring_view file = ProgramFileName(TrimmedBlanks(name));
    const auto listed = std::find_if(data.quietPrograms.begin(), data.quietPrograms.end(),
                                     [&](const std::wstring& quiet) { return EqualsIgnoringCase(quiet, file); });
    if (file.empty() || listed == data.quietPrograms.end()) return false;
    data.quietPrograms.erase(listed);
    return true;
}

namespace {

// The taskbar and its overflow of icons: a click on the tray icon gives them
// the foreground on the way to the menu.
bool IsShellTray(HWND window)
{
    wchar_t name[64] = {};
    os::Windows().GetClassNameW(window, name, 64);
    const std::wstring_view className = name;
    return className == L"Shell_TrayWnd" || className == L"Shell_SecondaryTrayWnd" ||
           className == L"NotifyIconOverflowWindow";
}

// The window the user was in before the taskbar took the foreground: the
// highest visible one with a title that is no tool window or shell window.
BOOL CALLBACK FindWindowBelowTray(HWND window, LPARAM found)
{
    IWindows& windows = os::Windows();
    if (!windows.IsWindowVisible(window) || windows.IsIconic(window) || IsShellTray(window) ||
        window == windows.GetShellWindow() || (windows.GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
        return TRUE;
    wchar_t title[2] = {};
    if (windows.GetWindowTextW(window, title, 2) == 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

std::wstring ProgramInFrontNow()
{
    IWindows& windows = os::Windows();
    HWND front = windows.GetForegroundWindow();
    if (front && IsShellTray(front)) {
        front = nullptr;
        windows.EnumWindows(&FindWindowBelowTray, reinterpret_cast<LPARAM>(&front));
    }
    if (!front) return {};
    DWORD process = 0;
    windows.GetWindowThreadProcessId(front, &process);
    if (process == windows.GetCurrentProcessId()) return {};
    std::wstring path;
    if (!windows.ProgramOfWindow(front, path)) return {};
    return std::wstring(ProgramFileName(path));
}

std::wstring KeepQuietItemText(std::wstring_view program)
{
    if (program.empty()) return L"&Keep quiet in the program in front";
    std::wstring text = L"&Keep quiet in ";
    for (const wchar_t c : program) {
        if (c == L'&') text += L'&';
        text += c;
    }
    return text;
}

bool ToggleQuietProgram(CData& data, std::wstring_view program)
{
    if (RemoveQuietProgram(data, program)) return false;
    return AddQuietProgram(data, ProgramFileName(program)) != QuietAddResult::Unusable;
}

}  // namespace vorn
