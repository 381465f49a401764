#pragma once
// From chart values (unit price, settlement amount) to drawing coordinates in millimetres.
// Each is evaluated in double and only the result is stored as a float.
#include "core/chart_state.h"

namespace core {

// The plot area's right and top edges, kept in double until a position is stored.
double plotRight(const ChartState& s);
double plotTop(const ChartState& s);

// x of unit price tempP.
float FuncX(const ChartState& s, float tempP);
// The unit price at x: FuncX backwards, in double and not rounded.
double PriceAtX(const ChartState& s, float x);
// y of the settlement amount quantity * tempP + tempT.
float FuncY(const ChartState& s, float tempP, float tempT);
// Where the rising amount line with fee term tempT enters the plot area (lineStartX/Y).
void Siten(ChartState& s, float tempT);
// Where it leaves the plot area (lineEndX/Y).
void Syuten(ChartState& s, float tempT);
// The same three for an amount line of another slope: slope x tempP + tempT, where the slope is
// the quantity times one plus or minus a fee's rate. With the slope the quantity they are the
// three above.
float FuncY(const ChartState& s, float tempP, double slope, float tempT);
void Siten(ChartState& s, double slope, float tempT);
void Syuten(ChartState& s, double slope, float tempT);

// A view the chart can map: finite lower ends, finite positive spans, and upper ends that stay
// finite when stored as floats.
bool isShowable(const SavedView& v);
// The view on screen can be drawn: a showable view and a plot area of positive size.
bool viewIsDrawable(const ChartState& s);

}  // namespace core
