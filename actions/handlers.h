// The handlers of the built-in actions, bound to their entries by the catalogue.
#pragma once

#include "actions/catalogue.h"

namespace vorn::handlers {

// Window placement: arrangement, grow and shrink, move, minimize and maximize (placement_actions.cpp)
void Cascade(CActionHost& host);
void TileHorizontal(CActionHost& host);
void TileVertical(CActionHost& host);
void TileLeft(CActionHost& host);
void TileRight(CActionHost& host);
void TileTop(CActionHost& host);
void TileBottom(CActionHost& host);
void Tile2Horizontal(CActionHost& host);
void Tile2Vertical(CActionHost& host);
void EnlargeWindow(CActionHost& host);
void GrowWindowLeft(CActionHost& host);
void GrowWindowRight(CActionHost& host);
void GrowWindowTop(CActionHost& host);
void GrowWindowBottom(CActionHost& host);
void GrowWindowHeight(CActionHost& host);
void GrowWindowWidth(CActionHost& host);
void GrowWindowAll(CActionHost& host);
void ShrinkWindowLeft(CActionHost& host);
void ShrinkWindowRight(CActionHost& host);
void ShrinkWindowTop(CActionHost& host);
void ShrinkWindowBottom(CActionHost& host);
void ShrinkWindowHeight(CActionHost& host);
void ShrinkWindowWidth(CActionHost& host);
void ShrinkWindowAll(CActionHost& host);
void MoveWindowLeft(CActionHost& host);
void MoveWindowRight(CActionHost& host);
void MoveWindowUp(CActionHost& host);
void MoveWindowDown(CActionHost& host);
void MoveWindowUpAndLeft(CActionHost& host);
void MoveWindowUpAndRight(CActionHost& host);
void MoveWindowDownAndLeft(CActionHost& host);
void MoveWindowDownAndRight(CActionHost& host);
void MinimizeMomentary(CActionHost& host);
void MinimizePersistent(CActionHost& host);
void MaximizeMomentary(CActionHost& host);
void MaximizePersistent(CActionHost& host);
void Restore(CActionHost& host);
void MinimizeAllMomentary(CActionHost& host);
void MinimizeAllPersistent(CActionHost& host);
void MaximizeAllMomentary(CActionHost& host);
void MaximizeAllPersistent(CActionHost& host);
void RestoreAll(CActionHost& host);
void FullScreenToggleChrome(CActionHost& host);

// Peek and show desktop (peek_actions.cpp)
void PeekDesktopMomentary(CActionHost& host);
void PeekDesktopPersistent(CActionHost& host);
void PeekDesktopUndo(CActionHost& host);
void PeekWindowMomentary(CActionHost& host);
void PeekWindowPersistent(CActionHost& host);
void PeekWindowUndo(CActionHost& host);
void ShowDesktopMomentary(CActionHost& host);
void ShowDesktopToggle(CActionHost& host);

// Screen saver, power and session, keystrokes, clipboard, wallpaper and misc (system_actions.cpp)
void ScreenSaverOn(CActionHost& host);
void ScreenSaverDisableMomentary(CActionHost& host);
void ScreenSaverDisablePersistent(CActionHost& host);
void ScreenSaverEnable(CActionHost& host);
void MonitorOff(CActionHost& host);
void MonitorLowPower(CActionHost& host);
void Hibernate(CActionHost& host);
void Suspend(CActionHost& host);
void LockComputer(CActionHost& host);
void LogOff(CActionHost& host);
void SwitchUser(CActionHost& host);
void Shutdown(CActionHost& host);
void Restart(CActionHost& host);
void NextPage(CActionHost& host);
void PreviousPage(CActionHost& host);
void NextTab(CActionHost& host);
void PreviousTab(CActionHost& host);
void Refresh(CActionHost& host);
void ScrollUp(CActionHost& host);
void ScrollDown(CActionHost& host);
void ScrollPageUp(CActionHost& host);
void ScrollPageDown(CActionHost& host);
void FullScreenMomentary(CActionHost& host);
void FullScreenToggle(CActionHost& host);
void ZoomIn(CActionHost& host);
void ZoomOut(CActionHost& host);
void Home(CActionHost& host);
void AddToFavorites(CActionHost& host);
void Cut(CActionHost& host);
void Copy(CActionHost& host);
void Paste(CActionHost& host);
void CopyScreenToClipboard(CActionHost& host);
void CopyWindowToClipboard(CActionHost& host);
void CycleWallpaper(CActionHost& host);
void RandomWallpaper(CActionHost& host);
void ToggleWallpaper(CActionHost& host);
void CloseWindow(CActionHost& host);
void CloseDocument(CActionHost& host);
void SaveDocument(CActionHost& host);
void SoundVolume(CActionHost& host);
void VornSettings(CActionHost& host);
void NoAction(CActionHost& host);

// Windows
void TaskView(CActionHost& host);
void StartMenu(CActionHost& host);
void Search(CActionHost& host);
void ActionCenter(CActionHost& host);
void FileExplorer(CActionHost& host);
void NextDesktop(CActionHost& host);
void PreviousDesktop(CActionHost& host);
void NewDesktop(CActionHost& host);

// Media
void PlayPause(CActionHost& host);
void NextTrack(CActionHost& host);
void PreviousTrack(CActionHost& host);
void Mute(CActionHost& host);
void VolumeUp(CActionHost& host);
void VolumeDown(CActionHost& host);

}  // namespace vorn::handlers
