#include "app/toolkit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "app/number_text.h"

namespace tk {

QColor toQColor(Colour c) {
  return QColor(static_cast<int>(redOf(c)), static_cast<int>(greenOf(c)),
                static_cast<int>(blueOf(c)));
}

QString qs(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

namespace {
// The Gothic faces in order of preference, of those installed. Qt takes the first it finds either
// way, but it also works out glyph fallbacks (a fontconfig sort per script) for a first family that
// is missing, which is start-up time spent on nothing.
const QStringList& gothicFamilies() {
  static const QStringList families = [] {
    const QStringList preferred = {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                                   QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                                   QStringLiteral("IPAGothic")};
    const QStringList known = QFontDatabase::families();
    QStringList installed;
    for (const QString& family : preferred)
      if (known.contains(family, Qt::CaseInsensitive)) installed << family;
    return installed.isEmpty() ? preferred : installed;
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

QString displayText(const QString& caption) {
  QString shown = caption;
  shown.replace(QLatin1Char('\\'), QChar(0x00A5));
  return shown;
}

float textWidthMm(const QFont& font, const QString& text) {
  return static_cast<float>(pxToMm(QFontMetricsF(font).horizontalAdvance(displayText(text))));
}

float textHeightMm(const QFont& font, const QString& text) {
  // One text line, whatever the text: the original measure is the line's height.
  Q_UNUSED(text);
  return static_cast<float>(pxToMm(QFontMetricsF(font).height()));
}

// ---- DrawingSurface ----

DrawingSurface::DrawingSurface(QFont font) : font_(std::move(font)), metrics_(font_) {}

void DrawingSurface::Cls() {
  ops_.clear();
  CurrentX = 0;
  CurrentY = 0;
}

void DrawingSurface::Line(float x1, float y1, float x2, float y2) {
  // A point that is not a number or infinite is never put on the screen.
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  ops_.push_back(DrawOp{DrawOp::Line, x1, y1, x2, y2, ForeColor, DrawWidth, {}});
}

void DrawingSurface::Print(std::string_view text) {
  QString q = qs(text);
  ops_.push_back(DrawOp{DrawOp::Text, CurrentX, CurrentY, 0, 0, ForeColor, DrawWidth, q});
  CurrentY += TextHeight("M");
}

void DrawingSurface::PrintNumber(float value) {
  const std::string plain = numtext::plainFloat(value);
  Print(value >= 0 ? " " + plain : plain);
}

float DrawingSurface::TextWidth(std::string_view text) const {
  return static_cast<float>(pxToMm(metrics_.horizontalAdvance(displayText(qs(text)))));
}

float DrawingSurface::TextHeight(std::string_view) const {
  return static_cast<float>(pxToMm(metrics_.height()));
}

void DrawingSurface::paint(QPainter& painter) const {
  painter.save();
  painter.setFont(font_);
  const double ascent = metrics_.ascent();
  for (const DrawOp& op : ops_) {
    if (op.kind == DrawOp::Line) {
      // Axis-parallel lines (grid, axes) stay crisp; slanted amount lines are smoothed.
      const bool slanted = op.x1 != op.x2 && op.y1 != op.y2;
      painter.setRenderHint(QPainter::Antialiasing, slanted);
      QPen pen(toQColor(op.colour));
      pen.setWidthF(op.width);
      pen.setCapStyle(Qt::FlatCap);
      painter.setPen(pen);
      painter.drawLine(QPointF(mmToPx(op.x1), mmToPx(op.y1)),
                       QPointF(mmToPx(op.x2), mmToPx(op.y2)));
    } else {
      painter.setPen(toQColor(op.colour));
      painter.drawText(QPointF(mmToPx(op.x1), mmToPx(op.y1) + ascent), displayText(op.text));
    }
  }
  painter.restore();
}

// ---- MmLabel ----

MmLabel::MmLabel(QWidget* parent) : QLabel(parent) {
  setContentsMargins(0, 0, 0, 0);
  setIndent(0);
  setMargin(0);
  setFont(windowFont());
}

void MmLabel::setCaption(const QString& caption) {
  caption_ = caption;
  const QString shown = displayText(caption);
  setText(shown);
  setAccessibleName(shown);
  relayout();
}

void MmLabel::setLeftMm(float left) {
  left_ = left;
  relayout();
}

void MmLabel::setTopMm(float top) {
  top_ = top;
  relayout();
}

void MmLabel::setColours(Colour back, Colour fore) {
  back_ = back;
  fore_ = fore;
  update();
}

void MmLabel::relayout() {
  // The widget starts at the whole pixel left of the exact position; the text is painted at the
  // exact fraction, so a right-aligned caption ends exactly where the program put its end.
  const QFontMetricsF fm(font());
  const double x = mmToPx(left_);
  const double y = mmToPx(top_);
  const double x0 = std::floor(x);
  const double y0 = std::floor(y);
  const double w = std::ceil(x - x0 + fm.horizontalAdvance(text()));
  const double h = std::ceil(y - y0 + fm.height());
  setGeometry(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(std::max(1.0, w)),
              static_cast<int>(std::max(1.0, h)));
  update();
}

void MmLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), toQColor(back_));
  painter.setPen(toQColor(fore_));
  painter.setFont(font());
  const QFontMetricsF fm(font());
  const double dx = mmToPx(left_) - x();
  const double dy = mmToPx(top_) - y();
  painter.drawText(QPointF(dx, dy + fm.ascent()), text());
}

void MmLabel::mousePressEvent(QMouseEvent* event) { event->accept(); }
void MmLabel::mouseMoveEvent(QMouseEvent* event) { event->accept(); }

// ---- LineControl ----

LineControl::LineControl(QWidget* parent, Colour colour) : QWidget(parent), colour_(colour) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
}

void LineControl::setPoints(float x1, float y1, float x2, float y2) {
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  const double left = std::floor(mmToPx(std::min(x1, x2)));
  const double top = std::floor(mmToPx(std::min(y1, y2)));
  const double right = std::ceil(mmToPx(std::max(x1, x2))) + 1;
  const double bottom = std::ceil(mmToPx(std::max(y1, y2))) + 1;
  setGeometry(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
              static_cast<int>(bottom - top));
  update();
}

void LineControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QPen(toQColor(colour_), 1));
  const QPointF origin(x(), y());
  painter.drawLine(QPointF(mmToPx(x1_), mmToPx(y1_)) - origin,
                   QPointF(mmToPx(x2_), mmToPx(y2_)) - origin);
}

