#pragma once

// Whether Caps Lock, Num Lock or Scroll Lock is on, by the indicator id of
// its status-bar pane. False where the windowing system does not tell.
bool IsKeyLockOn(int nIndicatorID);
