#include "app/tk/message_box.h"

#include <QMessageBox>

#include "app/tk/units.h"

namespace tk {

namespace {
MessageSink& sink() {
  static MessageSink s;
  return s;
}
QuestionSink& questionSink() {
  static QuestionSink s;
  return s;
}
// Boxes are titled with the program's name: the application's display name is not set, because
// the window system would add it to every title, and the window's own title names the plan.
const QString kTitle = QStringLiteral("ほしなみ。");

}  // namespace

void setMessageSink(MessageSink s) { sink() = std::move(s); }

void showMessage(QWidget* parent, const QString& text) {
  if (sink()) {
    sink()(parent, text);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, kTitle, text, QMessageBox::Ok, parent);
  box.setFont(windowFont());  // a message may quote a name or a file name
  box.exec();
}

void setQuestionSink(QuestionSink s) { questionSink() = std::move(s); }

bool ask(QWidget* parent, const QString& text) {
  if (questionSink()) return questionSink()(parent, text);
  QMessageBox box(QMessageBox::Question, kTitle, text, QMessageBox::Yes | QMessageBox::No, parent);
  box.setFont(windowFont());
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace tk
