#include "actions/handlers.h"

#include "actions/action_host.h"

namespace vorn::handlers {

void PeekDesktopMomentary(CActionHost& /*host*/) {}
void PeekDesktopPersistent(CActionHost& /*host*/) {}
void PeekDesktopUndo(CActionHost& /*host*/) {}
void PeekWindowMomentary(CActionHost& /*host*/) {}
void PeekWindowPersistent(CActionHost& /*host*/) {}
void PeekWindowUndo(CActionHost& /*host*/) {}
void ShowDesktopMomentary(CActionHost& /*host*/) {}
void ShowDesktopToggle(CActionHost& /*host*/) {}

}  // namespace vorn::handlers
