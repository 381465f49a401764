#pragma once
// A combo box whose list is filled afresh each time it opens: the named trades, which another
// window may have changed since this one last read them.
#include <QComboBox>
#include <functional>
#include <utility>

namespace tk {

class FreshComboBox : public QComboBox {
 public:
  using QComboBox::QComboBox;
  void setRefill(std::function<void()> refill) { refill_ = std::move(refill); }
  void showPopup() override {
    if (refill_) refill_();
    QComboBox::showPopup();
  }

 private:
  std::function<void()> refill_;
};

}  // namespace tk
