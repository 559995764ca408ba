#include <xcb/xcb.h>

#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <memory>
#include <numeric>
#include <optional>
#include <thread>
#include <vector>

#include "PasteboardRigs.h"
#include "XcbAtom.h"
#include "XclipOwner.h"
#include "history/ClipboardHistory.h"
#include "history/PasteboardContent.h"
#include "platform/x11/X11Pasteboard.h"

namespace {

QByteArray randomBytes(qsizetype size) {
    std::vector<quint32> words((size + 3) / 4);
    QRandomGenerator(42).fillRange(words.data(), words.size());
    return QByteArray(reinterpret_cast<const char*>(words.data()), size);
}

QByteArray allByteValues() {
    QByteArray bytes(256, 0);
    std::iota(bytes.begin(), bytes.end(), char(0));
    return bytes;
}

// Until the server has made us the owner, a reader would still get the previous content.
bool confirmed(X11Pasteboard& pasteboard) {
    std::optional<bool> result;
    pasteboard.whenWriteConfirmed([&result](bool ok) { result = ok; });
    [[maybe_unused]] const bool answered =
        QTest::qWaitFor([&result] { return result.has_value(); }, 5000);
    return result.value_or(false);
}

xcb_window_t inputWindow(xcb_connection_t* connection) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_window_t window = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    return window;
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
        for (Offer& offer : m_offers) {
            m_atoms.push_back(internAtom(m_connection, offer.target));
        }
        xcb_set_selection_owner(m_connection, inputWindow(m_connection),
                                internAtom(m_connection, "CLIPBOARD"), XCB_CURRENT_TIME);
        xcb_flush(m_connection);
        m_thread = std::thread([this] {
            while (!m_stop) {
                xcb_generic_event_t* event = xcb_poll_for_event(m_connection);
                if (event && (event->response_type & 0x7f) == XCB_SELECTION_REQUEST) {
                    answer(*reinterpret_cast<xcb_selection_request_event_t*>(event));
                } else if (!event) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                }
                free(event);
            }
        });
    }
    ~ScriptedOwner() {
        m_stop = true;
        m_thread.join();
        xcb_disconnect(m_connection);
    }

  private:
    void answer(const xcb_selection_request_event_t& request) {
        xcb_atom_t property = request.property;
        const auto put = [&](xcb_atom_t type, quint8 format, quint32 count, const void* data) {
            xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, request.requestor, property,
                                type, format, count, data);
        };
        const auto found = std::find(m_atoms.begin(), m_atoms.end(), request.target);
        if (request.target == m_targets) {
            std::vector<xcb_atom_t> list{m_targets};
            list.insert(list.end(), m_atoms.begin(), m_atoms.end());
            put(XCB_ATOM_ATOM, 32, list.size(), list.data());
        } else if (found == m_atoms.end()) {
            property = XCB_ATOM_NONE;
        } else {
            const Offer& offer = m_offers[found - m_atoms.begin()];
            const quint32 size = 1000000;
            if (offer.reply == Reply::Silent) {
                return;
            } else if (offer.reply == Reply::Data) {
                put(request.target, 8, offer.bytes.size(), offer.bytes.constData());
            } else if (offer.reply == Reply::StalledIncr) {
                put(m_incr, 32, 1, &size);
            }
        }
        xcb_selection_notify_event_t notify{
            XCB_SELECTION_NOTIFY, 0,       0, request.time, request.requestor, request.selection,
            request.target,       property};
        xcb_send_event(m_connection, 0, request.requestor, 0, reinterpret_cast<char*>(&notify));
        xcb_flush(m_connection);
    }

    QList<Offer> m_offers;
    std::vector<xcb_atom_t> m_atoms;
    xcb_connection_t* m_connection = xcb_connect(nullptr, nullptr);
    xcb_atom_t m_targets = internAtom(m_connection, "TARGETS");
    xcb_atom_t m_incr = internAtom(m_connection, "INCR");
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

xcb_window_t selectionOwner(const QByteArray& selection) {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    xcb_get_selection_owner_reply_t* reply = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, internAtom(connection, selection)),
        nullptr);
    const xcb_window_t owner = reply ? reply->owner : xcb_window_t(XCB_WINDOW_NONE);
    free(reply);
    xcb_disconnect(connection);
    return owner;
}

