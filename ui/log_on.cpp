#include "ui/log_on.h"

#include <vector>

#include "platform/win.h"
#include "settings/data.h"

namespace vorn::ui {
namespace {

std::wstring ModulePath()
{
    // Long enough for any path Windows gives a module.
    std::vector<wchar_t> path(32768);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return std::wstring(path.data(), length < path.size() ? length : 0);
}

// The program a command line starts: the quoted part, or all of it up to the
// first blank.
std::wstring ProgramOf(const std::wstring& command)
{
    if (!command.empty() && command.front() == L'"') {
        const std::size_t close = command.find(L'"', 1);
        return command.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1);
    }
    return command.substr(0, command.find(L' '));
}

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

}  // namespace

// A quoted argument as the command-line parser reads it back: a backslash
// before the closing quote (a drive's root) is doubled.
std::wstring Quoted(const std::wstring& text)
{
    std::wstring quoted = L"\"" + text;
    if (!text.empty() && text.back() == L'\\') quoted += L'\\';
    return quoted + L"\"";
}

std::wstring LogOnCommand()
{
    const std::wstring& path = theData.settingsPath;
    std::wstring folder = path.substr(0, path.find_last_of(L"\\/") + 1);
    // "C:\Users\me\" reads as well without its last backslash; a root keeps it.
    if (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
    return Quoted(ModulePath()) + L" " + kFolderOption + L" " + Quoted(folder);
}

bool StartsAtLogOn(const wchar_t* valueName)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    DWORD type = 0;
    DWORD bytes = 0;
    std::wstring command;
    if (RegQueryValueExW(key, valueName, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes) ==
            ERROR_SUCCESS)
            command = data.data();
    }
    RegCloseKey(key);
    return !command.empty() && SamePath(ProgramOf(command), ModulePath());
}

bool SetStartAtLogOn(bool start, const wchar_t* valueName)
{
    HKEY key = nullptr;
    if (start) {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return false;
        const std::wstring command = LogOnCommand();
        const LSTATUS status = RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                                              static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        return status == ERROR_SUCCESS;
    }
    const LSTATUS opened = RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key);
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS) return false;
    const LSTATUS status = RegDeleteValueW(key, valueName);
    RegCloseKey(key);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace vorn::ui
