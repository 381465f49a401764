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
  // Titled with the program's name: the application's display name is not set, because the
  // window system would add it to every title, and the window's own title names the plan.
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("ほしなみ。"), text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace tk
