// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QObject>
#include <QString>

// An entry point the desktop draws itself where no tray host shows the tray icon (GNOME's top
// bar through the Shell extension). It offers the tray menu's rows; the desktop shows them only
// while the tray cannot, so the user never sees two icons. Main thread.
class StatusIndicator : public QObject {
    Q_OBJECT
  public:
    // A menu row; an empty id is a separator.
    struct Row {
        QString id;
        QString text;
    };

    using QObject::QObject;
    // The rows and the paused look; sent again whenever either changes.
    virtual void offer(const QList<Row>& rows, bool paused) = 0;
    // Whether the desktop shows it now.
    virtual bool isShown() const = 0;

  Q_SIGNALS:
    void rowActivated(const QString& id);
    void shownChanged(bool shown);
};
