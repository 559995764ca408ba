// SPDX-License-Identifier: MIT
#include "history/HistoryQueries.h"

#include <QFile>
#include <QStringList>
#include <QUrl>

#include <iterator>

#include "core/Scheduler.h"
#include "history/ClipboardContent.h"
#include "history/ClipboardHistory.h"
#include "history/HistoryListModel.h"
#include "platform/ClipboardTypeKey.h"

HistoryQueries::HistoryQueries(ClipboardHistory& history, HistoryListModel& model,
                               Scheduler& scheduler, Clipboard& clipboard)
    : m_history(history), m_model(model), m_scheduler(scheduler), m_clipboard(clipboard) {}

QString HistoryQueries::rowLine(int number, const QModelIndex& row) {
    QString text = row.data(HistoryListModel::RowTextRole).toString();
    // One record, one line: a launcher splits on newlines and a script on the tab.
    for (QChar& c : text) {
        if (c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            c = u' ';
        }
    }
    // A pin is a mark before the text, not a column: "N<TAB>text" stays the line's shape, and
    // copied text seldom starts with this character, unlike "*" or "[".
    const bool pinned = row.data(HistoryListModel::PinnedRole).toBool();
    return QString::number(number) + u'\t' + (pinned ? QStringLiteral("\U0001F4CC ") : QString()) +
           text;
}

QByteArray HistoryQueries::list() const {
    QByteArray out;
    for (int row = 0; row < m_model.rowCount(); ++row) {
        out += rowLine(row + 1, m_model.index(row)).toUtf8() + '\n';
    }
    return out;
}

std::optional<qsizetype> HistoryQueries::historyIndex(qint64 number, QString& error) const {
    const int rows = m_model.rowCount();
    if (number < 1 || number > rows) {
        error = rows == 0 ? QStringLiteral("No record %1: the history is empty.").arg(number)
                          : QStringLiteral("No record %1: the history holds records 1 to %2.")
                                .arg(number)
                                .arg(rows);
        return std::nullopt;
    }
    const QUuid id = m_model.index(int(number - 1)).data(HistoryListModel::RecordIdRole).toUuid();
    const QList<ClipboardItem>& items = m_history.items();
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items.at(i).id() == id) {
            return i;
        }
    }
    error = QStringLiteral("Record %1 has just gone from the history.").arg(number);
    return std::nullopt;
}

void HistoryQueries::copy(qint64 number, std::function<void(QString error)> done) {
    QString error;
    const std::optional<qsizetype> index = historyIndex(number, error);
    if (!index) {
        done(error);
        return;
    }
    if (!m_history.restoreToClipboard(*index)) {
        done(QStringLiteral("Record %1 could not be put back: its content has gone, or the "
                            "display took no write.")
                 .arg(number));
        return;
    }
    // The write is carried out on the clipboard's own thread; the answer waits for it.
    m_clipboard.whenWriteConfirmed([number, done = std::move(done)](bool confirmed) {
        done(confirmed ? QString()
                       : QStringLiteral("Record %1 did not reach the clipboard: another "
                                        "program took it, or the display did not answer.")
                             .arg(number));
    });
}

void HistoryQueries::print(qint64 number, const QString& type, std::function<void(Result)> done) {
    QString error;
    const std::optional<qsizetype> index = historyIndex(number, error);
    if (!index) {
        done({error, {}});
        return;
    }
    const ClipboardItem& item = m_history.items().at(*index);
    const QString key = item.id().toString() + u' ' + type;
    for (auto it = m_held.begin(); it != m_held.end();) {
        it = it->expired() ? m_held.erase(it) : std::next(it);
    }
    if (std::shared_ptr<const QByteArray> held = m_held.value(key).lock()) {
        done({{}, SharedBytes(std::move(held))});
        return;
    }
    const auto reading = m_reading.find(key);
    if (reading != m_reading.end()) {
        reading->append(std::move(done));
        return;
    }
    m_reading.insert(key, {std::move(done)});
    // A blob is read and decoded whole (up to BlobStore::maxFileSize): not on the main thread.
    const std::weak_ptr<bool> alive = m_alive;
    Scheduler& scheduler = m_scheduler;
    m_scheduler.runInBackground([this, alive, &scheduler, item, type, number, key] {
        if (alive.expired()) {
            return;
        }
        Result result = extract(item.resolvedClipboardData(), item.fileURLs(), type, number);
        scheduler.post([this, alive, key, result = std::move(result)] {
            if (alive.lock()) {
                finishPrint(key, result);
            }
        });
    });
}

void HistoryQueries::finishPrint(const QString& key, const Result& result) {
    if (result.error.isEmpty()) {
        m_held.insert(key, result.bytes.handle());
    }
    for (const std::function<void(Result)>& done : m_reading.take(key)) {
        done(result);
    }
}

HistoryQueries::Result HistoryQueries::extract(const ClipboardSnapshot& content,
                                               const QList<QUrl>& files, const QString& type,
                                               qint64 number) {
    if (content.isEmpty()) {
        return {QStringLiteral("Record %1 can no longer be read.").arg(number), {}};
    }
    QStringList types;
    for (const StoredItem& item : content) {
        if (!type.isEmpty() && item.contains(type)) {
            return {{}, item.value(type)};
        }
        for (auto it = item.cbegin(); it != item.cend(); ++it) {
            if (!types.contains(it.key())) {
                types << it.key();
            }
        }
    }
    const QString held = types.join(QStringLiteral(", "));
    if (!type.isEmpty()) {
        return {QStringLiteral("Record %1 has no %2; it has %3.").arg(number).arg(type, held), {}};
    }
    const StoredItem& first = content.constFirst();
    for (const QLatin1StringView utf8 :
         {ClipboardTypeKey::stringUtf8Mime, ClipboardTypeKey::utf8String,
          ClipboardTypeKey::plainText}) {
        if (!first.value(utf8).isEmpty()) {
            return {{}, first.value(utf8)};
        }
    }
    if (const std::optional<QString> text = ClipboardContent::anyTextFromItem(first)) {
        return {{}, text->toUtf8()};
    }
    if (!files.isEmpty()) {
        QByteArray paths;
        for (const QUrl& file : files) {
            paths += QFile::encodeName(file.toLocalFile()) + '\n';
        }
        return {{}, paths};
    }
    return {QStringLiteral("Record %1 has no text; it has %2 (see --type).").arg(number).arg(held),
            {}};
}
