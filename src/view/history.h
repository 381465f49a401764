#pragma once
// The visible axis ranges as the view history saves them, and the history itself: a list of views
// with historyIndex marking the one on screen. Undo and redo move the index; a push drops the
// views redo could still reach.
#include <cstddef>

#include "core/chart_state.h"

namespace view {

// historyIndex as an entry number.
std::size_t historyEntry(const core::ChartState& s);
bool canUndo(const core::ChartState& s);
bool canRedo(const core::ChartState& s);

// Records the view on screen after the current entry, discarding any newer entries.
void pushView(core::ChartState& s);
// Moves one entry back / forward and loads its view; false (nothing changes) at either end.
bool stepBack(core::ChartState& s);
bool stepForward(core::ChartState& s);

}  // namespace view
