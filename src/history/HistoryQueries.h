// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QModelIndex>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include "core/SharedBytes.h"
#include "platform/Clipboard.h"

class ClipboardHistory;
class HistoryListModel;
class Scheduler;
class QUrl;

// What scripts ask of the history from the command line: the rows as lines, one record's bytes,
// a restore. Records are numbered from 1 in the rows' order, as the popup shows them. Main
// thread; a record kept in a blob file is read and cut off it.
class HistoryQueries {
  public:
    struct Result {
        QString error;  // one line, English (the command line's language); empty on success
        SharedBytes bytes;
    };

    HistoryQueries(ClipboardHistory& history, HistoryListModel& model, Scheduler& scheduler,
                   Clipboard& clipboard);

    // "N<TAB>text" lines, newest first; a pinned record's text after "📌 ".
    QByteArray list() const;
    // One row's line: its number, a tab, "📌 " when pinned and its text with tabs and line
    // breaks as spaces.
    // Anything else a row is to say in a listing goes here.
    static QString rowLine(int number, const QModelIndex& row);
    // Record `number`'s text, or the bytes of `type`; `done` runs later on the main thread.
    // Every caller asking for the same record and type while an earlier answer is still read or
    // held gets that answer's buffer: a large record is read once, however many ask.
    void print(qint64 number, const QString& type, std::function<void(Result)> done);
    // Restores record `number` as Return in the popup does, typing nothing. `done` gets the
    // error, if any, once other programs get the record: a script's next paste must find it.
    void copy(qint64 number, std::function<void(QString error)> done);

    // The bytes --print writes from a record's content: those of `type`, else its text (the
    // stored UTF-8 bytes themselves where there are any), else its files' paths, one a line.
    static Result extract(const ClipboardSnapshot& content, const QList<QUrl>& files,
                          const QString& type, qint64 number);

  private:
    // The history's index of record `number`, or the error that it names none.
    std::optional<qsizetype> historyIndex(qint64 number, QString& error) const;
    void finishPrint(const QString& key, const Result& result);

    ClipboardHistory& m_history;
    HistoryListModel& m_model;
    Scheduler& m_scheduler;
    Clipboard& m_clipboard;
    // By record id and type: the answers still held by someone, and the callers of a read under
    // way.
    QHash<QString, std::weak_ptr<const QByteArray>> m_held;
    QHash<QString, QList<std::function<void(Result)>>> m_reading;
    // Weak handle for answers that may outlive this object.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
