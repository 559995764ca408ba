#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "HotkeyStack.h"
#include "settings/L10n.h"
#include "ui/common/FloatingWindow.h"
#include "ui/settings/HotkeyRecorderView.h"
#include "ui/settings/SettingsView.h"

namespace {

using Kind = FakeKeyboardHooks::Hook::Kind;
constexpr quint64 kSuperShift = ModifierFlag::Command | ModifierFlag::Shift;

// Takes the key presses that get past the recorder.
class KeySink : public QWidget {
  public:
    QList<int> keys;

  protected:
    void keyPressEvent(QKeyEvent* event) override { keys << event->key(); }
};

// The settings window as the application wires it: the limit applied and the chord
// reinstalled on assignment, and the content rebuilt on a language change.
struct Rig : HotkeyStack {
    bool withOpener = true;
    SettingsView::Session session = SettingsView::Session::X11;
    int shortcutSettingsOpened = 0;
    int quits = 0;
    std::unique_ptr<FloatingWindow> window;
    KeySink sink;

    explicit Rig(bool opener = true) : withOpener(opener) {
        L10n::configure(&settings, QStringLiteral("en"));
        QObject::connect(&settings, &AppSettings::bufferLimitAssigned, &history,
                         &ClipboardHistory::applyLimit, Qt::DirectConnection);
        QObject::connect(&settings, &AppSettings::hotkeyAssigned, &detector,
                         &ChordDetector::restartMonitoring, Qt::DirectConnection);
        detector.startMonitoring();
    }

