#include <xcb/xcb.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "platform/x11/X11Pasteboard.h"

namespace {

QByteArray randomBytes(qsizetype size) {
    std::vector<quint32> words((size + 3) / 4);
    QRandomGenerator(42).fillRange(words.data(), words.size());
    return QByteArray(reinterpret_cast<const char*>(words.data()), size);
}

QByteArray allByteValues() {
    QByteArray bytes;
    for (int i = 0; i < 256; ++i) {
        bytes.append(char(i));
    }
    return bytes;
}

QByteArray smallPng() {
    QImage image(7, 5, QImage::Format_ARGB32);
    image.fill(qRgba(10, 200, 30, 128));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// xclip serving one target on CLIPBOARD until it loses the selection or is killed.
class XclipCopy {
  public:
    XclipCopy(const QByteArray& target, const QByteArray& bytes) {
        m_file.open();
        m_file.write(bytes);
        m_file.flush();
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start("xclip", {"-quiet", "-selection", "clipboard", "-t", QString(target), "-i",
                                  m_file.fileName()});
        m_process.waitForStarted();
    }
    ~XclipCopy() { kill(); }
    void kill() {
        m_process.kill();
        m_process.waitForFinished();
    }

  private:
    QTemporaryFile m_file;
    QProcess m_process;
};

// What another client gets when it pastes this target now. Blocks the main thread on purpose:
// our own serving must not need it.
QByteArray paste(const QString& target) {
    QProcess process;
    process.start("xclip", {"-o", "-selection", "clipboard", "-t", target});
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

// A CLIPBOARD owner on its own connection and thread that answers some targets properly and
// mishandles the others.
class ScriptedOwner {
  public:
    enum class Reply { Data, Silent, MissingProperty, StalledIncr };
    struct Offer {
        QByteArray target;
        Reply reply;
        QByteArray bytes;
    };

    explicit ScriptedOwner(QList<Offer> offers) : m_offers(std::move(offers)) {
        m_connection = xcb_connect(nullptr, nullptr);
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        m_window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        m_clipboard = intern("CLIPBOARD");
        m_targets = intern("TARGETS");
        m_incr = intern("INCR");
        for (Offer& offer : m_offers) {
            m_atoms.push_back(intern(offer.target));
        }
        xcb_set_selection_owner(m_connection, m_window, m_clipboard, XCB_CURRENT_TIME);
        xcb_flush(m_connection);
        m_thread = std::thread([this] { run(); });
    }
    ~ScriptedOwner() {
        m_stop = true;
        m_thread.join();
        xcb_disconnect(m_connection);
    }

  private:
    xcb_atom_t intern(const QByteArray& name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, name.size(), name.constData()), nullptr);
        const xcb_atom_t atom = reply->atom;
        free(reply);
        return atom;
    }
    void run() {
        while (!m_stop) {
            xcb_generic_event_t* event = xcb_poll_for_event(m_connection);
            if (!event) {
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                continue;
            }
            if ((event->response_type & 0x7f) == XCB_SELECTION_REQUEST) {
                answer(*reinterpret_cast<xcb_selection_request_event_t*>(event));
            }
            free(event);
        }
    }
    void answer(const xcb_selection_request_event_t& request) {
        xcb_atom_t property = request.property;
        if (request.target == m_targets) {
            std::vector<xcb_atom_t> list{m_targets};
            list.insert(list.end(), m_atoms.begin(), m_atoms.end());
            xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, request.requestor, property,
                                XCB_ATOM_ATOM, 32, list.size(), list.data());
        } else {
            const auto found = std::find(m_atoms.begin(), m_atoms.end(), request.target);
            if (found == m_atoms.end()) {
                property = XCB_ATOM_NONE;
            } else {
                const Offer& offer = m_offers[found - m_atoms.begin()];
                const quint32 size = 1000000;
                switch (offer.reply) {
                    case Reply::Silent:
                        return;
                    case Reply::MissingProperty:
                        break;
                    case Reply::Data:
                        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, request.requestor,
                                            property, request.target, 8, offer.bytes.size(),
                                            offer.bytes.constData());
                        break;
                    case Reply::StalledIncr:
                        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, request.requestor,
                                            property, m_incr, 32, 1, &size);
                        break;
                }
            }
        }
        xcb_selection_notify_event_t notify{};
        notify.response_type = XCB_SELECTION_NOTIFY;
        notify.time = request.time;
        notify.requestor = request.requestor;
        notify.selection = request.selection;
        notify.target = request.target;
        notify.property = property;
        xcb_send_event(m_connection, 0, request.requestor, 0, reinterpret_cast<char*>(&notify));
        xcb_flush(m_connection);
    }

    QList<Offer> m_offers;
    std::vector<xcb_atom_t> m_atoms;
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_window = 0;
    xcb_atom_t m_clipboard = 0, m_targets = 0, m_incr = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// The longest gap between ticks of a 1 ms main-thread timer.
