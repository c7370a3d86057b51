#include "actions/handlers.h"

#include "actions/action_host.h"

namespace vorn::handlers {

void ScreenSaverOn(CActionHost& /*host*/) {}
void ScreenSaverDisableMomentary(CActionHost& /*host*/) {}
void ScreenSaverDisablePersistent(CActionHost& /*host*/) {}
void ScreenSaverEnable(CActionHost& /*host*/) {}
void MonitorOff(CActionHost& /*host*/) {}
void MonitorLowPower(CActionHost& /*host*/) {}
void Hibernate(CActionHost& /*host*/) {}
void Suspend(CActionHost& /*host*/) {}
void LockComputer(CActionHost& /*host*/) {}
void LogOff(CActionHost& /*host*/) {}
void SwitchUser(CActionHost& /*host*/) {}
void Shutdown(CActionHost& /*host*/) {}
void Restart(CActionHost& /*host*/) {}
void NextPage(CActionHost& /*host*/) {}
void PreviousPage(CActionHost& /*host*/) {}
void NextTab(CActionHost& /*host*/) {}
void PreviousTab(CActionHost& /*host*/) {}
void Refresh(CActionHost& /*host*/) {}
void ScrollUp(CActionHost& /*host*/) {}
void ScrollDown(CActionHost& /*host*/) {}
void ScrollPageUp(CActionHost& /*host*/) {}
void ScrollPageDown(CActionHost& /*host*/) {}
void FullScreenMomentary(CActionHost& /*host*/) {}
void FullScreenToggle(CActionHost& /*host*/) {}
void ZoomIn(CActionHost& /*host*/) {}
void ZoomOut(CActionHost& /*host*/) {}
void Home(CActionHost& /*host*/) {}
void AddToFavorites(CActionHost& /*host*/) {}
void Cut(CActionHost& /*host*/) {}
void Copy(CActionHost& /*host*/) {}
void Paste(CActionHost& /*host*/) {}
void CopyScreenToClipboard(CActionHost& /*host*/) {}
void CopyWindowToClipboard(CActionHost& /*host*/) {}
void CycleWallpaper(CActionHost& /*host*/) {}
void RandomWallpaper(CActionHost& /*host*/) {}
void ToggleWallpaper(CActionHost& /*host*/) {}
void CloseWindow(CActionHost& /*host*/) {}
void CloseDocument(CActionHost& /*host*/) {}
void SaveDocument(CActionHost& /*host*/) {}
void SoundVolume(CActionHost& /*host*/) {}
void VornSettings(CActionHost& /*host*/) {}
void NoAction(CActionHost& /*host*/) {}

}  // namespace vorn::handlers
