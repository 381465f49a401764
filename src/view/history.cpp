#include "view/history.h"

#include <cmath>

#include "view/single.h"

namespace view {

SavedView currentView(const ChartState& s) {
  return {s.priceMin, s.priceSpan, s.amountMin, s.amountSpan};
}

void showView(ChartState& s, const SavedView& v) {
  s.priceMin = v[0];
  s.priceSpan = v[1];
  s.amountMin = v[2];
  s.amountSpan = v[3];
}

bool isShowable(const SavedView& v) {
  const auto finite = [](float f) { return std::isfinite(f); };
  const auto positive = [&](float f) { return finite(f) && f > 0; };
  return finite(v[0]) && positive(v[1]) && finite(v[2]) && positive(v[3]) &&
         finite(toSingle(static_cast<double>(v[0]) + v[1])) &&
         finite(toSingle(static_cast<double>(v[2]) + v[3]));
}

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
  s.historyIndex = static_cast<float>(next);
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
