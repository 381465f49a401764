#pragma once
// From chart values (unit price, settlement amount) to drawing coordinates in millimetres.
// Each is evaluated in double and only the result is stored as a float.
#include "app/chart_state.h"

// x of unit price tempP.
float FuncX(const ChartState& s, float tempP);
// y of the settlement amount quantity * tempP + tempT.
float FuncY(const ChartState& s, float tempP, float tempT);
// Where the rising amount line with fee term tempT enters the plot area (lineStartX/Y).
void Siten(ChartState& s, float tempT);
// Where it leaves the plot area (lineEndX/Y).
void Syuten(ChartState& s, float tempT);

// True when the view and the quantity can be mapped without dividing by zero or producing
// non-finite coordinates: positive finite spans and quantity, finite lower ends.
bool mappingIsSound(const ChartState& s);
