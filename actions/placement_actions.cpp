#include "actions/handlers.h"

#include "actions/action_host.h"

namespace vorn::handlers {

void Cascade(CActionHost& /*host*/) {}
void TileHorizontal(CActionHost& /*host*/) {}
void TileVertical(CActionHost& /*host*/) {}
void TileLeft(CActionHost& /*host*/) {}
void TileRight(CActionHost& /*host*/) {}
void TileTop(CActionHost& /*host*/) {}
void TileBottom(CActionHost& /*host*/) {}
void Tile2Horizontal(CActionHost& /*host*/) {}
void Tile2Vertical(CActionHost& /*host*/) {}
void EnlargeWindow(CActionHost& /*host*/) {}
void GrowWindowLeft(CActionHost& /*host*/) {}
void GrowWindowRight(CActionHost& /*host*/) {}
void GrowWindowTop(CActionHost& /*host*/) {}
void GrowWindowBottom(CActionHost& /*host*/) {}
void GrowWindowHeight(CActionHost& /*host*/) {}
void GrowWindowWidth(CActionHost& /*host*/) {}
void GrowWindowAll(CActionHost& /*host*/) {}
void ShrinkWindowLeft(CActionHost& /*host*/) {}
void ShrinkWindowRight(CActionHost& /*host*/) {}
void ShrinkWindowTop(CActionHost& /*host*/) {}
void ShrinkWindowBottom(CActionHost& /*host*/) {}
void ShrinkWindowHeight(CActionHost& /*host*/) {}
void ShrinkWindowWidth(CActionHost& /*host*/) {}
void ShrinkWindowAll(CActionHost& /*host*/) {}
void MoveWindowLeft(CActionHost& /*host*/) {}
void MoveWindowRight(CActionHost& /*host*/) {}
void MoveWindowUp(CActionHost& /*host*/) {}
void MoveWindowDown(CActionHost& /*host*/) {}
void MoveWindowUpAndLeft(CActionHost& /*host*/) {}
void MoveWindowUpAndRight(CActionHost& /*host*/) {}
void MoveWindowDownAndLeft(CActionHost& /*host*/) {}
void MoveWindowDownAndRight(CActionHost& /*host*/) {}
void MinimizeMomentary(CActionHost& /*host*/) {}
void MinimizePersistent(CActionHost& /*host*/) {}
void MaximizeMomentary(CActionHost& /*host*/) {}
void MaximizePersistent(CActionHost& /*host*/) {}
void Restore(CActionHost& /*host*/) {}
void MinimizeAllMomentary(CActionHost& /*host*/) {}
void MinimizeAllPersistent(CActionHost& /*host*/) {}
void MaximizeAllMomentary(CActionHost& /*host*/) {}
void MaximizeAllPersistent(CActionHost& /*host*/) {}
void RestoreAll(CActionHost& /*host*/) {}
void FullScreenToggleChrome(CActionHost& /*host*/) {}

}  // namespace vorn::handlers
