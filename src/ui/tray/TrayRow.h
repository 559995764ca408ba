// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QWidget>

// One clickable row of the tray panel: a title over the full width, highlighted while the
// pointer is over it or the panel's arrow keys are on it. A click anywhere in the row counts.
// Not a push button: no pressed look, no keyboard focus of its own.
class TrayRow : public QWidget {
    Q_OBJECT
  public:
    enum class Role { Normal, Destructive };

    static constexpr int horizontalPadding = 8;
    static constexpr int verticalPadding = 6;
    static constexpr int cornerRadius = 4;

    // title: already in the interface language.
    explicit TrayRow(QString title, Role role = Role::Normal, QWidget* parent = nullptr);

    const QString& title() const { return m_title; }
    void setTitle(const QString& title);
    bool isHovered() const { return m_hovered; }
    // The arrow keys' choice, drawn as the pointer's is.
    void setHovered(bool hovered);
    QColor titleColour() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  Q_SIGNALS:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QString m_title;
    Role m_role;
    bool m_hovered = false;
    bool m_pressed = false;
};
