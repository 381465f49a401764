#pragma once
// Units and fonts of the window. Twips and millimetres are logical units at 96 dpi; Qt's
// device-pixel ratio does the rest, so the window is the same size on every screen and crisp on
// dense ones.
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <QStringList>
#include <string_view>

#include "core/chart_state.h"
#include "core/single.h"

namespace tk {

inline constexpr double kPxPerMm = 96.0 / 25.4;
inline constexpr double kTwipsPerPx = 15.0;
inline double mmToPx(double mm) { return mm * kPxPerMm; }
inline double pxToMm(double px) { return px / kPxPerMm; }
inline int twipsToPx(int twips) { return static_cast<int>(twips / kTwipsPerPx + 0.5); }
inline int pxToTwips(int px) { return static_cast<int>(px * kTwipsPerPx); }
inline float twipsToMm(int twips) { return core::toSingle(pxToMm(twips / kTwipsPerPx)); }

QColor toQColor(core::Colour c);
QString qs(std::string_view utf8);  // UTF-8 to QString

// The Gothic families the window's fonts name, in order of preference, installed or not.
const QStringList& gothicFamilyPreference();
// The window's font family list (a proportional Japanese Gothic face) at a point size.
// Sizes are fixed in pixels (1 pt = 96/72 px) so that measures do not depend on the screen's dpi.
QFont gothicFont(double points, bool bold = false);
QFont windowFont();  // 9 pt regular: everything printed on the chart and its text measures
// The font for the window's own captions and figures (and the application's): Japanese, digits and
// Latin with no combining marks, whose glyphs and advances come straight from the font, so they
// skip shaping (the same pixels for less text work). What shows names a person typed or a system
// gave keeps the shaped font: a combining mark written apart (a dakuten, as some systems store
// names) needs shaping to join its letter.
QFont unshaped(QFont font);

// A backslash in a caption is the yen sign of the original Japanese fonts: the caption keeps the
// backslash (that is its value) and the screen shows "¥".
QString displayText(const QString& caption);

// Width of a text in a font, in millimetres, as shown (the yen sign, not the backslash).
float textWidthMm(const QFont& font, const QString& text);
float textWidthMm(const QFontMetricsF& metrics, const QString& text);  // for many measures

}  // namespace tk
