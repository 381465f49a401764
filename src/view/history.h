#pragma once
// The visible axis ranges as the view history saves them, and the history itself: a list of views
// with historyIndex marking the one on screen. Undo and redo move the index; a push drops the
// views redo could still reach.
#include <cstddef>

#include "app/chart_state.h"

namespace view {

// The view on screen: priceMin, priceSpan, amountMin, amountSpan.
SavedView currentView(const ChartState& s);
// Puts a view on screen (the caller redraws).
void showView(ChartState& s, const SavedView& v);
// A view the chart can map: finite lower ends, finite positive spans, finite upper ends.
bool isShowable(const SavedView& v);

// historyIndex as an entry number.
std::size_t historyEntry(const ChartState& s);
bool canUndo(const ChartState& s);
bool canRedo(const ChartState& s);

// Records the view on screen after the current entry, discarding any newer entries.
void pushView(ChartState& s);
// Moves one entry back / forward and loads its view; false (nothing changes) at either end.
bool stepBack(ChartState& s);
bool stepForward(ChartState& s);

}  // namespace view
