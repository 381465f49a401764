#include "app/tk/units.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>
#include <cmath>

#include "core/single.h"

namespace tk {

QColor toQColor(core::Colour c) {
  return QColor(static_cast<int>(core::redOf(c)), static_cast<int>(core::greenOf(c)),
                static_cast<int>(core::blueOf(c)));
}

QString qs(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

const QStringList& gothicFamilyPreference() {
  static const QStringList preferred = {
      QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")};
  return preferred;
}

namespace {
// The preferred Gothic face of those installed, alone. Qt draws with the first family it finds
// either way; given more, it sorts the system's fonts for fallbacks for every script and style up
// front (about a millisecond of start-up), where with one family it asks only when a glyph is
// missing.
const QStringList& gothicFamilies() {
  static const QStringList families = [] {
    const QStringList& preferred = gothicFamilyPreference();
    const QStringList known = QFontDatabase::families();
    for (const QString& family : preferred)
      if (known.contains(family, Qt::CaseInsensitive)) return QStringList{family};
    return preferred;
  }();
  return families;
}
}  // namespace

QFont gothicFont(double points, bool bold) {
  QFont font;
  font.setFamilies(gothicFamilies());
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
  font.setBold(bold);
  return font;
}

QFont windowFont() { return gothicFont(9.0); }

QFont unshaped(QFont font) {
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

QString displayText(const QString& caption) {
  QString shown = caption;
  shown.replace(QLatin1Char('\\'), QChar(0x00A5));
  return shown;
}

float textWidthMm(const QFontMetricsF& metrics, const QString& text) {
  return core::toSingle(pxToMm(metrics.horizontalAdvance(displayText(text))));
}

float textWidthMm(const QFont& font, const QString& text) {
  return textWidthMm(QFontMetricsF(font), text);
}

}  // namespace tk
