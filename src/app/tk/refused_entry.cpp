#include "app/tk/refused_entry.h"

#include <QApplication>
#include <QColor>
#include <QLineEdit>
#include <QPalette>

namespace tk {

namespace {
const QColor kRefusedText(Qt::red);
const QColor kRefusedBackground(255, 222, 222);
}  // namespace

bool shownRefused(const QLineEdit* field) {
  return field->palette().color(QPalette::Text) == kRefusedText;
}

void showTaken(QLineEdit* field, bool taken) {
  if (taken != shownRefused(field)) return;
  QPalette palette = field->palette();
  const QPalette normal = QApplication::palette(field);
  palette.setColor(QPalette::Text, taken ? normal.color(QPalette::Text) : kRefusedText);
  palette.setColor(QPalette::Base, taken ? normal.color(QPalette::Base) : kRefusedBackground);
  field->setPalette(palette);
  field->setAccessibleDescription(
      taken ? field->toolTip() : field->toolTip() + QStringLiteral("（受け付けられない値です）"));
}

}  // namespace tk
