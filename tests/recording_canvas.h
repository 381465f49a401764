#pragma once
// A canvas for the pure tests of the chart: no window, no font, no QApplication.
#include <string>
#include <string_view>
#include <vector>

#include "chart/canvas.h"

// Records what the chart draws and prints, with widths that do not depend on any font: 1.5 mm per
// ASCII character, 3 mm per other character; a text line is 3 mm.
class RecordingCanvas : public chart::Canvas {
 public:
  struct Printed {
    std::string text;
    float x, y;
  };
  std::vector<Printed> printed;
  struct Drawn {
    float x1, y1, x2, y2;
    core::Colour colour;
    int width;
  };
  std::vector<Drawn> lines;

  void Line(float x1, float y1, float x2, float y2) override {
    lines.push_back({x1, y1, x2, y2, ForeColor, DrawWidth});
  }
  void Print(std::string_view text) override {
    printed.push_back({std::string(text), CurrentX, CurrentY});
    CurrentY += 3;
  }
  float TextWidth(std::string_view text) const override {
    float width = 0;
    for (const char c : text) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte < 0x80)
        width += 1.5f;
      else if (byte >= 0xC0)
        width += 3;  // the first byte of a multi-byte character
    }
    return width;
  }
  float TextHeight(std::string_view) const override { return 3; }
};
