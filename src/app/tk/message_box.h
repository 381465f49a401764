#pragma once
// The program's one message box: modal, OK only, with the application's title. Tests replace the
// sink to see the message without a modal loop.
#include <QString>
#include <functional>

class QWidget;

namespace tk {

using MessageSink = std::function<void(QWidget* parent, const QString& text)>;
void showMessage(QWidget* parent, const QString& text);
void setMessageSink(MessageSink sink);  // an empty sink restores the real message box

}  // namespace tk
