// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QPersistentModelIndex>
#include <QPixmap>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QUuid>

#include <optional>

// Paints one history row of the popup list: its number for Alt+digit on the first nine, an
// optional thumbnail, up to three lines of text with search matches marked, the pin button (lit
// on pinned rows), the checkmark on the selected row and the remove button.
// Clicks on the text and on the buttons are reported as signals; the rest of the row ignores
// the mouse.
class PastePopupItemDelegate : public QStyledItemDelegate {
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

    // Where a row's parts go, relative to the row's top left corner.
    struct RowLayout {
        QStringList lines;  // at most maxLines; the last one elided when text is left over
        int lineHeight = 0;
        QRect text;       // the clickable text area: the whole height of the row's content
        QRect textBlock;  // where the lines are drawn
        QRect thumbnail;  // empty without a picture
        QRect pin;
        QRect checkmark;
        QRect remove;
        int height = 0;
    };

    explicit PastePopupItemDelegate(QObject* parent = nullptr);

    // The search words whose matches are marked in the rows' text.
    void setHighlightWords(QStringList words) { m_highlightWords = std::move(words); }
    // The row that shows the checkmark and the accent; -1 for none.
    void setSelectedRow(int row) { m_selectedRow = row; }
    int selectedRow() const { return m_selectedRow; }
    // Rows are laid out for this width (the list's viewport); a change lays them out again.
    void setRowWidth(int width);
    // Forgets every row's layout, e.g. when the language or the font changed.
    void clearCache();
    // A row's picture changed: its layout and thumbnail are made again when next needed.
    void forgetRow(const QModelIndex& index);

    RowLayout rowLayout(const QModelIndex& index, const QFont& font) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

  Q_SIGNALS:
    void rowClicked(int row);
    // plainText: Shift was held.
    void rowDoubleClicked(int row, bool plainText);
    void removeClicked(int row);
    void pinClicked(int row);

  private:
    struct Cached {
        RowLayout layout;
        // Made when the row is first painted, at the size drawn: rows only measured never
        // decode their picture.
        std::optional<QPixmap> thumbnail;
    };
    Cached& cachedRow(const QModelIndex& index, const QFont& font) const;
    void updateSymbols(const QPalette& palette, qreal dpr) const;

    int m_selectedRow = -1;
    QStringList m_highlightWords;
    int m_rowWidth = 420;
    mutable QHash<QUuid, Cached> m_cache;
    // The symbols as last drawn, with what they were drawn for.
    mutable QPixmap m_checkmark;
    mutable QPixmap m_remove;
    mutable QPixmap m_pin;
    mutable QPixmap m_unpinned;
    mutable QRgb m_symbolsAccent = 0;
    mutable qreal m_symbolsDpr = 0;
    // The button pressed and its row, until the release.
    QPersistentModelIndex m_pressedButtonRow;
    bool m_pressedPin = false;
};
