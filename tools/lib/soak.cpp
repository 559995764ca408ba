// SPDX-License-Identifier: MIT
// A long day at the clipboard, for tools/soak: starts the application, copies mixed content at
// about five copies a second, every 30 s opens the popup with the chord, walks Down a random
// number of rows, presses Return and compares every type of what was restored byte for byte
// with what was copied, every 2 minutes opens and closes the history window, and samples the
// application's memory and its blob files. Run on an X11 display (tools/x11-session) with the
// environment of a fresh user; prints one line per sample and a summary.
//   quillstack-soak APP MINUTES BLOB_FOLDER...
// Exit status 0 when every restore matched, the application never crashed, there were never
// more blob files than large copies that could still be records, and private memory at the end
// is within 5 MB of the figure at 2 minutes.
#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QProcess>

#include <cstdio>
#include <deque>
#include <memory>
#include <optional>
#include <random>
#include <set>

namespace {

constexpr qsizetype kBlobThreshold = 256 * 1024;
constexpr size_t kHistoryLimit = 50;  // the default history size
// Copies that can still be records: the newest kHistoryLimit, with room to spare.
constexpr size_t kRecentCopies = 200;
const QString kPrivateType = QStringLiteral("application/x-quillstack-soak-private");

struct Copy {
    QList<std::pair<QString, QByteArray>> types;
    std::set<QString> fetched;
    qsizetype size() const {
        qsizetype total = 0;
        for (const auto& [name, bytes] : types) {
            total += bytes.size();
        }
        return total;
    }
    bool fullyFetched() const { return fetched.size() == size_t(types.size()); }
};

// What the application asked of a copy tells the driver that it was recorded.
class WatchedMime : public QMimeData {
  public:
    explicit WatchedMime(std::shared_ptr<Copy> copy) : m_copy(std::move(copy)) {
        for (const auto& [name, bytes] : m_copy->types) {
            setData(name, bytes);
        }
    }

  protected:
    QVariant retrieveData(const QString& type, QMetaType metaType) const override {
        m_copy->fetched.insert(type);
        return QMimeData::retrieveData(type, metaType);
    }

  private:
    std::shared_ptr<Copy> m_copy;
};

struct Memory {
    double pssMb = 0;
    double privateDirtyMb = 0;
};

std::optional<Memory> memoryOf(qint64 pid) {
    QFile file(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    Memory memory;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 2 && fields[0] == "Pss:") {
            memory.pssMb = fields[1].toDouble() / 1024;
        } else if (fields.size() >= 2 && fields[0] == "Private_Dirty:") {
            memory.privateDirtyMb = fields[1].toDouble() / 1024;
        }
    }
    return memory;
}

class Soak {
  public:
    Soak(QString app, int minutes, QStringList blobFolders)
        : m_app(std::move(app)), m_minutes(minutes), m_blobFolders(std::move(blobFolders)) {}

    int run() {
        QProcess application;
        application.setProcessChannelMode(QProcess::ForwardedChannels);
        application.start(m_app, {QStringLiteral("--language"), QStringLiteral("en")});
        if (!application.waitForStarted(10000)) {
            std::fprintf(stderr, "soak: %s did not start\n", qPrintable(m_app));
            return 2;
        }
        m_pid = application.processId();
        pump(3000);  // ready to watch the clipboard and hold the chord

        const qint64 end = qint64(m_minutes) * 60'000;
        qint64 nextCheck = 30'000;
        qint64 nextHistory = 120'000;
        m_clock.start();
        while (m_clock.elapsed() < end && application.state() == QProcess::Running) {
            if (m_clock.elapsed() >= nextCheck) {
                nextCheck += 30'000;
                pump(1000);  // the last copies read
                sample();
                restoreOne();
            }
            if (m_clock.elapsed() >= nextHistory) {
                nextHistory += 120'000;
                openAndCloseHistory();
            }
            copyOne();
        }
        const bool crashed = application.state() != QProcess::Running;
        if (!crashed) {
            pump(1000);
            sample();
            application.terminate();
            application.waitForFinished(30000);
        }
        return report(crashed, application);
    }

