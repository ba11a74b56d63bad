#pragma once
// The hourglass shown while the work runs on the user-interface thread.
namespace plat {

void BeginWaitCursor();
void EndWaitCursor();
void RestoreNormalCursor();  // the arrow, without ending the wait state

}  // namespace plat
