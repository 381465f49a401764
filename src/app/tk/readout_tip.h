#pragma once
// A tool tip the window drives itself: a small text window beside the pointer that follows it
// while the window wants it, and that never takes the mouse (a press where it shows goes to the
// window under it). While it shows, it watches the whole application's mouse: it reports every
// move so the owner can update or hide it, and hides itself on any press or wheel turn.
#include <QLabel>
#include <functional>

namespace tk {

class ReadoutTip : public QLabel {
 public:
  // `moved` receives the pointer's global position on every mouse move while the tip shows.
  ReadoutTip(QWidget* owner, std::function<void(QPoint globalPos)> moved);
  ~ReadoutTip() override;

  // Shows (or updates) the text beside the pointer at `globalPos`.
  void showAt(QPoint globalPos, const QString& text);
  void hideTip();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void(QPoint)> moved_;
  bool watching_ = false;
};

}  // namespace tk
