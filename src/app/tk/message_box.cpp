#include "app/tk/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace tk {

namespace {
MessageSink& sink() {
  static MessageSink s;
  return s;
}
}  // namespace

void setMessageSink(MessageSink s) { sink() = std::move(s); }

void showMessage(QWidget* parent, const QString& text) {
  if (sink()) {
    sink()(parent, text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace tk
