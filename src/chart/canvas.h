#pragma once
// What the chart draws on: a surface with a millimetre scale, y downward, that draws lines in its
// current colour and width and prints text at its current position, as the window's surface does.
// The window implements it over the toolkit; tests can record with it.
#include <string_view>

#include "core/chart_state.h"

namespace chart {

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void Line(float x1, float y1, float x2, float y2) = 0;
  // Prints a text with its top-left corner at (CurrentX, CurrentY); afterwards CurrentY moves one
  // text line down and CurrentX is unchanged.
  virtual void Print(std::string_view text) = 0;
  // Width and height of a text in the surface's font, in millimetres.
  virtual float TextWidth(std::string_view text) const = 0;
  virtual float TextHeight(std::string_view text) const = 0;

  // Prints a number: its plain text, with one leading blank in place of the sign when >= 0.
  void PrintNumber(float value);

  core::Colour ForeColor = 0;
  int DrawWidth = 1;
  float CurrentX = 0;
  float CurrentY = 0;
};

}  // namespace chart
