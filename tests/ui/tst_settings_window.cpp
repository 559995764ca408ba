#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "WindowRig.h"
#include "ui/common/FloatingWindow.h"
#include "ui/settings/HotkeyRecorderView.h"
#include "ui/settings/SettingsView.h"

namespace {

using Kind = FakeKeyboardHooks::Hook::Kind;
using Warning = SettingsView::Warning;
using Session = SettingsView::Session;
constexpr quint64 kSuperShift = ModifierFlag::Command | ModifierFlag::Shift;

struct WarningCase {
    bool trusted;
    ChordRefusal refusal;
    bool globalRefused, opener;
    Session session;
    Warning warning;
    const char* fragment = "";  // a piece of the advice; "%@": the chord it must name
    bool button = false;
};

struct RecordCase {
    int qtKey, modifiers, scanCode, nativeModifiers = 0;
    quint64 chord = 0;  // stored; 0: nothing
    int keyCode = 0;
    const char* end = "";  // how the recording ends before the key press
};

// Takes the key presses that get past the recorder.
struct KeySink : QWidget {
    QList<int> keys;
    void keyPressEvent(QKeyEvent* event) override { keys << event->key(); }
};

// The settings window as the application wires it: the limit applied and the chord reinstalled
// on assignment, the content rebuilt on a language change.
struct Rig : WindowRig {
    bool withOpener = true;
    Session session = Session::X11;
    int opened = 0, quits = 0, built = 0;
    KeySink sink;
    FloatingWindow window{QStringLiteral("Settings"), [this] {
                              ++built;
                              std::function<void()> opener;
                              if (withOpener) {
                                  opener = [this] { ++opened; };
                              }
                              return new SettingsView(
                                  settings, detector, opener, [this] { ++quits; }, session);
                          }};

    explicit Rig(const QStringList& copies = {}) : WindowRig(copies) {
        QObject::connect(&settings, &AppSettings::bufferLimitAssigned, &history,
                         &ClipboardHistory::applyLimit, Qt::DirectConnection);
        QObject::connect(&settings, &AppSettings::hotkeyAssigned, &detector,
                         &ChordDetector::restartMonitoring, Qt::DirectConnection);
        QObject::connect(&settings, &AppSettings::preferredLanguageChanged, &window,
                         &FloatingWindow::rebuildContent);
    }
    SettingsView* open() {
        window.present();
        return QTest::qWaitForWindowExposed(&window) ? view() : nullptr;
    }
    SettingsView* view() const { return qobject_cast<SettingsView*>(window.content()); }
    HotkeyRecorderView* recorder() const { return view()->recorder(); }
    // A key press in one of our windows, as the X server reports it.
    void press(const RecordCase& c) {
        QKeyEvent event(QEvent::KeyPress, c.qtKey, Qt::KeyboardModifiers(c.modifiers),
                        quint32(c.scanCode), 0, quint32(c.nativeModifiers));
        QApplication::sendEvent(&sink, &event);
        QCoreApplication::processEvents();
        scheduler.runUntilIdle();
    }
};

}  // namespace

