// SPDX-License-Identifier: MIT
#pragma once
// A history's collaborators for benchmarks: a clipboard that is set directly, no file
// thumbnails, and a scheduler that only queues, so that each benchmark decides what runs when
// and which part is timed.
#include <QDateTime>
#include <QHash>

#include <deque>

#include "history/ClipboardHistory.h"
#include "platform/Autostart.h"
#include "platform/Clipboard.h"
#include "platform/FileThumbnailer.h"
#include "platform/KeyValueStore.h"

class BenchClipboard final : public Clipboard {
  public:
    qint64 changeCount() const override { return m_count; }
    ClipboardSnapshot items() const override { return m_content; }
    void prepareForNewContents() override {}
    bool writeItems(const ClipboardSnapshot&) override { return true; }
    bool writeFileUrls(const QList<QUrl>&) override { return true; }
    void setString(const QString&) override {}
    std::optional<QString> string() const override { return std::nullopt; }
    void copy(ClipboardSnapshot content) {
        m_content = std::move(content);
        ++m_count;
    }

  private:
    qint64 m_count = 0;
    ClipboardSnapshot m_content;
};

// Settings kept in memory, and a login that takes whatever it is asked: what AppSettings needs.
class MemoryStore final : public KeyValueStore {
  public:
    bool contains(const QString& key) const override { return m_values.contains(key); }
    QVariant value(const QString& key) const override { return m_values.value(key); }
    void setValue(const QString& key, const QVariant& value) override { m_values[key] = value; }
    void remove(const QString& key) override { m_values.remove(key); }

  private:
    QHash<QString, QVariant> m_values;
};

class NoAutostart final : public Autostart {
  public:
    bool registerApp() override { return true; }
    bool unregisterApp() override { return true; }
    bool isRegistered() const override { return false; }
    bool offeredAtFirstStart() const override { return false; }
};

class NoThumbnailer final : public FileThumbnailer {
  public:
    void request(const QString&, QSize, qreal, Callback) override {}
};

// Queues only; the benchmark decides what runs when, and which part is timed.
class StepScheduler final : public Scheduler {
  public:
    void post(Task task) override { m_main.push_back(std::move(task)); }
    void postDelayed(int, Task task) override { post(std::move(task)); }
    TimerId startRepeating(int intervalMs, Task task) override {
        if (intervalMs == ClipboardHistory::pollIntervalMs) {
            m_poll = std::move(task);
        }
        return ++m_timers;
    }
    void cancelTimer(TimerId) override {}
    void runInBackground(Task task) override { m_background.push_back(std::move(task)); }
    QDateTime now() const override { return QDateTime::currentDateTimeUtc(); }
    qint64 monotonicMs() const override { return 0; }

    static void drain(std::deque<Task>& queue) {
        while (!queue.empty()) {
            Task task = std::move(queue.front());
            queue.pop_front();
            task();
        }
    }
    Task m_poll;
    std::deque<Task> m_main;
    std::deque<Task> m_background;
    TimerId m_timers = 0;
};
