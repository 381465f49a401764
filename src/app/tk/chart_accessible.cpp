#include "app/tk/chart_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <cmath>
#include <utility>

#include "app/tk/units.h"
#include "core/mapping.h"
#include "core/number_text.h"

namespace tk {

namespace {

QAccessibleInterface* chartFactory(const QString&, QObject* object) {
  if (auto* area = dynamic_cast<ChartArea*>(object))
    return new QAccessibleWidget(area, QAccessible::Chart);
  return nullptr;
}

}  // namespace

ChartArea::ChartArea(QWidget* parent, Reading reading)
    : QWidget(parent), reading_(std::move(reading)) {
  static const bool installed = [] {
    QAccessible::installFactory(chartFactory);
    return true;
  }();
  Q_UNUSED(installed);
  setObjectName(QStringLiteral("chartArea"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setAccessibleName(QStringLiteral("受渡金額と単価のグラフ"));
}

void ChartArea::follow(const core::ChartState& s) {
  const int left = static_cast<int>(std::floor(mmToPx(s.graphLeft)));
  const int top = static_cast<int>(std::floor(mmToPx(core::plotTop(s))));
  const int right = static_cast<int>(std::ceil(mmToPx(core::plotRight(s))));
  const int bottom = static_cast<int>(std::ceil(mmToPx(s.graphBottom)));
  setGeometry(left, top, std::max(1, right - left), std::max(1, bottom - top));
  // A point the view no longer shows is not read until the pointer reads the chart again.
  if (point_ && !(s.priceMin <= *point_ && *point_ <= s.priceMax)) point_.reset();
  describe(s);
}

void ChartArea::followTrade(const core::ChartState& s) {
  if (point_) describe(s);
}

void ChartArea::showPoint(const core::ChartState& s, float price) {
  point_ = price;
  describe(s);
}

void ChartArea::describe(const core::ChartState& s) {
  QString description =
      QStringLiteral("単価 %1～%2、受渡金額 %3～%4")
          .arg(qs(core::plainFloat(s.priceMin)), qs(core::plainFloat(s.priceMax)),
               qs(core::formatGrouped(s.amountMin)), qs(core::formatGrouped(s.amountMax)));
  if (point_)
    for (const std::string& line : reading_(s, *point_))
      description += QLatin1Char('\n') + displayText(qs(line));
  if (accessibleDescription() != description) setAccessibleDescription(description);
}

}  // namespace tk
