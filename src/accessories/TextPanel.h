// TTextPanel: a panel that shows a list of text lines scrolling slowly upward, pixel by pixel, in an
// endless loop (after the last line the first follows again). A timer owned by the panel moves the
// text; every step draws the whole panel into an off-screen picture that is copied in one piece.
//
// Qt paints no hidden widget, so the state the steps change (TopIndex, SavedIndex, Offset, LineHeight)
// is kept apart from the drawing: a tick moves it on exactly the same whether the holding window is
// shown or not, and the drawing only reads it.
#pragma once

#include <QFont>
#include <QStringList>
#include <QTimer>
#include <QWidget>

class TTextPanel : public QWidget {
  Q_OBJECT

 public:
  enum class Bevel { None, Lowered, Raised };

  // name: the panel's name; its timer is named "Timer" followed by it.
  explicit TTextPanel(const QString& name, QWidget* parent = nullptr);

  // Published properties. None of the writers repaints; the next tick does.
  const QStringList& Items() const { return items_; }
  void setItems(const QStringList& items) { items_ = items; }
  const QFont& TextFont() const { return textFont_; }
  void setTextFont(const QFont& font) { textFont_ = font; }
  unsigned Interval() const { return interval_; }
  void setInterval(unsigned milliseconds);
  int StepSize() const { return stepSize_; }
  void setStepSize(int pixels) { stepSize_ = pixels; }
  bool EnableTimer() const { return enableTimer_; }
  void setEnableTimer(bool enabled);
  Qt::Alignment TextAlignment() const { return textAlignment_; }
  void setTextAlignment(Qt::Alignment alignment) { textAlignment_ = alignment; }

  // The panel's own look: bevels, border, colour.
  Bevel bevelOuter = Bevel::Raised;
  Bevel bevelInner = Bevel::None;
  int bevelWidth = 1;
  int borderWidth = 0;
  bool singleBorder = false;  // a one-pixel line around the panel, outside its client area
  QColor color = QColor(0xf0, 0xf0, 0xf0);
  QColor textColor = Qt::black;
  // Right-to-left reading order, where the platform runs a right-to-left locale.
  bool bidiRightToLeft = false;

  // The scroll state.
  int TopIndex() const { return topIndex_; }
  int SavedIndex() const { return savedIndex_; }
  int Offset() const { return offset_; }
  int LineHeight() const { return lineHeight_; }
  QTimer* timer() const { return timer_; }
  // The panel's own visible flag: off only when the panel itself was hidden.
  bool ownVisible() const;

  // One timer step: moves the text up by StepSize, to the next item after a whole line, and paints.
  void Tick();
  // Paint: the state's part (LineHeight measured from "W" in TextFont; SavedIndex set to TopIndex when
  // there are items), then the panel drawn at once when it can be seen.
  void Paint();
  // The whole panel as Paint draws it from the state: bevels, border, background and V + 1 lines; a
  // null picture when there are no items (nothing is copied to the screen then).
  QImage picture() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Paint's steps that change the state; both are idempotent, so a repaint the toolkit asks for on
  // its own changes nothing.
  void measure();

  Qt::Alignment textAlignment_ = Qt::AlignLeft;
  QStringList items_;
  int topIndex_ = 0;
  int offset_ = 0;
  int savedIndex_ = 0;
  int stepSize_ = 1;
  QFont textFont_;
  unsigned interval_ = 30;
  int lineHeight_ = 0;
  bool enableTimer_ = true;
  QTimer* timer_;
};
