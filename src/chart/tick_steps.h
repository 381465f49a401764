#pragma once
// The distance between axis ticks: the start step times the smallest power of ten for which every
// tick label still fits beside the next one (amount labels one text line apart, price labels the
// width of "MM" apart).
#include "core/chart_state.h"

namespace chart {

// Sets amountStep for an amount range; lineHeight is the height of "M" in millimetres.
void Barasi(core::ChartState& s, float tempArea, float tempStep, float lineHeight);
// Sets priceStep for a price range; labelWidth is the width of "MM" in millimetres.
void Zappari(core::ChartState& s, float tempArea, float tempStep, float labelWidth);

// The search itself: the first of tempStep, 10 x tempStep, ... with tempArea / step <= fit, where
// fit = floor(room / measure). It always ends on a finite step, even when no label fits at all.
float tickStep(float tempArea, float tempStep, float room, float measure);

}  // namespace chart
