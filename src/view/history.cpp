#include "view/history.h"

#include <cmath>

#include "core/single.h"

namespace view {

std::size_t historyEntry(const core::ChartState& s) {
  const long entry = std::lround(s.historyIndex);
  return entry > 0 ? static_cast<std::size_t>(entry) : 0;
}

bool canUndo(const core::ChartState& s) {
  const std::size_t entry = historyEntry(s);
  return entry > 0 && entry <= s.viewHistory.size();
}

bool canRedo(const core::ChartState& s) { return historyEntry(s) + 1 < s.viewHistory.size(); }

void pushView(core::ChartState& s) {
  const std::size_t next = historyEntry(s) + 1;
  s.viewHistory.resize(next + 1);
  s.historyIndex = core::toSingle(next);
  s.viewHistory[next] = core::currentView(s);
}

bool stepBack(core::ChartState& s) {
  if (!canUndo(s)) return false;
  s.historyIndex -= 1;
  core::showView(s, s.viewHistory[historyEntry(s)]);
  return true;
}

bool stepForward(core::ChartState& s) {
  if (!canRedo(s)) return false;
  s.historyIndex += 1;
  core::showView(s, s.viewHistory[historyEntry(s)]);
  return true;
}

}  // namespace view