// An application handing its clipboard to the manager as it exits, asking to save `targets`.
class SaveRequest {
  public:
    explicit SaveRequest(const std::vector<xcb_atom_t>& targets) {
        const xcb_atom_t property = internAtom(m_connection, "_SAVE_LIST");
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_window, property, XCB_ATOM_ATOM,
                            32, targets.size(), targets.data());
        xcb_convert_selection(m_connection, m_window, internAtom(m_connection, "CLIPBOARD_MANAGER"),
                              internAtom(m_connection, "SAVE_TARGETS"), property, XCB_CURRENT_TIME);
        xcb_flush(m_connection);
    }
    ~SaveRequest() { vanish(); }
    void vanish() {
        if (m_connection) {
            xcb_disconnect(m_connection);
            m_connection = nullptr;
        }
    }
    // The manager's answer: whether it saved, or nothing within the time.
    std::optional<bool> answer(int timeoutMs) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
                const bool notify = (event->response_type & 0x7f) == XCB_SELECTION_NOTIFY;
                const auto property =
                    reinterpret_cast<xcb_selection_notify_event_t*>(event)->property;
                free(event);
                if (notify) {
                    return property != XCB_ATOM_NONE;
                }
            }
            QTest::qWait(5);
        }
        return std::nullopt;
    }

  private:
    xcb_connection_t* m_connection = xcb_connect(nullptr, nullptr);
    xcb_window_t m_window = inputWindow(m_connection);
};

// The application's history on the real clipboard, acting as the clipboard manager.
struct HistoryRig : PasteboardHistoryRig<X11Pasteboard> {
    explicit HistoryRig(std::chrono::milliseconds timeout = std::chrono::seconds(1))
        : PasteboardHistoryRig(QString(), timeout, X11ClipboardThread::ManagerRole::TakeWhenFree) {}
};

}  // namespace

class TestX11Pasteboard : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void readsOtherClientsByteForByte() {
        const QByteArray text = "caf\xc3\xa9 \xe2\x9c\x93\n";
        auto launchCopy = std::make_unique<XclipOwner>("text/plain;charset=utf-8", text);
        QTest::qWait(200);
        // Content present at start-up is the first change.
        X11Pasteboard pasteboard;
        QTRY_COMPARE_WITH_TIMEOUT(pasteboard.changeCount(), 1, 5000);
        const StoredItem launchItem{{"text/plain;charset=utf-8", text}};
        QCOMPARE(pasteboard.items(), PasteboardSnapshot{launchItem});
        QCOMPARE(pasteboard.string(), QString::fromUtf8(text));

        const QList<std::pair<QByteArray, QByteArray>> copies{
            {"application/x-quillstack-private", allByteValues()},
            {"application/x-large", randomBytes(30 * 1024 * 1024)},
        };
        std::unique_ptr<XclipOwner> copy;
        for (const auto& [target, bytes] : copies) {
            const qint64 before = pasteboard.changeCount();
            // The previous owner quits only after it lost the selection, so it never empties it.
            auto next = std::make_unique<XclipOwner>(target, bytes);
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

    void survivesHungAndBrokenOwners() {
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
            const StoredItem expected{{"text/plain", "kept"},
                                      {"application/x-after", allByteValues()}};
            QCOMPARE(pasteboard.items(), PasteboardSnapshot{expected});
            // Two waits of 400 ms each went by; the main thread never sat in one.
            QVERIFY2(meter.longestMs < 200, qPrintable(QString::number(meter.longestMs)));
            QVERIFY(meter.ticks > 20);
        }
        {
            // Our write lands while a slow owner is being read: ours stays, theirs is dropped.
            ScriptedOwner slow({{"text/plain", Reply::Data, "stale"},
                                {"application/x-silent", Reply::Silent, {}}});
            QTest::qWait(100);
            const qint64 before = pasteboard.changeCount();
            pasteboard.setString(QStringLiteral("ours"));
            QTest::qWait(1000);
            QCOMPARE(pasteboard.changeCount(), before + 1);
            QCOMPARE(pasteboard.string(), QStringLiteral("ours"));
            QCOMPARE(paste("text/plain"), QByteArray("ours"));
        }
        const qint64 before = pasteboard.changeCount();
        XclipOwner next("text/plain", "next copy");
        QTRY_VERIFY_WITH_TIMEOUT(pasteboard.string() == QStringLiteral("next copy"), 5000);
        QVERIFY(pasteboard.changeCount() > before);
    }

