#pragma once

// The one application-wide cursor state: the hourglass while long work runs, the default
// otherwise. Showing the hourglass twice and restoring once leaves the default cursor, as a
// single setting (not a stack) should.
void ShowHourglass();
void RestoreCursor();
bool HourglassShown();
