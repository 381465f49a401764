#pragma once
// The brokerage fee schedule in force: the tiers of the state's settings, by trade value
// (quantity x unit price). The readout, the markers, the entry-field checks and the amount lines
// all read the fees and the thresholds through these.
#include <cstddef>

#include "core/chart_state.h"

namespace core {

inline std::size_t tierCount(const ChartState& s) { return s.settings.fees.size(); }

// The trade value a tier holds values below, as a double; the last tier's is infinite.
double tierThreshold(const ChartState& s, std::size_t tier);

// The tier of a trade value; a value equal to a threshold belongs to the higher tier, and one
// that is not a number to the highest.
std::size_t feeTierOf(const ChartState& s, double tradeValue);

// A tier's fee, in single precision as every fee is kept (whole yen, exact there).
float tierFee(const ChartState& s, std::size_t tier);

}  // namespace core