class StallMeter {
  public:
    StallMeter() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_clock.restart());
            ++m_ticks;
        });
        m_clock.start();
        m_timer.start();
    }
    qint64 longestMs() const { return m_longest; }
    int ticks() const { return m_ticks; }

  private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
    int m_ticks = 0;
};

}  // namespace

class TestX11Pasteboard : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void readsOtherClientsByteForByte();
    void survivesHungAndBrokenOwners();
    void servesOwnWritesByteForByte();
    void writesFileUrls();
    void worksWithoutDisplay();
};

void TestX11Pasteboard::readsOtherClientsByteForByte() {
    const QByteArray text = "caf\xc3\xa9 \xe2\x9c\x93\n";
    auto launchCopy = std::make_unique<XclipCopy>("text/plain;charset=utf-8", text);
    QTest::qWait(200);
    // Content present at start-up is the first change.
    X11Pasteboard pasteboard;
    QTRY_COMPARE_WITH_TIMEOUT(pasteboard.changeCount(), 1, 5000);
    const StoredItem launchItem{{"text/plain;charset=utf-8", text}};
    QCOMPARE(pasteboard.items(), PasteboardSnapshot{launchItem});
    QCOMPARE(pasteboard.string(), QString::fromUtf8(text));

    const QList<std::pair<QByteArray, QByteArray>> copies{
        {"text/html", "<p>Gr\xc3\xbc\xc3\x9f\x65 \xe6\x97\xa5\xe6\x9c\xac</p>"},
        {"application/x-quillstack-private", allByteValues()},
        {"image/png", smallPng()},
        {"application/x-large", randomBytes(30 * 1024 * 1024)},
    };
    std::unique_ptr<XclipCopy> copy;
    for (const auto& [target, bytes] : copies) {
        const qint64 before = pasteboard.changeCount();
        // The previous owner quits only after it lost the selection, so it never empties it.
        auto next = std::make_unique<XclipCopy>(target, bytes);
        QTRY_COMPARE_WITH_TIMEOUT(pasteboard.changeCount(), before + 1, 30000);
        copy = std::move(next);
        QCOMPARE(pasteboard.items().size(), 1);
        QCOMPARE(pasteboard.items()[0].keys(), QStringList{QString(target)});
        QVERIFY2(pasteboard.items()[0].value(QString(target)) == bytes, target.constData());
    }
    QCOMPARE(pasteboard.string(), std::nullopt);

    // The owner quitting empties the clipboard.
    const qint64 before = pasteboard.changeCount();
    copy->kill();
    QTRY_COMPARE_WITH_TIMEOUT(pasteboard.changeCount(), before + 1, 5000);
    QVERIFY(pasteboard.items().isEmpty());
}

void TestX11Pasteboard::survivesHungAndBrokenOwners() {
    using Reply = ScriptedOwner::Reply;
    X11Pasteboard pasteboard({}, std::chrono::milliseconds(400));
    StallMeter meter;
    {
        ScriptedOwner owner({{"text/plain", Reply::Data, "kept"},
                             {"application/x-silent", Reply::Silent, {}},
                             {"application/x-missing", Reply::MissingProperty, {}},
                             {"application/x-stalled", Reply::StalledIncr, {}},
                             {"application/x-after", Reply::Data, allByteValues()}});
        QTRY_COMPARE_WITH_TIMEOUT(pasteboard.changeCount(), 1, 10000);
        const StoredItem expected{{"text/plain", "kept"}, {"application/x-after", allByteValues()}};
        QCOMPARE(pasteboard.items(), PasteboardSnapshot{expected});
        // Two waits of 400 ms each went by; the main thread never sat in one.
        QVERIFY2(meter.longestMs() < 200, qPrintable(QString::number(meter.longestMs())));
        QVERIFY(meter.ticks() > 20);
    }
    {
        // Our write lands while a slow owner is being read: ours stays, theirs is dropped.
        ScriptedOwner slow(
            {{"text/plain", Reply::Data, "stale"}, {"application/x-silent", Reply::Silent, {}}});
        QTest::qWait(100);
        const qint64 before = pasteboard.changeCount();
        pasteboard.setString(QStringLiteral("ours"));
        QTest::qWait(1000);
        QCOMPARE(pasteboard.changeCount(), before + 1);
        QCOMPARE(pasteboard.string(), QStringLiteral("ours"));
        QCOMPARE(paste("text/plain"), QByteArray("ours"));
    }
    const qint64 before = pasteboard.changeCount();
    XclipCopy next("text/plain", "next copy");
    QTRY_VERIFY_WITH_TIMEOUT(pasteboard.string() == QStringLiteral("next copy"), 5000);
    QVERIFY(pasteboard.changeCount() > before);
}