    void servesOwnWritesByteForByte() {
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
        QVERIFY(confirmed(pasteboard));
        // Terminals that paste PRIMARY get our latest write there too, large targets included;
        // CLIPBOARD stays ours meanwhile.
        pasteboard.offerLatestWriteAsPrimary();
        QVERIFY(confirmed(pasteboard));
        QCOMPARE(paste("text/html", "primary"), first.value("text/html"));
        QVERIFY(paste("application/x-large", "primary") == first.value("application/x-large"));
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

        // Our own ownership of either selection is never read back as a new copy.
        QTest::qWait(300);
        QCOMPARE(pasteboard.changeCount(), before + 1);
        StoredItem merged = first;
        merged.insert("text/rtf", second.value("text/rtf"));
        QCOMPARE(pasteboard.items(), PasteboardSnapshot{merged});

        pasteboard.setString(QStringLiteral("na\u00efve \u2713"));
        QCOMPARE(pasteboard.changeCount(), before + 2);
        QVERIFY(confirmed(pasteboard));
        QCOMPARE(paste("UTF8_STRING"), QByteArray("na\xc3\xafve \xe2\x9c\x93"));
        // STRING is Latin-1: offered only for a text it can hold, never as "?"s.
        QVERIFY(!paste("TARGETS").split('\n').contains("STRING"));
        pasteboard.setString(QStringLiteral("na\u00efve"));
        QVERIFY(confirmed(pasteboard));
        QCOMPARE(paste("STRING"), QByteArray("na\xefve"));

        // The wait fails when there is no CLIPBOARD of ours left to mirror.
        XclipOwner other("UTF8_STRING", "other");
        QTRY_COMPARE(paste("UTF8_STRING"), QByteArray("other"));
        pasteboard.offerLatestWriteAsPrimary();
        QVERIFY(!confirmed(pasteboard));
    }

    void writesFileUrls() {
        X11Pasteboard pasteboard;
        const QList<QUrl> urls{QUrl::fromLocalFile("/tmp/a b.txt"),
                               QUrl::fromLocalFile("/home/\u00fcser/r\u00e9sum\u00e9.pdf")};
        const qint64 before = pasteboard.changeCount();
        QVERIFY(pasteboard.writeFileUrls(urls));
        QCOMPARE(pasteboard.changeCount(), before + 1);
        QVERIFY(confirmed(pasteboard));
        QCOMPARE(
            paste("text/uri-list"),
            QByteArray("file:///tmp/a%20b.txt\r\nfile:///home/%C3%BCser/r%C3%A9sum%C3%A9.pdf\r\n"));
        QCOMPARE(
            paste("x-special/gnome-copied-files"),
            QByteArray("copy\nfile:///tmp/a%20b.txt\nfile:///home/%C3%BCser/r%C3%A9sum%C3%A9.pdf"));
        QCOMPARE(paste("text/plain"),
                 QByteArray("/tmp/a b.txt\n/home/\xc3\xbcser/r\xc3\xa9sum\xc3\xa9.pdf"));
    }

    void historyKeepsNoSecretAndNoSecondCopy() {
        HistoryRig rig;
        rig.settle();
        const qsizetype before = rig.history.items().size();

        // What a password manager copies leaves no record and no blob.
        const QByteArray secret = randomBytes(400000);
        auto concealed = std::make_unique<ScriptedOwner>(QList<ScriptedOwner::Offer>{
            {"application/x-secret", ScriptedOwner::Reply::Data, secret},
            {"x-kde-passwordManagerHint", ScriptedOwner::Reply::Data, "secret"}});
        QTRY_COMPARE_WITH_TIMEOUT(rig.pasteboard.items().value(0).value("application/x-secret"),
                                  secret, 5000);
        rig.settle();
        QCOMPARE(rig.history.items().size(), before);
        QVERIFY(QDir(rig.blobs.path()).isEmpty());

        // Once a large copy is taken in, only the record's blob holds it.
        const QByteArray large = randomBytes(1 << 20);
        auto owner = std::make_unique<ScriptedOwner>(QList<ScriptedOwner::Offer>{
            {"application/x-large", ScriptedOwner::Reply::Data, large}});
        QTRY_COMPARE_WITH_TIMEOUT(rig.history.items().size(), before + 1, 10000);
        QVERIFY(rig.pasteboard.items().isEmpty());
        QCOMPARE(rig.history.items()[0].resolvedPasteboardData(),
                 (PasteboardSnapshot{{{"application/x-large", large}}}));
    }

    void exitingQtApplicationHandsItsClipboardOver() {
        HistoryRig rig;
        QTRY_VERIFY_WITH_TIMEOUT(selectionOwner("CLIPBOARD_MANAGER") != XCB_WINDOW_NONE, 5000);
        // Copies and quits at once: only the hand-over at exit gives us time to read it.
        const QString text = QStringLiteral("handed over \u2713");
        QProcess helper;
        helper.start(QCoreApplication::applicationFilePath(), {"--copy-and-quit", text});
        QVERIFY(helper.waitForFinished(10000));
        QCOMPARE(helper.exitCode(), 0);
        QVERIFY2(!helper.readAllStandardError().contains("clipboard manager"),
                 "the application did not hear back from us");

        QTRY_COMPARE_WITH_TIMEOUT(rig.history.items().size(), 1, 5000);
        rig.settle();
        QCOMPARE(rig.history.items().size(), 1);
        QVERIFY(confirmed(rig.pasteboard));
        const PasteboardSnapshot stored = rig.history.items()[0].resolvedPasteboardData();
        QCOMPARE(stored.size(), 1);
        QVERIFY(stored[0].contains("UTF8_STRING"));
        for (auto it = stored[0].cbegin(); it != stored[0].cend(); ++it) {
            QVERIFY2(paste(it.key()) == it.value(), qPrintable(it.key()));
        }
        QCOMPARE(QString::fromUtf8(paste("UTF8_STRING")), text);
    }

