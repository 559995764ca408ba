#pragma once

#include <QWidget>

class AppSettings;
class HistoryListModel;
class PastePopupItemDelegate;
class QFrame;
class QLabel;
class QListView;
class QPropertyAnimation;

// The popup's content: a header, a divider and the history rows, newest first, as a list view
// over the history's model. Shows the selection it is given and reports clicks; what they do
// and the keys are the popup's owner's business.
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

    PastePopupView(HistoryListModel& model, AppSettings& settings, QWidget* parent = nullptr);

    // Translucent: the background is see-through where a compositor blends it.
    void setTranslucent(bool translucent);
    // The row with the checkmark and the accent. On screen, the list scrolls it to the middle
    // with an animation; a hidden list is placed when it comes on screen.
    void setSelectedRow(qsizetype row);
    // Where no keystroke can be typed into other windows, the header tells the user to paste
    // the chosen item by hand.
    void setPasteTyped(bool typed);

    QListView* listView() const { return m_list; }
    PastePopupItemDelegate* delegate() const { return m_delegate; }
    QLabel* headerLabel() const { return m_header; }
    QLabel* emptyLabel() const { return m_emptyLabel; }
    QPropertyAnimation* scrollAnimation() const { return m_scrollAnimation; }

  Q_SIGNALS:
    void rowClicked(int row);
    void rowDoubleClicked(int row, bool plainText);
    void removeClicked(int row);
    void pinClicked(int row);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void retranslate();
    void followRowCount();
    void scrollToSelected(bool animated);
    void updateViewportMask();

    HistoryListModel& m_model;
    bool m_pasteTyped = true;
    QLabel* m_header = nullptr;
    QFrame* m_divider = nullptr;
    QLabel* m_emptyLabel = nullptr;
    QListView* m_list = nullptr;
    PastePopupItemDelegate* m_delegate = nullptr;
    QPropertyAnimation* m_scrollAnimation = nullptr;
    bool m_translucent = false;
};