// ---- ShapeControl ----

ShapeControl::ShapeControl(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
}

void ShapeControl::setRectMm(float left, float top, float width, float height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  const int l = static_cast<int>(std::floor(mmToPx(left)));
  const int t = static_cast<int>(std::floor(mmToPx(top)));
  const int r = static_cast<int>(std::ceil(mmToPx(static_cast<double>(left) + width)));
  const int b = static_cast<int>(std::ceil(mmToPx(static_cast<double>(top) + height)));
  setGeometry(l, t, std::max(1, r - l + 1), std::max(1, b - t + 1));
  update();
}

void ShapeControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Dashed, so the rectangle stands out where it runs along a grid line.
  painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// ---- EnterClicksButton ----

bool EnterClicksButton::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      if (auto* button = qobject_cast<QAbstractButton*>(watched); button && button->isEnabled()) {
        if (!key->isAutoRepeat()) button->click();
        return true;
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

// ---- window size ----

namespace {
bool sizeLocked(const QWidget* w) {
  return w->isMinimized() || w->isMaximized() || w->isFullScreen();
}
}  // namespace

int outerWidthTwips(const QWidget* window) { return pxToTwips(window->frameGeometry().width()); }
int outerHeightTwips(const QWidget* window) { return pxToTwips(window->frameGeometry().height()); }

bool setOuterWidthTwips(QWidget* window, int twips) {
  if (sizeLocked(window)) return false;
  const int frame = window->frameGeometry().width() - window->width();
  window->resize(std::max(1, twipsToPx(twips) - frame), window->height());
  return true;
}

bool setOuterHeightTwips(QWidget* window, int twips) {
  if (sizeLocked(window)) return false;
  const int frame = window->frameGeometry().height() - window->height();
  window->resize(window->width(), std::max(1, twipsToPx(twips) - frame));
  return true;
}

void setMinimumOuterSizeTwips(QWidget* window, int widthTwips, int heightTwips) {
  const QSize frame = window->frameGeometry().size() - window->size();
  const QSize minimum(std::max(1, twipsToPx(widthTwips) - frame.width()),
                      std::max(1, twipsToPx(heightTwips) - frame.height()));
  if (window->minimumSize() != minimum) window->setMinimumSize(minimum);
}

// ---- message box ----

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
