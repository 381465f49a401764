#pragma once
// The window's outer size in twips. Setting it is refused (returns false, nothing changes) while
// the window is minimised or maximised.
class QWidget;

namespace tk {

int outerWidthTwips(const QWidget* window);
int outerHeightTwips(const QWidget* window);
bool setOuterWidthTwips(QWidget* window, int twips);
bool setOuterHeightTwips(QWidget* window, int twips);
// The smallest outer size the window manager lets the user drag the window to.
void setMinimumOuterSizeTwips(QWidget* window, int widthTwips, int heightTwips);

}  // namespace tk
