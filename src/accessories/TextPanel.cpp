#include "accessories/TextPanel.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <cstdlib>

namespace {

// A 3-D frame of the given width inside r, which shrinks by it.
void drawBevel(QPainter& painter, QRect& r, int width, TTextPanel::Bevel bevel, const QPalette& palette) {
  if (bevel == TTextPanel::Bevel::None || width <= 0) return;
  const QColor shadow = palette.color(QPalette::Dark), highlight = palette.color(QPalette::Light);
  const QColor topLeft = bevel == TTextPanel::Bevel::Lowered ? shadow : highlight;
  const QColor bottomRight = bevel == TTextPanel::Bevel::Lowered ? highlight : shadow;
  for (int i = 0; i < width; ++i) {
    painter.setPen(topLeft);
    painter.drawLine(r.left(), r.top(), r.right(), r.top());
    painter.drawLine(r.left(), r.top(), r.left(), r.bottom());
    painter.setPen(bottomRight);
    painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
    r.adjust(1, 1, -1, -1);
  }
}

}  // namespace

TTextPanel::TTextPanel(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("Timer") + name);
  timer_->setInterval(static_cast<int>(interval_));
  connect(timer_, &QTimer::timeout, this, &TTextPanel::Tick);
  timer_->start();
}

void TTextPanel::setInterval(unsigned milliseconds) {
  interval_ = milliseconds;
  timer_->setInterval(static_cast<int>(milliseconds));
  setEnableTimer(enableTimer_);
}

void TTextPanel::setEnableTimer(bool enabled) {
  enableTimer_ = enabled;
  // A timer of interval 0 does not run.
  if (enabled && interval_ != 0)
    timer_->start();
  else
    timer_->stop();
}

void TTextPanel::Tick() {
  if (!ownVisible()) return;
  offset_ -= stepSize_;
  if (std::abs(offset_) >= lineHeight_) {
    offset_ += lineHeight_;
    topIndex_ = items_.isEmpty() ? 0 : (savedIndex_ + 1) % static_cast<int>(items_.size());
  }
  Paint();
}

bool TTextPanel::ownVisible() const {
  // Only the panel's own flag counts, not a window around it that is hidden or was never shown: a
  // widget is hidden by its own hide() only when that was asked for explicitly.
  return !(isHidden() && testAttribute(Qt::WA_WState_ExplicitShowHide));
}

void TTextPanel::measure() {
  lineHeight_ = QFontMetrics(textFont_).size(0, QStringLiteral("W")).height();
  if (!items_.isEmpty()) savedIndex_ = topIndex_;
}

void TTextPanel::Paint() {
  measure();
  if (isVisible()) repaint();
}

QImage TTextPanel::picture() const {
  if (items_.isEmpty()) return {};
  QImage image(size(), QImage::Format_RGB32);
  QPainter painter(&image);
  QRect r(QPoint(0, 0), size());
  if (singleBorder) {
    painter.setPen(Qt::black);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    r.adjust(1, 1, -1, -1);
  }
  drawBevel(painter, r, bevelWidth, bevelOuter, palette());
  painter.fillRect(QRect(r.topLeft(), r.size()), color);
  r.adjust(borderWidth, borderWidth, -borderWidth, -borderWidth);
  drawBevel(painter, r, bevelWidth, bevelInner, palette());
  painter.fillRect(r, color);

  painter.setFont(textFont_);
  painter.setPen(textColor);
  const int lineHeight = lineHeight_;
  const int lines = lineHeight == 0 ? 0 : height() / lineHeight;
  Qt::Alignment horizontal = textAlignment_ & Qt::AlignHorizontal_Mask;
  if (bidiRightToLeft && QGuiApplication::isRightToLeft() && horizontal != Qt::AlignHCenter)
    horizontal = horizontal == Qt::AlignLeft ? Qt::AlignRight : Qt::AlignLeft;
  QRect text(3, offset_, width() - 6, lineHeight);
  // The item after TopIndex first, wrapping round to the first item after the last one.
  int top = topIndex_;
  const int count = static_cast<int>(items_.size());
  for (int k = 1; k <= lines + 1; ++k) {
    if (count <= top + k) top = -k;
    painter.drawText(text, static_cast<int>(horizontal | Qt::AlignVCenter | Qt::TextExpandTabs), items_[top + k]);
    text.translate(0, lineHeight);
  }
  return image;
}

void TTextPanel::paintEvent(QPaintEvent*) {
  measure();
  const QImage image = picture();
  if (image.isNull()) return;
  QPainter painter(this);
  painter.drawImage(0, 0, image);
}
