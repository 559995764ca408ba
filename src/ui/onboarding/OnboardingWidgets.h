// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QLabel;

// The small drawing vocabulary the onboarding pages share: type sizes relative to the system
// font, dimmed and accent colours, tinted symbols and the rounded exercise boxes.
namespace onboarding {

enum class TextStyle { Title2, Title3, Body, Callout, Subheadline, Caption, Caption2 };

// The widget's font at the style's size; bold where asked.
QFont styledFont(const QFont& base, TextStyle style, bool bold = false);
// The text colour at 60 % (secondary) or 40 % (tertiary).
QColor secondaryColour(const QPalette& palette);
QColor tertiaryColour(const QPalette& palette);
QColor accentColour(const QPalette& palette);
// What the exercises turn when right.
QColor successColour();

// A monochrome symbol from the icon theme ("<name>-symbolic"), else our own drawing, painted
// in one colour at `side` device-independent pixels. An empty theme name uses the drawing.
QPixmap symbol(const QString& themeName, const QString& fallback, const QColor& colour, int side,
               qreal devicePixelRatio);

// A label in the given style and colour role: word-wrapped, centred unless told otherwise.
enum class Tone { Primary, Secondary, Tertiary, Success };
QLabel* makeLabel(const QString& text, TextStyle style, Tone tone, bool bold = false,
                  Qt::Alignment alignment = Qt::AlignHCenter);

// Holds one child with 12 points around it on a rounded rectangle: faint when plain, green
// with a green outline when highlighted.
class RoundedBox : public QWidget {
  public:
    explicit RoundedBox(QWidget* child, QWidget* parent = nullptr);
    void setHighlighted(bool highlighted);
    bool isHighlighted() const { return m_highlighted; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool m_highlighted = false;
};

// One 6-point dot per page, 6 points apart; the current one in the accent colour.
class StepDots : public QWidget {
  public:
    StepDots(int count, QWidget* parent = nullptr);
    void setCurrent(int index);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int m_count;
    int m_current = 0;
};

}  // namespace onboarding
