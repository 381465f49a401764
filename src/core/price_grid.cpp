#include "core/price_grid.h"

#include <algorithm>

namespace core {

namespace {

// Floor and ceiling of a multiple for any sign of k (step > 0).
std::int64_t floorTo(std::int64_t k, std::int64_t step) {
  const std::int64_t q = k / step;
  return (k % step != 0 && k < 0 ? q - 1 : q) * step;
}
std::int64_t ceilTo(std::int64_t k, std::int64_t step) {
  const std::int64_t f = floorTo(k, step);
  return f == k ? k : f + step;
}

int decimalsOf(std::int64_t hundredths) {
  if (hundredths % 100 == 0) return 0;
  return hundredths % 10 == 0 ? 1 : 2;
}

}  // namespace

PriceGrid::PriceGrid(const TradeSettings& settings) {
  if (const std::vector<TickBand>* bands = tickBands(settings.priceTicks))
    bands_ = *bands;
  else
    step_ = settings.price.step > 0 ? settings.price.step : 1;
}

PriceGrid PriceGrid::hundredths() { return PriceGrid(); }

std::size_t PriceGrid::bandOf(std::int64_t k) const {
  std::size_t band = 0;
  while (band + 1 < bands_.size() && k > *bands_[band].upTo) ++band;
  return band;
}

std::int64_t PriceGrid::atOrAbove(std::int64_t k) const {
  if (bands_.empty()) return ceilTo(k, step_);
  const std::size_t band = bandOf(k);
  const std::int64_t up = ceilTo(k, bands_[band].tick);
  // A band's border lies on its own grid, so the ceiling passes it only where a file's table
  // leaves the next band's first price off the border: then it is that band's first multiple.
  if (band + 1 < bands_.size() && up > *bands_[band].upTo)
    return ceilTo(*bands_[band].upTo + 1, bands_[band + 1].tick);
  return up;
}

std::int64_t PriceGrid::atOrBelow(std::int64_t k) const {
  if (bands_.empty()) return floorTo(k, step_);
  const std::size_t band = bandOf(k);
  const std::int64_t down = floorTo(k, bands_[band].tick);
  // Below the band's start the price belongs to the band before, whose border is on its grid.
  if (band > 0 && down <= *bands_[band - 1].upTo) return *bands_[band - 1].upTo;
  return down;
}

int priceDecimals(const TradeSettings& settings) {
  int decimals = 0;
  if (const std::vector<TickBand>* bands = tickBands(settings.priceTicks)) {
    for (const TickBand& band : *bands) decimals = std::max(decimals, decimalsOf(band.tick));
    return decimals;
  }
  return std::max(decimalsOf(settings.price.step), decimalsOf(settings.price.bigStep));
}

std::string trimPriceText(std::string text, const TradeSettings& settings) {
  const std::size_t point = text.find('.');
  if (point == std::string::npos) return text;
  const std::size_t keep = point + static_cast<std::size_t>(priceDecimals(settings));
  std::size_t end = text.size();
  while (end > keep + 1 && text[end - 1] == '0') --end;
  if (end == point + 1) end = point;  // no decimals left: no point either
  text.resize(end);
  return text;
}

}  // namespace core