class TestSettingsWindow : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void bufferLimitSteps_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("oldestKept");
        QTest::newRow("up") << 50 << 1 << 50 << 55 << "text 0";
        QTest::newRow("down trims at once") << 50 << -1 << 50 << 45 << "text 5";
        QTest::newRow("lowest bound") << 5 << -1 << 0 << 5 << "";
    }
    void bufferLimitSteps() {
        QFETCH(int, start);
        QFETCH(int, copies);
        Rig rig;
        rig.settings.setBufferLimit(start);
        for (int i = 0; i < copies; ++i) {
            rig.copyText(QStringLiteral("text %1").arg(i));
        }
        SettingsView& v = *rig.open();
        QCOMPARE(v.bufferLimitValue()->text(), QString::number(start));
        QFETCH(int, direction);
        (direction < 0 ? v.bufferLimitDown() : v.bufferLimitUp())->click();
        QTEST(int(rig.settings.bufferLimit()), "limit");
        QCOMPARE(v.bufferLimitValue()->text(), QString::number(rig.settings.bufferLimit()));
        QCOMPARE(rig.history.items().size(),
                 std::min<qsizetype>(copies, rig.settings.bufferLimit()));
        if (copies > 0) {
            QTEST(rig.history.items().last().previewText(), "oldestKept");
        }
    }

    // The pickers, and the window around a content that a language change builds anew.
    void pickersAndRebuild() {
        Rig rig;
        rig.settings.setPreferredLanguage(QStringLiteral("de"));
        QCOMPARE(rig.built, 0);  // nothing is made before the window is first shown
        SettingsView* v = rig.open();
        QComboBox* language = v->languagePicker();
        QCOMPARE(language->itemData(0).toString(), QStringLiteral("system"));
        QCOMPARE(language->currentText(), QStringLiteral("Deutsch"));

        // Auto-delete: the caption shows only for an age; the choice is stored.
        QComboBox* age = v->autoDeletePicker();
        for (const qint64 minutes : {5, 0, 5}) {
            const char* name = minutes != 0 ? "5 minutes" : "Never";
            age->setCurrentIndex(age->findText(L10n::string(QString::fromLatin1(name))));
            QCOMPARE(rig.settings.autoDeleteMinutes(), minutes);
            QCOMPARE(v->autoDeleteCaption()->isHidden(), minutes == 0);
        }

        // A language picked here rebuilds this very form, after the picker is done with it;
        // the window keeps its place and size and titles itself anew.
        const QRect frame(QPoint(40, 50), QSize(500, 600));
        rig.window.setGeometry(frame);
        QPointer<SettingsView> old = v;
        language->setCurrentIndex(language->findData(QStringLiteral("ja")));
        QTRY_VERIFY(old.isNull());
        QCOMPARE(rig.settings.preferredLanguage(), QStringLiteral("ja"));
        QCOMPARE(rig.view()->languagePicker()->currentText(), QStringLiteral("日本語"));
        QVERIFY(rig.view()->isVisible() && rig.window.geometry() == frame);
        QVERIFY(rig.window.windowTitle() == L10n::string(QStringLiteral("Settings")) &&
                rig.window.windowTitle() != QStringLiteral("Settings"));
        // Closing hides; the window and its content survive for the next showing.
        SettingsView* shown = rig.view();
        QVERIFY(rig.window.close() && !rig.window.isVisible());
        rig.window.present();
        QVERIFY(rig.window.isVisible() && rig.view() == shown);
        rig.view()->quitButton()->click();
        QCOMPARE(rig.quits, 1);
    }

    void warningsFollowTheFlags_data() {
        QTest::addColumn<WarningCase>("c");
        const auto none = ChordRefusal::None;
        const auto held = ChordRefusal::HeldElsewhere;
        const auto off = ChordRefusal::Unavailable;
        const auto X11 = Session::X11;
        const auto Wl = Session::Wayland;
        // trusted, refusal, global observation refused, a shortcut-settings opener, session
        QTest::newRow("all well") << WarningCase{true, none, false, true, X11, Warning::None};
        QTest::newRow("no paste, whatever else")
            << WarningCase{false, none, true, true, X11, Warning::PasteUnavailable, "XTEST", true};
        QTest::newRow("no global chord") << WarningCase{
            true, off, true, true, X11, Warning::HotkeyUnavailable, "--toggle-popup", true};
        QTest::newRow("shared with another program")
            << WarningCase{true, held, false, true, X11, Warning::HotkeyShared, "both react", true};
        QTest::newRow("no shortcut settings known")
            << WarningCase{true, held, false, false, X11, Warning::HotkeyShared, "both react"};
        QTest::newRow("wayland: nothing types") << WarningCase{
            false, off, true, true, Wl, Warning::PasteUnavailable, "no program type"};
        QTest::newRow("wayland: chord not bound")
            << WarningCase{true, off, true, true, Wl, Warning::HotkeyUnavailable, "%@", true};
        QTest::newRow("wayland: bound by the compositor")
            << WarningCase{true, none, true, true, Wl, Warning::None};
    }
    void warningsFollowTheFlags() {
        QFETCH(WarningCase, c);
        Rig rig;
        rig.withOpener = c.opener;
        rig.session = c.session;
        SettingsView* v = rig.open();
        QVERIFY(!v->warningLabel()->isVisible());
        // The flags change while the window is open, as on activation.
        rig.trust.setTrusted(c.trusted);
        rig.hooks.setRefuseInterception(c.refusal != ChordRefusal::None, c.refusal);
        rig.hooks.setRefuseGlobalObservation(c.globalRefused);
        rig.detector.restartMonitoring();
        QCOMPARE(v->warning(), c.warning);
        QCOMPARE(v->warningLabel()->isVisible(), c.warning != Warning::None);
        const QString chord = rig.settings.hotkeyDisplayString();
        const bool namesChord = qstrcmp(c.fragment, "%@") == 0;
        const QString fragment = namesChord ? chord : QString::fromUtf8(c.fragment);
        QVERIFY2(v->warningLabel()->text().contains(fragment),
                 qPrintable(v->warningLabel()->text()));
        QCOMPARE(v->warningButton()->isVisible(), c.button);
        if (c.button && c.warning != Warning::PasteUnavailable) {  // that one asks for access
            v->warningButton()->click();
            QCOMPARE(rig.opened, 1);
        }
        if (namesChord) {  // and follows a newly recorded one
            rig.settings.setHotkeyModifiers(ModifierFlag::Control | ModifierFlag::Option);
            QVERIFY(rig.settings.hotkeyDisplayString() != chord);
            QVERIFY(v->warningLabel()->text().contains(rig.settings.hotkeyDisplayString()));
        }
    }

    // A recording takes the first key press that carries a modifier, or ends without storing
    // anything when cancelled, closed or rebuilt; plain keys go on to their target.
    void recorder_data() {
        QTest::addColumn<RecordCase>("c");
        const int superAlt = Qt::MetaModifier | Qt::AltModifier;
        const int ctrl = Qt::ControlModifier;
        // Qt key, modifiers, scan code, native modifiers; the chord stored and its key code
        QTest::newRow("Super+Alt+K") << RecordCase{Qt::Key_K, superAlt, 45, 0, 0x180000, 40};
        QTest::newRow("Ctrl+Shift+F5 keeps the function bit")
            << RecordCase{Qt::Key_F5, ctrl | Qt::ShiftModifier, 71, 0, 0x860000, 96};
        QTest::newRow("caps lock on") << RecordCase{Qt::Key_K, 0, 45, 0x2, 0x10000, 40};
        QTest::newRow("the key's position, not its letter")
            << RecordCase{Qt::Key_A, ctrl, 24, 0, 0x40000, 12};
        QTest::newRow("no scan code: by name") << RecordCase{Qt::Key_V, ctrl, 0, 0, 0x40000, 9};
        QTest::newRow("plain K") << RecordCase{Qt::Key_K, 0, 45};
        QTest::newRow("Escape") << RecordCase{Qt::Key_Escape, 0, 9};
        QTest::newRow("Shift by itself") << RecordCase{Qt::Key_Shift, Qt::ShiftModifier, 50};
        for (const char* end : {"cancelled", "window closed", "content rebuilt"}) {
            QTest::newRow(end) << RecordCase{Qt::Key_K, superAlt, 45, 0, 0, 0, end};
        }
    }
    void recorder() {
        QFETCH(RecordCase, c);
        Rig rig({"something"});
        rig.open();
        rig.recorder()->button()->click();
        // The chord now reaches the recorder instead of the popup.
        QCOMPARE(rig.recorder()->button()->text(), QStringLiteral("Press shortcut…"));
        QVERIFY(rig.recorder()->isRecording() && rig.hooks.active(Kind::Interceptor) == 0);
        QVERIFY(!rig.other(kChord) && !rig.popup.isPopupVisible());

        const int installs = rig.hooks.installed(Kind::Interceptor);
        const QByteArray end(c.end);
        if (end == "cancelled") {
            rig.recorder()->button()->click();
        } else if (end == "window closed") {
            rig.window.close();
        } else if (end == "content rebuilt") {
            rig.window.rebuildContent();
        }
        rig.press(c);
        const bool stored = c.chord != 0;
        const bool recording = !stored && end.isEmpty();
        QCOMPARE(rig.recorder()->isRecording(), recording);
        QCOMPARE(rig.recorder()->button()->text(), recording ? "Press shortcut…" : "Change");
        QCOMPARE(rig.sink.keys, stored ? QList<int>{} : QList<int>{c.qtKey});
        QCOMPARE(rig.settings.hotkeyModifiers(), stored ? c.chord : kSuperShift);
        QCOMPARE(int(rig.settings.hotkeyKeyCode()), stored ? c.keyCode : int(KeyCode::V));
        QCOMPARE(rig.hooks.active(Kind::Interceptor), recording ? 0 : 1);
        QCOMPARE(rig.hooks.peakActiveInterceptors(), 1);
        if (!recording) {  // detection is back, on the stored chord (installed once if new)
            QCOMPARE(rig.recorder()->chordLabel()->text(), rig.settings.hotkeyDisplayString());
            QCOMPARE(rig.hooks.activeInterceptor()->keyCode, quint16(rig.settings.hotkeyKeyCode()));
            QCOMPARE(rig.hooks.activeInterceptor()->modifiers, rig.settings.hotkeyModifiers());
            QVERIFY(stored ? rig.hooks.installed(Kind::Interceptor) == installs + 1
                           : rig.other(kChord) && rig.popup.isPopupVisible());
        }
    }
};

QTEST_MAIN(TestSettingsWindow)
#include "tst_settings_window.moc"