    void open() {
        window = std::make_unique<FloatingWindow>(QStringLiteral("Settings"), [this] {
            std::function<void()> opener;
            if (withOpener) {
                opener = [this] { ++shortcutSettingsOpened; };
            }
            return new SettingsView(
                settings, detector, opener, [this] { ++quits; }, session);
        });
        QObject::connect(&settings, &AppSettings::preferredLanguageChanged, window.get(),
                         &FloatingWindow::rebuildContent);
        window->present();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    SettingsView* view() const { return qobject_cast<SettingsView*>(window->content()); }
    HotkeyRecorderView* recorder() const { return view()->recorder(); }

    // A key press in one of our windows, as the X server reports it.
    void press(int qtKey, Qt::KeyboardModifiers modifiers, quint32 scanCode,
               quint32 nativeModifiers = 0) {
        QKeyEvent event(QEvent::KeyPress, qtKey, modifiers, scanCode, 0, nativeModifiers);
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
        QTest::newRow("highest bound") << 500 << 1 << 0 << 500 << "";
        QTest::newRow("hand-edited, down") << 7 << -1 << 0 << 5 << "";
        QTest::newRow("hand-edited, up") << 498 << 1 << 0 << 500 << "";
    }

    void bufferLimitSteps() {
        QFETCH(int, start);
        QFETCH(int, direction);
        QFETCH(int, copies);
        Rig rig;
        rig.settings.setBufferLimit(start);
        for (int i = 0; i < copies; ++i) {
            rig.copyText(QStringLiteral("text %1").arg(i));
        }
        rig.open();
        SettingsView& v = *rig.view();
        QCOMPARE(v.bufferLimitValue()->text(), QString::number(start));
        (direction < 0 ? v.bufferLimitDown() : v.bufferLimitUp())->click();
        QTEST(int(rig.settings.bufferLimit()), "limit");
        QCOMPARE(v.bufferLimitValue()->text(), QString::number(rig.settings.bufferLimit()));
        if (copies > 0) {
            QCOMPARE(rig.history.items().size(),
                     std::min<qsizetype>(copies, rig.settings.bufferLimit()));
            QTEST(rig.history.items().last().previewText(), "oldestKept");
        }
    }

    void pickers() {
        Rig rig;
        rig.settings.setPreferredLanguage(QStringLiteral("de"));
        rig.open();
        SettingsView* v = rig.view();
        QStringList names;
        QStringList codes;
        for (int i = 0; i < v->languagePicker()->count(); ++i) {
            names << v->languagePicker()->itemText(i);
            codes << v->languagePicker()->itemData(i).toString();
        }
        QStringList expectedNames{L10n::string(QStringLiteral("System"))};
        QStringList expectedCodes{QStringLiteral("system")};
        for (const auto& option : AppSettings::languageOptions()) {
            expectedNames << option.name;
            expectedCodes << option.code;
        }
        QCOMPARE(names, expectedNames);
        QCOMPARE(codes, expectedCodes);
        QCOMPARE(v->languagePicker()->currentText(), QStringLiteral("Deutsch"));

        // Auto-delete: the caption shows only for an age; the choice is stored.
        QComboBox* age = v->autoDeletePicker();
        QCOMPARE(qsizetype(age->count()), AppSettings::autoDeleteOptions().size());
        QVERIFY(v->autoDeleteCaption()->isHidden());
        age->setCurrentIndex(age->findText(L10n::string(QStringLiteral("5 minutes"))));
        QCOMPARE(rig.settings.autoDeleteMinutes(), qint64(5));
        QVERIFY(!v->autoDeleteCaption()->isHidden());
        age->setCurrentIndex(age->findText(L10n::string(QStringLiteral("Never"))));
        QCOMPARE(rig.settings.autoDeleteMinutes(), qint64(0));
        QVERIFY(v->autoDeleteCaption()->isHidden());

        // A language picked here rebuilds this very form, after the picker is done with it.
        v->languagePicker()->setCurrentIndex(v->languagePicker()->findData(QStringLiteral("ja")));
        QTRY_COMPARE(rig.settings.preferredLanguage(), QStringLiteral("ja"));
        QVERIFY(rig.view() != v);
        QCOMPARE(rig.view()->languagePicker()->currentText(), QStringLiteral("日本語"));

        // A language from the command line that is not offered selects nothing.
        rig.settings.setPreferredLanguage(QStringLiteral("xx"));
        QCOMPARE(rig.view()->languagePicker()->currentIndex(), -1);

        rig.view()->quitButton()->click();
        QCOMPARE(rig.quits, 1);
    }

    void warningsFollowTheFlags_data() {
        QTest::addColumn<bool>("trusted");
        QTest::addColumn<int>("refusal");
        QTest::addColumn<bool>("globalRefused");
        QTest::addColumn<bool>("opener");
        QTest::addColumn<bool>("wayland");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("button");
        const auto none = int(ChordRefusal::None);
        const auto held = int(ChordRefusal::HeldElsewhere);
        const auto unavailable = int(ChordRefusal::Unavailable);
        const QString paste = QStringLiteral(
            "Paste needs Universal Access — enable it so Quillstack can paste the selected item "
            "into other apps.");
        const QString global = QStringLiteral(
            "For global hotkey add Quillstack to Input Monitoring (System Settings → Privacy).");
        const QString shared = QStringLiteral(
            "Another program also uses this shortcut, so both react to it. Record a different "
            "one, or free it in that program.");
        const QString waylandBinding = QStringLiteral(
            "Wayland gives programs no global shortcuts: bind %@ to the command “quillstack "
            "--toggle-popup” in your desktop's keyboard settings (sway: bindsym in its config; "
            "KDE Plasma: Shortcuts → Add New → Command; GNOME: Keyboard → Custom Shortcuts).");
        QTest::newRow("all well") << true << none << false << true << false << ""
                                  << "";
        QTest::newRow("grab refused, observer works")
            << true << unavailable << false << true << false << ""
            << "";
        QTest::newRow("no paste, whatever else") << false << none << true << true << false << paste
                                                 << "Open Accessibility in System Settings";
        QTest::newRow("no global chord") << true << unavailable << true << true << false << global
                                         << "Open Input Monitoring in System Settings";
        QTest::newRow("held elsewhere, unseen") << true << held << true << true << false << global
                                                << "Open Input Monitoring in System Settings";
        QTest::newRow("shared with another program") << true << held << false << true << false
                                                     << shared << "Open keyboard shortcut settings";
        QTest::newRow("no shortcut settings known")
            << true << held << false << false << false << shared << "";
        QTest::newRow("wayland: nothing types")
            << false << unavailable << true << true << true
            << "This desktop lets no program type into other windows: choose an item in the "
               "list, then press Ctrl+V yourself."
            << "";
        QTest::newRow("wayland: chord not bound")
            << true << unavailable << true << true << true << waylandBinding
            << "Open keyboard shortcut settings";
        QTest::newRow("wayland: bound by the compositor")
            << true << none << true << true << true << ""
            << "";
    }

    void warningsFollowTheFlags() {
        QFETCH(bool, trusted);
        QFETCH(int, refusal);
        QFETCH(bool, globalRefused);
        QFETCH(QString, text);
        QFETCH(QString, button);
        QFETCH(bool, opener);
        QFETCH(bool, wayland);
        Rig rig(opener);
        rig.session = wayland ? SettingsView::Session::Wayland : SettingsView::Session::X11;
        rig.open();
        SettingsView* v = rig.view();
        QVERIFY(!v->warningLabel()->isVisible());

        // The flags change while the window is open, as on activation.
        rig.trust.setTrusted(trusted);
        rig.hooks.setRefuseInterception(refusal != int(ChordRefusal::None), ChordRefusal(refusal));
        rig.hooks.setRefuseGlobalObservation(globalRefused);
        rig.detector.restartMonitoring();
        // The rows name keys; the tables give each its Linux wording.
        const auto expected = [&] {
            return text.isEmpty() ? text : L10n::string(text, {rig.settings.hotkeyDisplayString()});
        };
        QCOMPARE(v->warningLabel()->isVisible() ? v->warningLabel()->text() : QString(),
                 expected());
        QCOMPARE(v->warningButton()->isVisible() ? v->warningButton()->text() : QString(),
                 button.isEmpty() ? button : L10n::string(button));
        if (v->warning() != SettingsView::Warning::PasteUnavailable &&
            v->warningButton()->isVisible()) {
            v->warningButton()->click();
            QCOMPARE(rig.shortcutSettingsOpened, 1);
        }
        // Advice naming the chord follows a newly recorded one.
        if (text.contains(QStringLiteral("%@"))) {
            const QString before = v->warningLabel()->text();
            rig.settings.setHotkeyModifiers(ModifierFlag::Control | ModifierFlag::Option);
            QVERIFY(v->warningLabel()->text() != before);
            QCOMPARE(v->warningLabel()->text(), expected());
        }
    }

    void recordedChord_data() {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("scanCode");
        QTest::addColumn<int>("nativeModifiers");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<quint64>("chordModifiers");
        QTest::addColumn<int>("keyCode");
        const int superAlt = Qt::MetaModifier | Qt::AltModifier;
        const int ctrl = Qt::ControlModifier;
        const quint64 none = 0;
        QTest::newRow("Super+Alt+K")
            << int(Qt::Key_K) << superAlt << 45 << 0 << true << quint64(0x180000) << 40;
        QTest::newRow("the current chord")
            << int(Qt::Key_V) << int(Qt::MetaModifier | Qt::ShiftModifier) << 55 << 0 << true
            << kSuperShift << 9;
        QTest::newRow("Ctrl+Shift+F5 keeps the function bit")
            << int(Qt::Key_F5) << int(Qt::ControlModifier | Qt::ShiftModifier) << 71 << 0 << true
            << quint64(0x860000) << 96;
        QTest::newRow("caps lock on")
            << int(Qt::Key_K) << 0 << 45 << 0x2 << true << quint64(0x10000) << 40;
        QTest::newRow("the key's position, not its letter")
            << int(Qt::Key_A) << ctrl << 24 << 0 << true << quint64(0x40000) << 12;
        QTest::newRow("no scan code: by name")
            << int(Qt::Key_V) << ctrl << 0 << 0 << true << quint64(0x40000) << 9;
        QTest::newRow("plain K") << int(Qt::Key_K) << 0 << 45 << 0 << false << none << 0;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << 9 << 0 << false << none << 0;
        QTest::newRow("arrow alone") << int(Qt::Key_Down) << 0 << 116 << 0 << false << none << 0;
        QTest::newRow("Shift by itself")
            << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << 50 << 0 << false << none << 0;
    }

    void recordedChord() {
        QFETCH(int, qtKey);
        QFETCH(bool, stored);
        QFETCH(int, keyCode);
        QFETCH(quint64, chordModifiers);
        Rig rig;
        rig.copyText(QStringLiteral("something"));
        rig.open();
        HotkeyRecorderView* r = rig.recorder();
        r->button()->click();
        QVERIFY(r->isRecording());
        QCOMPARE(r->button()->text(), QStringLiteral("Press shortcut…"));
        // The chord now reaches the recorder instead of the popup.
        QCOMPARE(rig.hooks.active(Kind::Interceptor), 0);
        QVERIFY(!rig.hooks.pressInOtherApp(KeyEvent{KeyCode::V, kSuperShift, false}));
        rig.scheduler.runUntilIdle();
        QVERIFY(!rig.popup.isPopupVisible());

        const int installs = rig.hooks.installed(Kind::Interceptor);
        QFETCH(int, modifiers);
        QFETCH(int, scanCode);
        QFETCH(int, nativeModifiers);
        rig.press(qtKey, Qt::KeyboardModifiers(modifiers), quint32(scanCode),
                  quint32(nativeModifiers));
        QCOMPARE(r->isRecording(), !stored);
        QCOMPARE(rig.sink.keys, stored ? QList<int>{} : QList<int>{qtKey});
        if (!stored) {
            QCOMPARE(rig.settings.hotkeyModifiers(), kSuperShift);
            QCOMPARE(rig.settings.hotkeyKeyCode(), KeyCode::V);
            QCOMPARE(rig.hooks.active(Kind::Interceptor), 0);
            return;
        }
        QCOMPARE(rig.settings.hotkeyModifiers(), chordModifiers);
        QCOMPARE(int(rig.settings.hotkeyKeyCode()), keyCode);
        QCOMPARE(r->button()->text(), QStringLiteral("Change"));
        QCOMPARE(r->chordLabel()->text(), rig.settings.hotkeyDisplayString());
        // Detection is back, on the new chord, installed once.
        QCOMPARE(rig.hooks.installed(Kind::Interceptor), installs + 1);
        QCOMPARE(rig.hooks.activeInterceptor()->keyCode, quint16(keyCode));
        QCOMPARE(rig.hooks.activeInterceptor()->modifiers, chordModifiers);
    }

    void recordingEndsWithoutStoring_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("cancelled") << "cancel";
        QTest::newRow("window closed") << "close";
        QTest::newRow("content rebuilt") << "rebuild";
    }

