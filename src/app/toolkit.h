#pragma once
// The layer over Qt that every part of the window relies on: units, fonts, the retained drawing
// surface with a millimetre scale, the controls placed in millimetres (labels, lines, the selection
// rectangle), the window's outer size in twips and the one message box.
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QLabel>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/chart_state.h"

class QPainter;

namespace tk {

// Units. Twips and millimetres are logical units at 96 dpi; Qt's device-pixel ratio does the rest.
inline constexpr double kPxPerMm = 96.0 / 25.4;
inline constexpr double kTwipsPerPx = 15.0;
inline double mmToPx(double mm) { return mm * kPxPerMm; }
inline double pxToMm(double px) { return px / kPxPerMm; }
inline int twipsToPx(int twips) { return static_cast<int>(twips / kTwipsPerPx + 0.5); }
inline int pxToTwips(int px) { return static_cast<int>(px * kTwipsPerPx); }

QColor toQColor(Colour c);
QString qs(std::string_view utf8);  // UTF-8 to QString

// The window's font family list (a proportional Japanese Gothic face) at a point size.
// Sizes are fixed in pixels (1 pt = 96/72 px) so that measures do not depend on the screen's dpi.
QFont gothicFont(double points, bool bold = false);
QFont windowFont();  // 9 pt regular: everything printed on the chart and its text measures

// A backslash in a caption is the yen sign of the original Japanese fonts: the caption keeps the
// backslash (that is its value) and the screen shows "¥".
QString displayText(const QString& caption);

// Width and height of a text in a font, in millimetres.
float textWidthMm(const QFont& font, const QString& text);
float textHeightMm(const QFont& font, const QString& text);

// One recorded drawing operation, in millimetres.
struct DrawOp {
  enum Kind { Line, Text } kind;
  float x1, y1, x2, y2;  // line end points; for text, (x1, y1) is the top-left corner
  Colour colour;
  int width;     // line width in logical pixels
  QString text;  // printed text
};

// The chart's drawing surface: immediate-mode drawing calls are recorded in a display list that is
// replayed on every paint, so the picture survives being covered and is sharp at any scale.
class DrawingSurface {
 public:
  explicit DrawingSurface(QFont font = windowFont());

  void Cls();
  void Line(float x1, float y1, float x2, float y2);
  // Prints a text with its top-left corner at (CurrentX, CurrentY); afterwards CurrentY moves one
  // text line down and CurrentX is unchanged, as on the original surface.
  void Print(std::string_view text);
  // Prints a number: its plain text, with one leading blank in place of the sign when >= 0.
  void PrintNumber(float value);
  float TextWidth(std::string_view text) const;
  float TextHeight(std::string_view text) const;

  Colour ForeColor = 0;
  int DrawWidth = 1;
  float CurrentX = 0;
  float CurrentY = 0;

  const std::vector<DrawOp>& ops() const { return ops_; }
  const QFont& font() const { return font_; }
  void paint(QPainter& painter) const;

 private:
  QFont font_;
  QFontMetricsF metrics_;  // measuring is the hot part of a redraw: keep one
  std::vector<DrawOp> ops_;
};

// A label on the window surface, placed in millimetres and always exactly as wide as its text.
// It takes the mouse presses and moves over it (they do not fall through to the chart).
class MmLabel : public QLabel {
 public:
  explicit MmLabel(QWidget* parent);
  void setCaption(const QString& caption);  // the caption as the program holds it
  QString caption() const { return caption_; }
  void setLeftMm(float left);
  void setTopMm(float top);
  float leftMm() const { return left_; }
  float topMm() const { return top_; }
  void setColours(Colour back, Colour fore);
  Colour backColour() const { return back_; }
  Colour foreColour() const { return fore_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void relayout();
  QString caption_;
  float left_ = 0, top_ = 0;
  Colour back_ = 0, fore_ = 0;
};

// A line control: two end points in millimetres, drawn 1 px wide in its colour; no mouse input.
class LineControl : public QWidget {
 public:
  LineControl(QWidget* parent, Colour colour);
  void setPoints(float x1, float y1, float x2, float y2);
  float x1() const { return x1_; }
  float y1() const { return y1_; }
  float x2() const { return x2_; }
  float y2() const { return y2_; }
  Colour colour() const { return colour_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  float x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  Colour colour_;
};

// The selection rectangle: an outline that does not hide the chart under it; no mouse input.
class ShapeControl : public QWidget {
 public:
  explicit ShapeControl(QWidget* parent);
  void setRectMm(float left, float top, float width, float height);
  float leftMm() const { return left_; }
  float topMm() const { return top_; }
  float widthMm() const { return width_; }
  float heightMm() const { return height_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

// Enter or Return on a focused command button clicks it once, as the space bar does; a held key's
// repeats do not click again.
class EnterClicksButton : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// The window's outer size in twips. Setting it is refused (returns false, nothing changes) while
// the window is minimised or maximised.
int outerWidthTwips(const QWidget* window);
int outerHeightTwips(const QWidget* window);
bool setOuterWidthTwips(QWidget* window, int twips);
bool setOuterHeightTwips(QWidget* window, int twips);
// The smallest outer size the window manager lets the user drag the window to.
void setMinimumOuterSizeTwips(QWidget* window, int widthTwips, int heightTwips);

// The program's one message box: modal, OK only, with the application's title. Tests replace the
// sink to see the message without a modal loop.
using MessageSink = std::function<void(QWidget* parent, const QString& text)>;
void showMessage(QWidget* parent, const QString& text);
void setMessageSink(MessageSink sink);  // an empty sink restores the real message box

}  // namespace tk