    void badSaveRequestsCostNothing_data() {
        QTest::addColumn<int>("targetCount");
        QTest::addColumn<bool>("requestorVanishes");
        QTest::newRow("requestor vanishes mid-transfer") << 3 << true;
        QTest::newRow("10000 targets") << 10000 << false;
        QTest::newRow("targets answer garbage") << 3 << false;
    }
    void badSaveRequestsCostNothing() {
        QFETCH(int, targetCount);
        QFETCH(bool, requestorVanishes);
        using Reply = ScriptedOwner::Reply;
        HistoryRig rig(std::chrono::milliseconds(300));
        QTRY_VERIFY_WITH_TIMEOUT(selectionOwner("CLIPBOARD_MANAGER") != XCB_WINDOW_NONE, 5000);
        XclipOwner earlier("text/plain", "earlier");
        QTRY_COMPARE_WITH_TIMEOUT(rig.history.items().size(), 1, 5000);

        auto owner = std::make_unique<ScriptedOwner>(
            QList<ScriptedOwner::Offer>{{"application/x-silent", Reply::Silent, {}},
                                        {"application/x-missing", Reply::MissingProperty, {}},
                                        {"application/x-stalled", Reply::StalledIncr, {}}});
        QTest::qWait(50);
        std::vector<xcb_atom_t> targets(targetCount);
        QRandomGenerator random(7);
        for (xcb_atom_t& atom : targets) {
            atom = random.bounded(1u, 0x1fffffffu);
        }
        StallMeter meter;
        {
            SaveRequest request(targets);
            if (requestorVanishes) {
                QTest::qWait(50);
                request.vanish();
            } else {
                // Answered, failed, within our bound of 3 × 300 ms for the whole save.
                QCOMPARE(request.answer(1500), std::optional<bool>(false));
            }
        }
        QTest::qWait(1500);
        QVERIFY2(meter.longestMs < 200, qPrintable(QString::number(meter.longestMs)));
        rig.settle();
        QCOMPARE(rig.history.items().size(), 1);
        QCOMPARE(rig.history.items()[0].previewText(), QStringLiteral("earlier"));

        // The next application exiting is still served.
        owner = std::make_unique<ScriptedOwner>(
            QList<ScriptedOwner::Offer>{{"text/plain", Reply::Data, "last"}});
        SaveRequest good({});
        QCOMPARE(good.answer(3000), std::optional<bool>(true));
        owner.reset();
        QTRY_COMPARE_WITH_TIMEOUT(paste("text/plain"), QByteArray("last"), 2000);
        rig.settle();
        QCOMPARE(rig.history.items().size(), 2);
        QCOMPARE(rig.history.items()[0].previewText(), QStringLiteral("last"));
    }

    void stepsBackForAnotherClipboardManager() {
        HistoryRig rig;
        QTRY_VERIFY_WITH_TIMEOUT(selectionOwner("CLIPBOARD_MANAGER") != XCB_WINDOW_NONE, 5000);
        xcb_connection_t* other = xcb_connect(nullptr, nullptr);
        const xcb_window_t window = inputWindow(other);
        xcb_set_selection_owner(other, window, internAtom(other, "CLIPBOARD_MANAGER"),
                                XCB_CURRENT_TIME);
        xcb_flush(other);
        QTest::qWait(300);
        QCOMPARE(selectionOwner("CLIPBOARD_MANAGER"), window);
        // Once the other manager is gone, the role is ours again.
        xcb_disconnect(other);
        QTRY_VERIFY_WITH_TIMEOUT(selectionOwner("CLIPBOARD_MANAGER") != XCB_WINDOW_NONE, 2000);
    }

    void worksWithoutDisplay() {
        X11Pasteboard pasteboard(QStringLiteral(":4999"));
        QVERIFY(!pasteboard.isConnected());
        pasteboard.setString(QStringLiteral("nowhere"));
        QVERIFY(!pasteboard.writeItems({StoredItem{{"text/plain", "x"}}}));
        QCOMPARE(pasteboard.changeCount(), 0);
        QVERIFY(pasteboard.items().isEmpty());
        QCOMPARE(pasteboard.string(), std::nullopt);
    }
};

int main(int argc, char** argv) {
    // A Qt application that copies and quits, to be run by the test.
    if (argc == 3 && qstrcmp(argv[1], "--copy-and-quit") == 0) {
        QGuiApplication app(argc, argv);
        QGuiApplication::clipboard()->setText(QString::fromUtf8(argv[2]));
        return 0;
    }
    QCoreApplication app(argc, argv);
    TestX11Pasteboard test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_x11_pasteboard.moc"
