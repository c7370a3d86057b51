// Vorn.exe entry point (Windows only).
#include "platform/win32/win32_port.h"

#include "actions/util.h"
#include "settings/data.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    vorn::InstallWin32Port();
    vorn::theUtil.Resolve();
    vorn::theData.LoadSettings();
    return 0;
}