void TestX11Pasteboard::servesOwnWritesByteForByte() {
    X11Pasteboard pasteboard;
    QVERIFY(pasteboard.isConnected());
    const StoredItem first{{"text/html", "<b>\xc3\xa9t\xc3\xa9</b>"},
                           {"text/plain;charset=utf-8", "\xc3\xa9t\xc3\xa9"},
                           {"application/x-quillstack-private", allByteValues()},
                           {"application/x-large", randomBytes(20 * 1024 * 1024)}};
    const StoredItem second{{"text/html", "<i>loses</i>"}, {"text/rtf", "{\\rtf1 second}"}};

    const qint64 before = pasteboard.changeCount();
    QVERIFY(pasteboard.writeItems({first, second}));
    QCOMPARE(pasteboard.changeCount(), before + 1);

    QStringList offered = QString::fromLatin1(paste("TARGETS")).split('\n', Qt::SkipEmptyParts);
    offered.sort();
    QStringList expected = first.keys() + QStringList{"text/rtf", "TARGETS", "TIMESTAMP"};
    expected.sort();
    QCOMPARE(offered, expected);
    for (auto it = first.cbegin(); it != first.cend(); ++it) {
        QVERIFY2(paste(it.key()) == it.value(), qPrintable(it.key()));
    }
    QCOMPARE(paste("text/rtf"), second.value("text/rtf"));
    QCOMPARE(paste("application/x-not-offered"), QByteArray());

    // Our own ownership is never read back as a new copy.
    QTest::qWait(300);
    QCOMPARE(pasteboard.changeCount(), before + 1);
    StoredItem merged = first;
    merged.insert("text/rtf", second.value("text/rtf"));
    QCOMPARE(pasteboard.items(), PasteboardSnapshot{merged});

    pasteboard.setString(QStringLiteral("na\u00efve \u2713"));
    QCOMPARE(pasteboard.changeCount(), before + 2);
    QCOMPARE(paste("UTF8_STRING"), QByteArray("na\xc3\xafve \xe2\x9c\x93"));
}

void TestX11Pasteboard::writesFileUrls() {
    X11Pasteboard pasteboard;
    const QList<QUrl> urls{QUrl::fromLocalFile("/tmp/a b.txt"),
                           QUrl::fromLocalFile("/home/\u00fcser/r\u00e9sum\u00e9.pdf")};
    const qint64 before = pasteboard.changeCount();
    QVERIFY(pasteboard.writeFileUrls(urls));
    QCOMPARE(pasteboard.changeCount(), before + 1);
    QCOMPARE(
        paste("text/uri-list"),
        QByteArray("file:///tmp/a%20b.txt\r\nfile:///home/%C3%BCser/r%C3%A9sum%C3%A9.pdf\r\n"));
    QCOMPARE(
        paste("x-special/gnome-copied-files"),
        QByteArray("copy\nfile:///tmp/a%20b.txt\nfile:///home/%C3%BCser/r%C3%A9sum%C3%A9.pdf"));
    QCOMPARE(paste("text/plain"),
             QByteArray("/tmp/a b.txt\n/home/\xc3\xbcser/r\xc3\xa9sum\xc3\xa9.pdf"));
}

void TestX11Pasteboard::worksWithoutDisplay() {
    X11Pasteboard pasteboard(QStringLiteral(":4999"));
    QVERIFY(!pasteboard.isConnected());
    pasteboard.setString(QStringLiteral("nowhere"));
    QVERIFY(!pasteboard.writeItems({StoredItem{{"text/plain", "x"}}}));
    QCOMPARE(pasteboard.changeCount(), 0);
    QVERIFY(pasteboard.items().isEmpty());
    QCOMPARE(pasteboard.string(), std::nullopt);
}

QTEST_GUILESS_MAIN(TestX11Pasteboard)
#include "tst_x11_pasteboard.moc"
