#pragma once
// The controls that lie on the window surface and are placed in millimetres: labels exactly as
// wide as their text, line controls and the selection rectangle.
#include <QLabel>
#include <QString>
#include <QWidget>

#include "core/chart_state.h"

namespace tk {

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
  // A caption's width as this label would show it, in millimetres (as textWidthMm measures it).
  float captionWidthMm(const QString& caption) const;
  void setColours(core::Colour back, core::Colour fore);
  core::Colour backColour() const { return back_; }
  core::Colour foreColour() const { return fore_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void relayout();
  double shownWidthPx(const QString& shown) const;
  QString caption_;
  float left_ = 0, top_ = 0;
  // The last text measured in the label's font and its width, and the font's line height: a
  // label is placed several times at start and on every resize, a marker's new caption is
  // measured before the label takes it, and shaping the text is most of what placing it costs.
  // Forgotten when the font changes; negative until measured.
  mutable QString measured_;
  mutable double measuredWidth_ = -1;
  double lineHeight_ = -1;
  core::Colour back_ = 0, fore_ = 0;
};

// A line control: two end points in millimetres, drawn 1 px wide in its colour; no mouse input.
class LineControl : public QWidget {
 public:
  LineControl(QWidget* parent, core::Colour colour);
  void setPoints(float x1, float y1, float x2, float y2);
  void setDashed(bool dashed);
  float x1() const { return x1_; }
  float y1() const { return y1_; }
  float x2() const { return x2_; }
  float y2() const { return y2_; }
  core::Colour colour() const { return colour_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  float x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  core::Colour colour_;
  bool dashed_ = false;
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

}  // namespace tk
