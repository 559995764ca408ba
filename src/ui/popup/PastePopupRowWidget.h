#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

class QToolButton;

// One history row of the popup list: optional thumbnail, up to three lines of text, the
// selection checkmark and the remove button. Paints itself; only the button is a child widget.
class PastePopupRowWidget : public QWidget {
    Q_OBJECT
  public:
    static constexpr int leadingInset = 12;
    static constexpr int trailingInset = 12;
    static constexpr int verticalInset = 4 + 6;  // the row's inset in the list plus its own
    static constexpr int spacing = 10;
    static constexpr int thumbnailSide = 40;
    static constexpr int thumbnailRadius = 4;
    static constexpr int symbolSide = 20;
    static constexpr int maxLines = 3;

    explicit PastePopupRowWidget(QWidget* parent = nullptr);

    // thumbnail: null when the row has no picture.
    void setContent(qsizetype index, const QString& text, const QPixmap& thumbnail);
    void setSelected(bool selected);
    // Lays the row out for this width and returns its height.
    int layoutForWidth(int width);

    qsizetype index() const { return m_index; }
    bool isSelected() const { return m_selected; }
    bool hasThumbnail() const { return !m_thumbnail.isNull(); }
    QRect textRect() const { return m_textRect; }
    QRect thumbnailRect() const { return m_thumbnailRect; }
    QRect checkmarkRect() const { return m_checkmarkRect; }
    // The text as laid out: at most three lines, the last one elided.
    const QStringList& displayedLines() const { return m_lines; }
    QToolButton* removeButton() const { return m_removeButton; }

  Q_SIGNALS:
    void clicked(qsizetype index);
    void doubleClicked(qsizetype index);
    void removeClicked(qsizetype index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void updateIcons();

    qsizetype m_index = -1;
    QString m_text;
    QPixmap m_thumbnail;
    bool m_selected = false;
    QStringList m_lines;
    int m_lineHeight = 0;
    QRect m_textRect;
    QRect m_thumbnailRect;
    QRect m_checkmarkRect;
    QPixmap m_checkmark;
    QToolButton* m_removeButton = nullptr;
};
