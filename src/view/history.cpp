#include "view/history.h"

#include <cmath>

#include "core/single.h"

namespace view {

std::size_t historyEntry(const ChartState& s) {
  const long entry = std::lround(s.historyIndex);
  return entry > 0 ? static_cast<std::size_t>(entry) : 0;
}

bool canUndo(const ChartState& s) {
  const std::size_t entry = historyEntry(s);
  return entry > 0 && entry <= s.viewHistory.size();
}

bool canRedo(const ChartState& s) { return historyEntry(s) + 1 < s.viewHistory.size(); }

void pushView(ChartState& s) {
  const std::size_t next = historyEntry(s) + 1;
  s.viewHistory.resize(next + 1);
  s.historyIndex = toSingle(next);
  s.viewHistory[next] = currentView(s);
}

bool stepBack(ChartState& s) {
  if (!canUndo(s)) return false;
  s.historyIndex -= 1;
  showView(s, s.viewHistory[historyEntry(s)]);
  return true;
}

bool stepForward(ChartState& s) {
  if (!canRedo(s)) return false;
  s.historyIndex += 1;
  showView(s, s.viewHistory[historyEntry(s)]);
  return true;
}

}  // namespace view
