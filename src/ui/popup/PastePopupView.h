#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPixmap>
#include <QUuid>
#include <QWidget>

#include <optional>

class AppSettings;
class ClipboardHistory;
class PasteHotkeyManager;
class PastePopupRowWidget;
class QFrame;
class QLabel;
class QPropertyAnimation;
class QScrollArea;

// The popup's content: a header, a divider and the history rows, newest first. Mirrors the
// manager's selection and the history's items; clicks become the manager's operations. Keys are
// the manager's business, not the view's.
class PastePopupView : public QWidget {
    Q_OBJECT
  public:
    static constexpr int listWidth = 420;
    static constexpr int rowHeightEstimate = 56;
    static constexpr int chromeHeight = 80;
    static constexpr int maxHeight = 400;
    static constexpr int cornerRadius = 12;
    static constexpr int scrollAnimationMs = 150;

    static int heightForItemCount(qsizetype count);

    PastePopupView(PasteHotkeyManager& manager, ClipboardHistory& history, AppSettings& settings,
                   QWidget* parent = nullptr);

    // Translucent: the background is see-through where a compositor blends it.
    void setTranslucent(bool translucent);

    const QList<PastePopupRowWidget*>& rows() const { return m_rows; }
    QLabel* headerLabel() const { return m_header; }
    QLabel* emptyLabel() const { return m_emptyLabel; }
    QScrollArea* scrollArea() const { return m_scrollArea; }
    QPropertyAnimation* scrollAnimation() const { return m_scrollAnimation; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Thumbnail {
        QByteArray bytes;
        QPixmap pixmap;
    };

    void retranslate();
    void rebuild();
    void applySelection();
    void layoutRows();
    void scrollToSelected(bool animated);
    int scrollTargetFor(qsizetype index) const;
    QPixmap thumbnailFor(const QUuid& id, const std::optional<QByteArray>& bytes);
    void updateViewportMask();

    PasteHotkeyManager& m_manager;
    ClipboardHistory& m_history;
    QLabel* m_header = nullptr;
    QFrame* m_divider = nullptr;
    QLabel* m_emptyLabel = nullptr;
    QScrollArea* m_scrollArea = nullptr;
    QWidget* m_listContent = nullptr;
    QList<PastePopupRowWidget*> m_rows;
    QPropertyAnimation* m_scrollAnimation = nullptr;
    QHash<QUuid, Thumbnail> m_thumbnails;
    bool m_translucent = false;
};
