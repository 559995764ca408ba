// SPDX-License-Identifier: MIT
#pragma once

#include <QUuid>
#include <QWidget>

class AppSettings;
class HistoryFilterModel;
class PastePopupItemDelegate;
class QFrame;
class QLabel;
class QListView;
class QPropertyAnimation;

// The popup's content: a header, the search line while a filter is typed, a divider and the
// history rows that match, newest first, as a list view over the session's filter. Shows the
// selection it is given and reports clicks; what they do and the keys are the popup's owner's
// business. An empty history shows how to fill it, a filter that matches nothing says so.
class PastePopupView : public QWidget {
    Q_OBJECT
  public:
    static constexpr int listWidth = 420;
    static constexpr int emptyHeight = 80;
    static constexpr int maxHeight = 400;
    static constexpr int cornerRadius = 12;
    static constexpr int scrollAnimationMs = 150;

    // The header and the rows as drawn, up to maxHeight; emptyHeight without rows.
    int fittedHeight() const;

    PastePopupView(HistoryFilterModel& model, AppSettings& settings, QWidget* parent = nullptr);

    // The row with the checkmark and the accent. On screen, the list scrolls it to the middle
    // with an animation; a hidden list is placed when it comes on screen.
    void setSelectedRow(qsizetype row);
    // Where no keystroke can be typed into other windows, the header tells the user to paste
    // the chosen item by hand.
    void setPasteTyped(bool typed);

    QListView* listView() const { return m_list; }
    PastePopupItemDelegate* delegate() const { return m_delegate; }
    QLabel* headerLabel() const { return m_header; }
    QLabel* searchLine() const { return m_searchLine; }
    QPropertyAnimation* scrollAnimation() const { return m_scrollAnimation; }

  Q_SIGNALS:
    void rowClicked(int row);
    void rowDoubleClicked(int row, bool plainText);
    void removeClicked(int row);
    void pinClicked(int row);
    // Text an input method committed (a composed word, a dead key's letter).
    void textCommitted(const QString& text);
    // How many rows the list shows at once, for Page Up and Page Down.
    void pageRowsChanged(int rows);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // The popup's focus: input methods commit here and are told where the search line ends.
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void retranslate();
    void followRowCount();
    // The list's own selection, which a screen reader reads, on the row shown as chosen.
    void selectInList();
    void scrollToSelected(bool animated);
    // Around rows inserted or removed: the selected record stays where it is on screen.
    void holdSelectedRowInPlace();
    void keepSelectedRowInPlace();
    void updateViewportMask();
    void followQuery();

    HistoryFilterModel& m_model;
    bool m_pasteTyped = true;
    QLabel* m_header = nullptr;
    QLabel* m_searchLine = nullptr;
    QFrame* m_divider = nullptr;
    QLabel* m_emptyLabel = nullptr;
    QListView* m_list = nullptr;
    PastePopupItemDelegate* m_delegate = nullptr;
    QPropertyAnimation* m_scrollAnimation = nullptr;
    QString m_preedit;  // what an input method is composing, shown after the query
    bool m_rowsChanging = false;
    bool m_scrollWhenRowsChanged = false;
    QUuid m_heldRecord;
    int m_heldTop = 0;
};
