#pragma once
// The look of the two frames (Frame1, Frame2): the platform style's own metrics and caption, but a
// frame that is an etched outline only. The styles' usual group box fills its inside with a panel
// a shade off the window's grey, so each frame showed as a faint box of another grey; the frames
// are the window's grey.
#include <QProxyStyle>

namespace tk {

class FrameStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

}  // namespace tk
