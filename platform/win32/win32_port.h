// The port on Windows: every call passes straight to the system (Windows only).
#pragma once

#include "platform/port.h"

namespace vorn {

// Installs the straight Win32 implementation of every port interface.
void InstallWin32Port();

}  // namespace vorn
