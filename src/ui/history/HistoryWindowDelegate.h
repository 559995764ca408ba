// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

#include <QHash>
#include <QPersistentModelIndex>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <QUuid>

class Scheduler;

// Paints the history window's rows: the picture when there is one, up to four lines of text, the
// age of the copy, and the row's pin, copy and delete buttons, which act on their own row. The
// row's text opens in a read-only view (createEditor) where part of it can be selected and copied.
class HistoryWindowDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    static constexpr int pictureSide = 48;
    static constexpr int pictureRadius = 6;
    static constexpr int spacing = 12;
    static constexpr int horizontalPadding = 12;
    static constexpr int verticalPadding = 6;
    static constexpr int lineSpacing = 4;
    static constexpr int maxTextLines = 4;
    static constexpr int copyButtonSide = 26;
    static constexpr int deleteIconSide = 18;

    struct RowLayout {
        QRect picture;  // empty when the row has no picture
        QRect text;
        QRect date;
        QRect pinButton;
        QRect copyButton;
        QRect deleteButton;
    };

    // languageCode: the interface language the ages are written in.
    HistoryWindowDelegate(Scheduler& scheduler, QString languageCode, QObject* parent = nullptr);

    // Where the parts of the row at `rect` go.
    RowLayout layoutFor(const QRect& rect, const QModelIndex& index) const;
    // The row's text as shown: placeholders such as "[Image]" in the interface language.
    static QString displayText(const QModelIndex& index);
    // The wrapped lines painted for the row at this text width; the last one elided when the
    // text goes on.
    QStringList textLines(const QModelIndex& index, const QFont& font, int width) const;
    QString dateText(const QModelIndex& index) const;
    // Whether `pos` is on a button of the row painted at `rect`.
    bool isOnButton(const QRect& rect, const QModelIndex& index, const QPoint& pos) const {
        return buttonAt(rect, index, pos) != Button::None;
    }
    // Forgets what was measured and drawn for these rows (their picture changed).
    void forgetRows(const QModelIndex& first, const QModelIndex& last);
    // The search words whose matches are marked in the rows' text.
    void setHighlightWords(QStringList words) { m_highlightWords = std::move(words); }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    // The text view only shows; the history is never edited through it.
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

  Q_SIGNALS:
    void copyRequested(int row);
    void removeRequested(int row);
    void pinRequested(int row);

  private:
    enum class Button { None, Pin, Copy, Delete };
    Button buttonAt(const QRect& rect, const QModelIndex& index, const QPoint& pos) const;
    int rowWidth(const QStyleOptionViewItem& option) const;
    QPixmap pictureFor(const QModelIndex& index, qreal dpr) const;
    QPixmap deleteGlyph(qreal dpr) const;
    QIcon copyIcon() const;
    QPixmap pinGlyph(bool pinned, const QPalette& palette, qreal dpr) const;

    Scheduler& m_scheduler;
    QString m_languageCode;
    QStringList m_highlightWords;
    // Heights per record for m_heightsWidth; records never change their text, only a picture.
    mutable QHash<QUuid, int> m_heights;
    mutable int m_heightsWidth = -1;
    mutable QHash<QUuid, QPixmap> m_pictures;
    mutable QPixmap m_deleteGlyph;
    mutable QIcon m_copyIcon;
    mutable QPixmap m_pinGlyphs[2];
    Button m_pressedButton = Button::None;
    QPersistentModelIndex m_pressedIndex;
};