  private:
    void pump(int ms) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    }
    template <typename Done>
    bool pumpUntil(int ms, Done done) {
        QElapsedTimer timer;
        timer.start();
        while (!done()) {
            if (timer.elapsed() >= ms) {
                return false;
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return true;
    }
    // Runs a helper to its end while the clipboard keeps being served.
    QByteArray tool(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        pumpUntil(10000, [&] { return process.state() == QProcess::NotRunning; });
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
        return process.readAllStandardOutput().trimmed();
    }

    QByteArray text(qsizetype bytes) {
        static const QStringList pieces = {
            QStringLiteral("the "),   QStringLiteral("clipboard "), QStringLiteral("Grüße "),
            QStringLiteral("déjà "),  QStringLiteral("日本語 "),    QStringLiteral("\n"),
            QStringLiteral("42, "),   QStringLiteral("копия "),     QStringLiteral("\t"),
            QStringLiteral("naïve "), QStringLiteral("😀 "),         QStringLiteral("x")};
        QByteArray out;
        out.reserve(bytes + 16);
        out += QByteArray::number(m_copies) + ' ';
        std::uniform_int_distribution<int> pick(0, int(pieces.size()) - 1);
        while (out.size() < bytes) {
            out += pieces[pick(m_random)].toUtf8();
        }
        return out;
    }
    QByteArray png() {
        QImage image(256, 260, QImage::Format_RGB32);
        std::uniform_int_distribution<quint32> pixel;
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                line[x] = pixel(m_random) | 0xff000000u;
            }
        }
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }

    void copyOne() {
        auto copy = std::make_shared<Copy>();
        const int kind = std::uniform_int_distribution<int>(0, 9)(m_random);
        const auto between = [this](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(m_random);
        };
        if (kind < 6) {
            copy->types.emplace_back(QStringLiteral("text/plain"), text(between(10, 5000)));
        } else if (kind == 6) {
            copy->types.emplace_back(QStringLiteral("text/plain"), text(300 * 1024));
        } else if (kind == 7) {
            copy->types.emplace_back(QStringLiteral("image/png"), png());
        } else {
            const QByteArray plain = text(between(20, 2000));
            QByteArray secret(between(16, 4096), Qt::Uninitialized);
            for (char& c : secret) {
                c = char(between(0, 255));
            }
            secret.back() = 'z';  // a reader may take a final NUL for a terminator
            copy->types.emplace_back(QStringLiteral("text/plain"), plain);
            copy->types.emplace_back(QStringLiteral("text/html"),
                                     "<meta charset=\"utf-8\"><b>" +
                                         QString::fromUtf8(plain).toHtmlEscaped().toUtf8() +
                                         "</b>");
            copy->types.emplace_back(kPrivateType, secret);
        }
        ++m_copies;
        QElapsedTimer timer;
        timer.start();
        QGuiApplication::clipboard()->setMimeData(new WatchedMime(copy));
        pumpUntil(2000, [&] { return copy->fullyFetched(); });
        pump(int(std::max<qint64>(0, 200 - timer.elapsed())));
        if (copy->fetched.empty()) {
            ++m_unread;
            return;
        }
        if (!copy->fullyFetched()) {
            ++m_partlyRead;
        }
        m_recent.push_front(copy);
        if (m_recent.size() > kRecentCopies) {
            m_recent.pop_back();
        }
    }

    int blobFiles() const {
        for (const QString& folder : m_blobFolders) {
            if (QDir dir(folder); dir.exists()) {
                return int(dir.entryList({QStringLiteral("*.blob")}, QDir::Files).size());
            }
        }
        return 0;
    }

    void sample() {
        const std::optional<Memory> memory = memoryOf(m_pid);
        if (!memory) {
            return;
        }
        // No more blob files than large copies that can still be records, nor than records.
        int large = 0;
        for (const auto& copy : m_recent) {
            large += copy->size() > kBlobThreshold ? 1 : 0;
        }
        const int files = blobFiles();
        m_blobMismatches += files > std::min(large, int(kHistoryLimit)) ? 1 : 0;
        const qint64 seconds = m_clock.elapsed() / 1000;
        if (!m_atTwoMinutes && seconds >= 120) {
            m_atTwoMinutes = memory;
        }
        m_last = memory;
        m_lowest = std::min(m_lowest, memory->privateDirtyMb);
        m_highest = std::max(m_highest, memory->privateDirtyMb);
        std::printf(
            "%5llds  copies %d  restores %d/%d  private dirty %.1f MB  PSS %.1f MB  "
            "blob files %d (large recent copies %d)\n",
            static_cast<long long>(seconds), m_copies, m_verified, m_restores,
            memory->privateDirtyMb, memory->pssMb, files, large);
        std::fflush(stdout);
    }

    // Which copy the chosen row holds is the application's to know: the restored content is
    // found among the recent copies by its first type, and then every type must match.
    void restoreOne() {
        if (m_recent.empty()) {
            return;
        }
        const int downs = std::uniform_int_distribution<int>(0, 30)(m_random);
        ++m_restores;
        tool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("super+shift+v")});
        pump(700);
        QStringList keys = {QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("40")};
        for (int i = 0; i < downs; ++i) {
            keys << QStringLiteral("Down");
        }
        keys << QStringLiteral("Return");
        tool(QStringLiteral("xdotool"), keys);
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (!pumpUntil(3000, [&] { return !clipboard->ownsClipboard(); })) {
            std::printf("restore %d (Down x%d): the clipboard was not taken over\n", m_restores,
                        downs);
            ++m_mismatches;
            return;
        }
        pump(300);
        const QMimeData* restored = clipboard->mimeData();
        std::shared_ptr<Copy> source;
        for (const QString& first : {QStringLiteral("text/plain"), QStringLiteral("image/png")}) {
            const QByteArray bytes = restored != nullptr ? restored->data(first) : QByteArray();
            for (const auto& copy : m_recent) {
                if (!source && !bytes.isEmpty() && copy->types.front() == std::pair(first, bytes)) {
                    source = copy;
                }
            }
        }
        if (!source) {
            ++m_mismatches;
            std::printf("restore %d (Down x%d): what was restored matches no recent copy (%s)\n",
                        m_restores, downs,
                        restored ? qPrintable(restored->formats().join(u' ')) : "nothing");
            return;
        }
        QStringList wrong;
        for (const auto& [type, bytes] : source->types) {
            const QByteArray got = restored->data(type);
            if (got != bytes) {
                wrong << QStringLiteral("%1 (%2 bytes, copied %3)")
                             .arg(type)
                             .arg(got.size())
                             .arg(bytes.size());
            }
        }
        if (wrong.isEmpty()) {
            ++m_verified;
        } else {
            ++m_mismatches;
            std::printf("restore %d (Down x%d): %s differ\n", m_restores, downs,
                        qPrintable(wrong.join(QStringLiteral(", "))));
        }
    }

    void openAndCloseHistory() {
        tool(m_app, {QStringLiteral("--show-history")});
        pump(1500);
        const QByteArray window =
            tool(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")});
        const QByteArray name = tool(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"),
                                                                 QString::fromLatin1(window)});
        tool(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("alt+F4")});
        pump(500);
        const QByteArray visible =
            tool(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                  QStringLiteral("--classname"), QStringLiteral("quillstack")});
        ++m_historyOpened;
        if (window.isEmpty() || visible.split('\n').contains(window)) {
            ++m_historyStuck;
            std::printf("the history window (%s \"%s\") did not open and close\n",
                        window.constData(), name.constData());
        }
    }

    int report(bool crashed, const QProcess& application) {
        std::printf(
            "copies %d (%d unread, %d partly read), restores %d: %d verified, %d "
            "mismatched; history window opened and closed %d times (%d failed)\n",
            m_copies, m_unread, m_partlyRead, m_restores, m_verified, m_mismatches, m_historyOpened,
            m_historyStuck);
        const Memory start = m_atTwoMinutes.value_or(m_last.value_or(Memory{}));
        const Memory last = m_last.value_or(Memory{});
        const double growth = last.privateDirtyMb - start.privateDirtyMb;
        std::printf(
            "private dirty %.1f MB at 2 min -> %.1f MB at the end (%+.1f MB; %.1f-%.1f "
            "over the run); PSS %.1f -> %.1f MB; blob files at the end %d, %d samples "
            "off\n",
            start.privateDirtyMb, last.privateDirtyMb, growth, m_lowest, m_highest, start.pssMb,
            last.pssMb, blobFiles(), m_blobMismatches);
        if (crashed) {
            std::printf("the application stopped after %lld s (exit %d%s)\n",
                        static_cast<long long>(m_clock.elapsed() / 1000), application.exitCode(),
                        application.exitStatus() == QProcess::CrashExit ? ", crashed" : "");
        }
        const bool good = !crashed && m_mismatches == 0 && m_blobMismatches == 0 && growth <= 5.0 &&
                          m_verified > 0 && m_historyStuck == 0;
        std::printf("%s\n", good ? "soak: passed" : "soak: FAILED");
        return good ? 0 : 1;
    }

    QString m_app;
    int m_minutes;
    QStringList m_blobFolders;
    qint64 m_pid = 0;
    std::mt19937_64 m_random{20261209};
    QElapsedTimer m_clock;
    std::deque<std::shared_ptr<Copy>> m_recent;  // newest first
    int m_copies = 0;
    int m_unread = 0;
    int m_partlyRead = 0;
    int m_restores = 0;
    int m_verified = 0;
    int m_mismatches = 0;
    int m_blobMismatches = 0;
    int m_historyOpened = 0;
    int m_historyStuck = 0;
    std::optional<Memory> m_atTwoMinutes;
    std::optional<Memory> m_last;
    double m_lowest = 1e9;
    double m_highest = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    bool ok = false;
    const int minutes = arguments.size() >= 4 ? arguments[2].toInt(&ok) : 0;
    if (!ok || minutes <= 0) {
        std::fprintf(stderr, "usage: quillstack-soak APP MINUTES BLOB_FOLDER...\n");
        return 2;
    }
    return Soak(arguments[1], minutes, arguments.mid(3)).run();
}
