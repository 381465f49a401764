#pragma once
// The program's one message box: modal, OK only, with the application's title; and its one
// question box. Tests replace the sinks to see the texts without a modal loop.
#include <QString>
#include <functional>

class QWidget;

namespace tk {

using MessageSink = std::function<void(QWidget* parent, const QString& text)>;
void showMessage(QWidget* parent, const QString& text);
void setMessageSink(MessageSink sink);  // an empty sink restores the real message box

// A question answered はい or いいえ (the default); true for はい. Tests replace the answerer.
using QuestionSink = std::function<bool(QWidget* parent, const QString& text)>;
bool ask(QWidget* parent, const QString& text);
void setQuestionSink(QuestionSink sink);  // an empty sink restores the real question box

}  // namespace tk