    void recordingEndsWithoutStoring() {
        QFETCH(QString, how);
        Rig rig;
        rig.copyText(QStringLiteral("something"));
        rig.open();
        rig.recorder()->button()->click();
        QVERIFY(rig.recorder()->isRecording());
        if (how == u"cancel") {
            rig.recorder()->button()->click();
        } else if (how == u"close") {
            rig.window->close();
        } else {
            rig.window->rebuildContent();
        }
        QVERIFY(!rig.recorder()->isRecording());
        QCOMPARE(rig.recorder()->button()->text(), QStringLiteral("Change"));

        // Nothing is recorded any more, and the chord opens the popup again.
        rig.press(Qt::Key_K, Qt::MetaModifier | Qt::AltModifier, 45);
        QCOMPARE(rig.sink.keys, QList<int>{Qt::Key_K});
        QCOMPARE(rig.settings.hotkeyModifiers(), kSuperShift);
        QCOMPARE(rig.settings.hotkeyKeyCode(), KeyCode::V);
        QCOMPARE(rig.hooks.active(Kind::Interceptor), 1);
        QCOMPARE(rig.hooks.peakActiveInterceptors(), 1);
        QVERIFY(rig.hooks.pressInOtherApp(KeyEvent{KeyCode::V, kSuperShift, false}));
        rig.scheduler.runUntilIdle();
        QVERIFY(rig.popup.isPopupVisible());
    }
};

QTEST_MAIN(TestSettingsWindow)
#include "tst_settings_window.moc"
