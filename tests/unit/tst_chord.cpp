// SPDX-License-Identifier: MIT
#include <QKeyEvent>
#include <QtTest>

#include "ChordStack.h"
#include "TestHelpers.h"
#include "chord/PasteKeystrokeTable.h"
#include "history/HistoryFilterModel.h"
#include "history/SearchText.h"
#include "keys/ChordPolicy.h"
#include "keys/KeyCodeTable.h"
#include "keys/KeyNames.h"
#include "platform/gnome/GnomeKeyInjector.h"
#include "platform/gnome/GnomeKeyboardHooks.h"
#include "settings/InterfaceLanguage.h"
#include "settings/StoredChord.h"

namespace {

// "text:…", "html:…", "files:url\r\nurl", "image": one copy as a program offers it.
StoredItem copyOf(const QString& what) {
    const QString kind = what.section(u':', 0, 0);
    const QLatin1StringView type = kind == u"html"    ? ClipboardTypeKey::html
                                   : kind == u"files" ? ClipboardTypeKey::uriList
                                   : kind == u"image" ? ClipboardTypeKey::png
                                                      : ClipboardTypeKey::stringUtf8Mime;
    return {{QString(type), kind == u"image" ? encodeImage(solidImage(4, 4, Qt::red))
                                             : what.section(u':', 1).toUtf8()}};
}

QString shownText(const QAbstractItemModel& model, int row) {
    return model.index(row, 0).data(HistoryListModel::RowTextRole).toString();
}

using Kind = FakeKeyboardHooks::Hook::Kind;
using Tester = QAbstractItemModelTester;
const RunningApp kSelf{4242, QStringLiteral("Quillstack"), 1};
constexpr quint16 kKeyK = KeyCode::fromEvdev(KEY_K);

// The stack with nothing copied, so that a chord press opens no popup, only counts.
struct ChordRig : ChordStack {
    int presses = 0;
    ChordRig() {
        QObject::disconnect(&detector, &ChordDetector::chordPressed, &popup, &PopupSession::toggle);
        QObject::connect(&detector, &ChordDetector::chordPressed, [this] { ++presses; });
    }
    // The hooks and the published flags together as digits (interceptors, globals, locals, tap
    // flag, global flag), "!" when the chord is taken by another program, "#" and the hooks
    // installed so far.
    QString state() const {
        return QStringLiteral("%1%2%3%4%5%6#%7")
            .arg(hooks.active(Kind::Interceptor))
            .arg(hooks.active(Kind::Global))
            .arg(hooks.active(Kind::Local))
            .arg(int(detector.isUsingAccessibilityForChord()))
            .arg(int(detector.isGlobalChordAvailable()))
            .arg(detector.isChordTakenByAnotherProgram() ? "!" : "")
            .arg(hooks.installed(Kind::Interceptor) + hooks.installed(Kind::Global) +
                 hooks.installed(Kind::Local));
    }
    // As the popup hands on a paste: the record written, our popup still in front.
    void deliver(const std::optional<RunningApp>& target) {
        clipboard.write({{"UTF8_STRING", "B"}});
        windowTracker.frontmost = kSelf;
        delivery.deliver(target);
    }
};

// A settings entry ("name=keystroke", only a name: not text, or none), the target's instance
// and class, and the keystroke typed into it.
struct Lookup {
    QString entry, instance, className;
    Keystroke expected;
};

// The target (none: nothing in front), when its activation takes effect (< 0: never), when
// the clipboard write is confirmed (< 0: at once) and whether it took; when the keystroke goes
// (< 0: never), the activations asked for, until when the user holds a modifier, whether the
// window system tells the front window once the popup closed (it stays in front otherwise) and
// whether the user is told to paste by hand.
struct Delivery {
    std::optional<RunningApp> target;
    qint64 activationDelayMs, confirmAtMs;
    bool taken;
    qint64 keystrokeMs;
    qsizetype activations;
    qint64 heldUntilMs = 0;
    bool frontKnown = true, withheld = false;
};

// A Qt key press and the press it gives, in XKB keycodes (key code -1: no chord).
struct Press {
    int qtKey, qtModifiers;
    quint32 scanCode, nativeModifiers;
    int keyCode;
    quint64 modifiers = 0;
    int typed = 0;
};
// A copy ("text:…", "html:…", "files:…", "image"), a query typed in the interface language,
// whether the copy is found and the spans of the shown text marked, joined by "|".
struct Match {
    QString copy, query;
    bool found;
    QString marked, language;
};

// A popup script over the first copies, and the query, selected row, clipboard and counts after.
struct Keys {
    QString script, query, selected, clipboard, after;
    int copies;
};

// A chord in words, glyphs and German.
struct Chord {
    quint64 modifiers;
    quint16 keyCode;
    const char *words, *german;
};

}  // namespace

// The chord, the popup session it opens, its filter, the paste delivered from it, and the key
// tables under them.
class TestChord : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // One copy, one query in the interface language: found or not, and the part of the text
    // shown that is marked.
    void matching_data() {
        QTest::addColumn<Match>("m");
        const auto row = [](const char* name, const QString& copy, const char* query, bool found,
                            const char* marked = "", const char* language = "en") {
            QTest::newRow(name) << Match{copy, query, found, marked, language};
        };
        row("accents", "text:Crème brûlée", "creme BRULEE", true, "Crème|brûlée");
        row("accent typed, none copied", "text:resume", "résumé", true, "resume");
        row("full width", "text:ＡＢＣ total", "abc", true, "ＡＢＣ");
        row("sharp s", "text:Die Straße", "STRASSE", true, "Straße");
        row("any order", "text:alpha beta gamma", "gamma alpha", true, "alpha|gamma");
        row("every word", "text:alpha beta", "alpha delta", false, "alpha");
        row("blank query", "text:alpha", "   ", true);
        row("html by its text", "html:<p><b>bold</b> move</p>", "bold move", true, "bold|move");
        row("html markup is not text", "html:<p><b>bold</b></p>", "<b>", false);
        row("file names", "files:file:///home/u/Report%20Final.pdf\r\nfile:///tmp/b.txt",
            "final b.txt", true, "Final|b.txt");
        row("not the folders", "files:file:///home/u/a.txt", "home", false);
        row("past the preview", "text:" + QString(6000, u'x') + " needle", "needle", true);
        row("image label, German", "image", "bild", true, "Bild", "de");
        row("image, not its English label in German", "image", "image", false, "", "de");
        // Joiners and variation selectors are part of what was copied, and of what is typed.
        row("emoji with joiners", "text:at 👩\u200D💻 work", "👩\u200D💻", true, "👩\u200D💻");
        row("joined emoji are not the two apart", "text:👩 💻", "👩\u200D💻", false);
        row("variation selector", "text:❤ text, ❤\uFE0F emoji", "❤\uFE0F", true, "❤\uFE0F");
        row("Persian non-joiner", "text:من می\u200Cخواهم", "می\u200Cخواهم", true, "می\u200Cخواهم");
        // The marks cover the characters the folded form came from.
        row("Arabic", "text:مرحبا بالعالم", "بالعالم", true, "بالعالم");
        row("Hebrew points", "text:שָׁלוֹם עולם", "שלום", true, "שָׁלוֹם");
        row("mixed direction", "text:Order 42 הזמנה confirmed", "הזמנה CONF", true, "הזמנה|conf");
        row("inside a sharp s", "text:Die Straße", "asse", true, "aße");
        row("ligature", "text:ﬁnal", "fin", true, "ﬁn");
        row("combining accent", "text:cafe\u0301 noir", "CAFÉ", true, "cafe\u0301");
        row("overlapping", "text:abababx aab", "abab aab", true, "ababab|aab");
        // Where the text and the word repeat themselves, as under a held key.
        const QByteArray word = 'b' + QByteArray(30, 'a');
        row("repetitive", "text:" + QString(150, u'a') + word, word, true, word);
        row("repetitive, absent", "text:" + QString(150, u'a') + " b", word, false);
    }
    void matching() {
        QFETCH(Match, m);
        const InterfaceLanguage language(nullptr, m.language);
        ChordStack rig;
        rig.copy(copyOf(m.copy));
        HistoryFilterModel filter(rig.model);
        Tester tester(&filter, Tester::FailureReportingMode::QtTest);
        filter.setQuery(m.query);
        QCOMPARE(filter.rowCount() == 1, m.found);
        QStringList marked;
        const QString shown = shownText(rig.model, 0);
        for (const auto& [start, length] : SearchText::matchRanges(shown, filter.words())) {
            marked << shown.mid(start, length);
        }
        QCOMPARE(marked.join(u'|'), m.marked);
    }

    // Key texts typed into the popup over one copy: the query that counts, and whether the copy
    // is found. The first key of a filter must show something; every other key is taken.
    void typedQuery_data() {
        QTest::addColumn<QString>("copy");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("found");
        const QString persian = QStringLiteral("می\u200Cخواهم");
        QTest::newRow("Persian, key by key")
            << "من " + persian << persian.split(QString(), Qt::SkipEmptyParts) << persian << true;
        QTest::newRow("joined emoji in one commit")
            << "at 👩\u200D💻 work" << QStringList{"👩\u200D💻"} << "👩\u200D💻" << true;
        QTest::newRow("a non-joiner alone starts nothing")
            << "abc" << QStringList{"\u200C"} << QString() << true;
        QTest::newRow("past the cap")
            << QString(300, u'x') << QStringList(300, "x") << QString(256, u'x') << true;
        QTest::newRow("no half emoji at the cap")
            << "x" << QStringList(255, "x") + QStringList{"😀", "y"} << QString(255, u'x') + u'y'
            << false;
    }
    void typedQuery() {
        QFETCH(QString, copy);
        QFETCH(QStringList, keys);
        QFETCH(QString, query);
        QFETCH(bool, found);
        ChordStack rig({copy});
        rig.popup.toggle();
        for (const QString& key : keys) {
            QCOMPARE(rig.own(KeyEvent{0, 0, false, 0, key}), !query.isEmpty());
        }
        QCOMPARE(rig.popup.query(), query);
        QCOMPARE(rig.popup.filterModel().rowCount(), int(found));
    }

    // Queries applied in turn to one filter, "+text" copying meanwhile: after each step the
    // rows are those a new filter with the same query shows.
    void narrowingAgreesWithAFreshFilter_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("typing on")
            << QStringList{"a", "ap", "app", "apple", "apple ", "apple t", "apple ta", "apple tar"};
        QTest::newRow("backspace and retyping")
            << QStringList{"apple t", "apple", "appl", "apple", "apple p"};
        QTest::newRow("a repeated word") << QStringList{"pie a", "pie ap", "pie apple", "pie pie"};
        QTest::newRow("copies meanwhile")
            << QStringList{"ap", "+apricot jam", "apr", "+apple pie tin", "apple", "apple pi"};
    }
    void narrowingAgreesWithAFreshFilter() {
        QFETCH(QStringList, steps);
        ChordStack rig({"apple pie", "banana", "apple tart", "tart apricot", "pie"});
        HistoryFilterModel typed(rig.model);
        Tester tester(&typed, Tester::FailureReportingMode::QtTest);
        for (const QString& step : steps) {
            if (step.startsWith(u'+')) {
                rig.copyText(step.mid(1));
                continue;
            }
            typed.setQuery(step);
            HistoryFilterModel fresh(rig.model);
            fresh.setQuery(step);
            QStringList shown, expected;
            for (int row = 0; row < std::max(typed.rowCount(), fresh.rowCount()); ++row) {
                shown << shownText(typed, row);
                expected << shownText(fresh, row);
            }
            QCOMPARE(shown, expected);
        }
    }

    // Keys in the popup over the editor, on eight copies or the first few of them (shown newest
    // first: lime fig elder date cherry "apple tart" banana "apple pie", lime copied last), a
    // page being five rows. Steps: "t:text" types it, "_" a space, "copy:N" (N is copied
    // meanwhile), "remove:R" (as row R's remove button does), "paste:R" (as a click on row R),
    // "chord", key names otherwise. After them: the filter typed, the row selected (empty: the
    // popup closed or no row), what the clipboard holds, and "items activations pastes": the
    // records left, how often the editor was brought back to the front, the pastes typed into it.
    void popupKeys_data() {
        QTest::addColumn<Keys>("k");
        const auto row = [](const char* name, const char* script, const char* query,
                            const char* selected, const char* clipboard = "lime",
                            const char* after = "8 0 0", int copies = 8) {
            QTest::newRow(name) << Keys{script, query, selected, clipboard, after, copies};
        };
        // Arrows wrap both ways within the matches; a paste past the last match does nothing.
        row("arrows wrap", "t:ap Down Down Up paste:2", "ap", "apple pie");
        row("Return pastes the match", "t:ap Down Return", "", "", "apple pie", "8 1 1");
        row("Shift+Return too", "t:ap Shift+Return", "", "", "apple tart", "8 1 1");
        row("keypad Enter", "Down Enter", "", "", "fig", "8 1 1");
        row("Ctrl+P pins the match, selection follows", "t:ap Down Ctrl+P", "ap", "apple pie");
        // While filtering, arrivals that match come in, the rest stay out, removals leave.
        row("matches follow the history", "t:ap copy:kiwi copy:apricot Down remove:0", "ap",
            "apple pie", "apricot", "9 0 0");
        row("P alone is typing", "Down P Down", "", "elder");
        row("Backspace edits", "t:apx Backspace", "ap", "apple tart");
        row("Backspace past the filter deletes nothing", "t:a Backspace Backspace", "", "lime");
        row("Escape clears first", "t:ap Down Escape", "", "lime");
        row("chord closes, reopens clear", "t:ap Down chord chord", "", "lime", "lime", "8 1 0");
        row("a leading space is no filter", "_ t:a_p", "a p", "apple tart");
        row("Alt+digit among the matches", "t:ap Alt+2", "", "", "apple pie", "8 1 1");
        // Typing filters, the newest match first.
        row("Alt+digit past the rows", "t:pie Alt+2", "pie", "apple pie");
        row("Page Up from the end", "PageDown PageDown PageUp", "", "elder");
        row("Page Up past the top", "Down PageUp", "", "lime");
        row("End, Home, Page Down", "End Home PageDown", "", "apple tart");
        row("Ctrl+End in matches", "t:a Ctrl+End", "a", "apple pie");
        // A copy made while the popup is open leaves the selection on its record.
        row("a copy meanwhile keeps the record", "Down copy:kiwi", "", "fig", "kiwi", "9 0 0");
        row("an older record copied again", "Down copy:cherry", "", "fig", "cherry", "8 0 0");
        row("removed on both sides", "Down Down remove:0 remove:3", "", "elder", "lime", "6 0 0");
        row("forward Delete on the last row", "End Delete", "", "banana", "lime", "7 0 0");
        row("emptied, it closes", "Backspace remove:1 Backspace", "", "", "apple tart", "0 0 0", 3);
        // An empty history opens the popup; Return does nothing there, Escape closes it.
        row("empty history", "Return Down PageDown Escape", "", "", "", "0 1 0", 0);
    }
    void popupKeys() {
        QFETCH(Keys, k);
        ChordStack rig(QStringList{"apple pie", "banana", "apple tart", "cherry", "date", "elder",
                                   "fig", "lime"}
                           .first(k.copies));
        PopupSession& s = rig.popup;
        Tester tester(&s.filterModel(), Tester::FailureReportingMode::QtTest);
        QVERIFY(!rig.own({KeyCode::Backspace}));  // hidden: our other windows keep their keys
        s.toggle();
        static const QHash<QString, KeyEvent> keys{
            {"Down", {KeyCode::Down}},
            {"Up", {KeyCode::Up}},
            {"Return", {KeyCode::Return}},
            {"Enter", {KeyCode::KeypadEnter}},
            {"Shift+Return", {KeyCode::Return, ModifierFlag::Shift}},
            {"Ctrl+P", {KeyCode::P, ModifierFlag::Control, false, 0, "p"}},
            {"P", {KeyCode::P}},
            {"Backspace", {KeyCode::Backspace}},
            {"Delete", {KeyCode::Delete}},
            {"Escape", {KeyCode::Escape}},
            {"Alt+2", {0, ModifierFlag::Alt, false, KeyCode::Digits[1], "2"}},
            {"PageDown", {KeyCode::PageDown}},
            {"PageUp", {KeyCode::PageUp}},
            {"Home", {KeyCode::Home}},
            {"End", {KeyCode::End}},
            {"Ctrl+End", {KeyCode::End, ModifierFlag::Control}},
            {"_", {KeyCode::Space, 0, false, 0, " "}}};
        for (const QString& step : k.script.split(u' ')) {
            const QString arg = step.section(u':', 1);
            if (step == u"chord") {
                s.toggle();
            } else if (step.startsWith(u"copy:")) {
                rig.copyText(arg);
            } else if (step.startsWith(u"remove:")) {
                s.removeItemFromHistory(arg.toInt());
            } else if (step.startsWith(u"paste:")) {
                s.pasteItemAndClose(arg.toInt());
            } else if (step.startsWith(u"t:")) {
                for (const QChar c : arg) {
                    QVERIFY(rig.own(KeyEvent{0, 0, false, 0, c == u'_' ? " " : QString(c)}));
                }
            } else {
                QVERIFY2(keys.contains(step), qPrintable(step));
                // Only a space with nothing typed, and a key that types nothing, are left to the
                // window.
                QCOMPARE(rig.own(keys.value(step)), step != u"_" && step != u"P");
            }
        }
        QCOMPARE(s.query(), k.query);
        const bool shown = s.isPopupVisible() && s.selectedIndex() < s.filterModel().rowCount();
        QCOMPARE(shown ? shownText(s.filterModel(), int(s.selectedIndex())) : QString(),
                 k.selected);
        QCOMPARE(rig.clipboard.string().value_or(QString()), k.clipboard);
        QCOMPARE(QString("%1 %2 %3")
                     .arg(rig.history.items().size())
                     .arg(rig.windowTracker.activations.size())
                     .arg(rig.injector.keystrokes.size()),
                 k.after);
        // Closed, the popup lets go of the keys and of the application it was opened over.
        QCOMPARE(rig.hooks.active(FakeKeyboardHooks::Hook::Kind::Local), int(s.isPopupVisible()));
        QCOMPARE(bool(s.previousFrontmostApp()), s.isPopupVisible());
        for (const auto& to : rig.windowTracker.activations) {
            QCOMPARE(to.pid, kEditor.pid);
        }
    }

    // Steps "action" or "action=state" (chord=: presses so far). Never two interceptors at once
    // (on X11 the old handle's release would drop the new grab of the same chord), and at each
    // checked step the one up has the stored chord.
    void detection_data() {
        QTest::addColumn<QString>("script");
        QTest::newRow("trust and refusals")
            << "start=10111#2 activate=10111#2 keyK restart=10111#4 stop=00000#4 untrust "
               "restart=10111#6 activate=10111#6 refuse restart=01101#8 noglobal restart=00100#9 "
               "activate=00100#10";
        // Held by another program while still seen: taken. Untrusted (no typing) the chord is
        // still taken, once the other program lets it go.
        QTest::newRow("held elsewhere") << "untrust held start=01101!#2 free restart=10111#4";
        // The flags describe the detection that comes back, so no warning flickers meanwhile;
        // a chord stored meanwhile is installed once, on resumption. Stopped while paused (the
        // application quits), resuming brings nothing back.
        QTest::newRow("paused")
            << "start=10111#2 pause=00011#2 chord=0 keyK restart=00011#2 activate=00011#2 "
               "resume=10111#4 pause=00011#4 stop=00000#4 resume=00000#4";
    }
    void detection() {
        QFETCH(QString, script);
        ChordRig rig;
        ChordDetector& d = rig.detector;
        QSignalSpy taken(&d, &ChordDetector::isChordTakenByAnotherProgramChanged);
        std::unique_ptr<HookHandle> pause;
        const QHash<QString, std::function<void()>> actions{
            {"start", [&] { d.startMonitoring(); }},
            {"restart", [&] { d.restartMonitoring(); }},
            {"stop", [&] { d.stopMonitoring(); }},
            {"activate", [&] { d.refreshOnActivation(); }},
            {"pause", [&] { pause = d.pauseDetection(); }},
            {"resume", [&] { pause.reset(); }},
            {"untrust", [&] { rig.trust.setTrusted(false); }},
            {"refuse", [&] { rig.hooks.setRefuseInterception(true); }},
            {"held", [&] { rig.hooks.setRefuseInterception(true, ChordRefusal::HeldElsewhere); }},
            {"free", [&] { rig.hooks.setRefuseInterception(false); }},
            {"noglobal", [&] { rig.hooks.setRefuseGlobalObservation(true); }},
            {"keyK",
             [&] {
                 rig.settings.setChord({rig.settings.chordModifiers(), kKeyK});
             }},
            {"chord", [&] {
                 rig.other(kChord);
                 rig.own(kChord);
             }}};
        for (const QString& step : script.split(u' ')) {
            const QString action = step.section(u'=', 0, 0);
            QVERIFY2(actions.contains(action), qPrintable(action));
            actions[action]();
            if (!step.contains(u'=')) {
                continue;
            }
            const QString got = action == u"chord" ? QString::number(rig.presses) : rig.state();
            QVERIFY2(step.section(u'=', 1) == got, qPrintable(step + " gave " + got));
            if (const auto up = rig.hooks.activeInterceptor()) {
                QCOMPARE(up->keyCode, rig.settings.chordKeyCode());
                QCOMPARE(up->modifiers, rig.settings.chordModifiers());
            }
        }
        QVERIFY(rig.hooks.peakActiveInterceptors() <= 1);
        QCOMPARE(taken.isEmpty(), !script.contains(u'!'));
    }

    void chordRecognition() {
        ChordRig rig;
        rig.hooks.setRefuseInterception(true);
        rig.detector.startMonitoring();
        const quint64 cmdShiftOpt = kChord.modifiers | ModifierFlag::Alt;
        QVERIFY(!rig.other({KeyCode::V, cmdShiftOpt | 0x8, false}));  // observed, not consumed
        rig.own(kChord);
        // Missing modifiers, another key.
        rig.other({KeyCode::V, ModifierFlag::Super, false});
        rig.other({KeyCode::V, ModifierFlag::Shift, false});
        rig.other({KeyCode::fromEvdev(KEY_C), kChord.modifiers, false});
        QCOMPARE(rig.presses, 2);
        // Bits below the modifiers' never count as pressed, not even for a chord that has them.
        QVERIFY(!modifierFlagsMatch(0x100008, 0x100008));
        // Caps Lock on and key repeat: every repeated key-down is a press.
        for (int i = 0; i < 3; ++i) {
            rig.other({KeyCode::V, kChord.modifiers | ModifierFlag::CapsLock, i > 0});
        }
        QCOMPARE(rig.presses, 5);

        // Work still queued when a detector goes is dropped.
        rig.detector.stopMonitoring();
        rig.hooks.setRefuseInterception(false);
        {
            ChordDetector gone(rig.hooks, rig.trust, rig.scheduler, rig.settings);
            QObject::connect(&gone, &ChordDetector::chordPressed, [&] { ++rig.presses; });
            gone.startMonitoring();
            QVERIFY(rig.hooks.pressInOtherApp({KeyCode::V, cmdShiftOpt, false}));
        }
        rig.scheduler.runUntilIdle();
        QCOMPARE(rig.presses, 5);
    }

    // The entry of the settings file ("name=keystroke", only a name: not text, or none), the
    // target's instance and class: one row per rule of the lookup.
    void keystrokeFor_data() {
        QTest::addColumn<Lookup>("lookup");
        using T = PasteKeystrokeTable;
        const auto row = [](const char* name, const Lookup& l) { QTest::newRow(name) << l; };
        row("class only", {"", "", "org.wezfurlong.wezterm", T::controlShiftV});
        row("primary, any case", {"", "URXVT", "URXVT", T::shiftInsert});
        row("user, any case", {"mYtErM=ctrl+shift+v", "myterm", "MyTerm", T::controlShiftV});
        row("user over built-in", {"XTerm=Ctrl+Shift+V", "xterm", "XTerm", T::controlShiftV});
        row("user by instance", {"scratch=Shift+Ins", "scratch", "Kitty", T::shiftInsert});
        row("user entry not text", {"Odd", "", "odd", T::controlV});
        row("user Alt and Super",
            {"Odd=Alt+Super+P", "", "odd", {ModifierFlag::Alt | ModifierFlag::Super, KeyCode::P}});
        for (const char* garbage :
             {"XTerm=Ctrl+", "XTerm=Hyper+V", "XTerm=Ctrl+Ctrl+V", "XTerm=Ctrl+Ü"}) {
            row(garbage, {garbage, "xterm", "XTerm", T::shiftInsert});
        }
    }
    void keystrokeFor() {
        QFETCH(Lookup, lookup);
        ChordRig rig;
        const QString key = "PasteKeystrokes/" + lookup.entry.section(u'=', 0, 0);
        if (lookup.entry.contains(u'=')) {
            rig.store.seed(key, lookup.entry.section(u'=', 1));
        } else if (!lookup.entry.isEmpty()) {
            rig.store.seed(key, 7);
        }
        rig.deliver(RunningApp{kEditor.pid, kEditor.name, kEditor.window, lookup.instance,
                               lookup.className});
        QCOMPARE(rig.injector.keystrokes, QList<Keystroke>{lookup.expected});
        // The terminals that paste on Shift+Insert read the primary selection.
        QCOMPARE(rig.clipboard.primaryOffers().size(),
                 lookup.expected == PasteKeystrokeTable::shiftInsert);
    }

    // The keystroke goes at once into a target already in front, else once its activation took
    // effect, after a pause with nothing to activate; never before the clipboard write is
    // confirmed, and not at all when the write did not take. An activation that never lands
    // types nothing while another window is known to be in front (the user is told), and
    // types after a second where the window system cannot tell.
    void deliveryTiming_data() {
        QTest::addColumn<Delivery>("d");
        QTest::newRow("target in front") << Delivery{kEditor, 0, -1, true, 0, 1};
        QTest::newRow("slow activation") << Delivery{kEditor, 60, -1, true, 60, 1};
        QTest::newRow("another window in front at timeout")
            << Delivery{kEditor, -1, -1, true, -1, 1, 0, true, true};
        QTest::newRow("another in front, write lost")
            << Delivery{kEditor, -1, 30, false, -1, 1, 0, true, false};
        QTest::newRow("front unknown at timeout")
            << Delivery{kEditor, -1, -1, true, 1000, 1, 0, false};
        QTest::newRow("opened over itself") << Delivery{kSelf, 0, -1, true, 100, 0};
        QTest::newRow("nothing in front") << Delivery{std::nullopt, 0, -1, true, 100, 0};
        QTest::newRow("late confirmation") << Delivery{kEditor, 0, 30, true, 30, 1};
        QTest::newRow("confirmed first") << Delivery{kEditor, 60, 10, true, 60, 1};
        QTest::newRow("write lost") << Delivery{kEditor, 0, 30, false, -1, 1};
        // A Shift of Shift+Return another keyboard holds would join the keystroke.
        QTest::newRow("modifier let go") << Delivery{kEditor, 0, -1, true, 300, 1, 290};
        QTest::newRow("modifier held on") << Delivery{kEditor, 0, -1, true, 2000, 1, 60000};
    }
    void deliveryTiming() {
        QFETCH(Delivery, d);
        ChordRig rig;
        rig.windowTracker.activationDelayMs = d.activationDelayMs;
        rig.injector.heldUntilMs = d.heldUntilMs;
        rig.clipboard.setHoldConfirmations(d.confirmAtMs >= 0);
        if (d.confirmAtMs >= 0) {
            rig.scheduler.postDelayed(int(d.confirmAtMs),
                                      [&] { rig.clipboard.confirmWrites(d.taken); });
        }
        QSignalSpy withheld(&rig.delivery, &PasteDelivery::pasteWithheld);
        rig.deliver(d.target);
        if (!d.frontKnown) {
            rig.windowTracker.frontmost.reset();
        }
        QCOMPARE(rig.injector.timesMs.size(), d.keystrokeMs == 0 ? 1 : 0);
        QCOMPARE(rig.windowTracker.activations.size(), d.activations);
        if (d.keystrokeMs > 0) {
            rig.scheduler.advance(d.keystrokeMs - 1);
            QVERIFY(rig.injector.timesMs.isEmpty());
        }
        rig.scheduler.advance(5000 - rig.scheduler.monotonicMs());  // the clock starts at 0
        QCOMPARE(rig.injector.timesMs,
                 d.keystrokeMs < 0 ? QList<qint64>() : QList<qint64>{d.keystrokeMs});
        // The keystroke the target would have had, for the user to press.
        const QString byHand = KeyNames::displayString(ModifierFlag::Control, KeyCode::V,
                                                       KeyNames::ChordForm::Translated);
        QCOMPARE(withheld.size(), int(d.withheld));
        QCOMPARE(d.withheld ? withheld.first().first().toString() : byHand, byHand);
    }

    // Settings files keep an earlier program's numbers: pinned positions, with the bits a key
    // carries itself added on write and taken off on read. Every key has one number and back;
    // a number of no key reads as none, and bits that are not the key's stay.
    void storedChord() {
        using StoredChord::Numbers;
        constexpr quint64 fn = 0x800000, pad = 0x200000, ctrl = ModifierFlag::Control;
        // V, Z, M, L, Insert, Home, "=", Delete, Down, keypad 7, Play (no ANSI key).
        const QList<QPair<Numbers, Keystroke>> known{{{0x120000, 9}, {0x120000, 55}},
                                                     {{0, 6}, {0, 52}},
                                                     {{0, 46}, {0, 58}},
                                                     {{0, 37}, {0, 46}},
                                                     {{fn, 114}, {0, 118}},
                                                     {{fn | ctrl, 115}, {ctrl, 110}},
                                                     {{0, 24}, {0, 21}},
                                                     {{fn, 117}, {0, 119}},
                                                     {{fn | pad, 125}, {0, 116}},
                                                     {{pad, 89}, {0, 79}},
                                                     {{0, 0x1AC}, {0, 172}}};
        for (const auto& [stored, chord] : known) {
            QVERIFY(StoredChord::read(stored) == chord);
            QVERIFY(StoredChord::write(chord) == stored);
        }
        for (quint16 key = 8; key < 256; ++key) {
            QCOMPARE(StoredChord::read(StoredChord::write({ctrl, key})).keyCode, key);
        }
        QVERIFY(StoredChord::read({pad | ctrl, 9}) == (Keystroke{pad | ctrl, 55}));
        QCOMPARE(StoredChord::read(StoredChord::write({ctrl, 0})).keyCode, 0);
        for (const quint16 none : {52, 0x100 + 55, 0x100 + 7, 0x200}) {
            QCOMPARE(StoredChord::read({0, none}).keyCode, 0);
        }
    }

    // A press: the scan code first, the Qt key where there is none.
    void fromQKeyEvent_data() {
        QTest::addColumn<Press>("press");
        using namespace ModifierFlag;
        const int meta = Qt::MetaModifier;
        const auto row = [](const char* name, const Press& press) { QTest::newRow(name) << press; };
        // The layout prints another letter on the V key; its position counts for the chord.
        row("V position", {Qt::Key_Z, meta | Qt::ShiftModifier, 55, 0, 55, Super | Shift, 52});
        row("Caps Lock on", {Qt::Key_V, Qt::ControlModifier, 55, 2, 55, Control | CapsLock, 55});
        row("synthesized", {Qt::Key_Percent, Qt::AltModifier, 0, 0, 14, Alt, 14});
        row("arrow", {Qt::Key_Up, meta, 111, 0, 111, Super, 111});
        row("keypad", {Qt::Key_1, 0, 87, 0, 87, 0, 10});
        // A keymap of its own (wtype) puts Down on the Escape position.
        row("Down from a keymap of its own", {Qt::Key_Down, 0, 9, 0, 9, 0, 116});
        row("unnamed symbol", {Qt::Key_Launch0, 0, 55, 0, 55, 0, 55});
        row("modifier key", {Qt::Key_Shift, Qt::ShiftModifier, 50, 0, -1});
        row("unknown", {Qt::Key_Launch0, 0, 0, 0, -1});
    }
    void fromQKeyEvent() {
        QFETCH(Press, press);
        const QKeyEvent event(QEvent::KeyPress, press.qtKey,
                              Qt::KeyboardModifiers(press.qtModifiers), press.scanCode, 0,
                              press.nativeModifiers);
        const std::optional<KeyEvent> got = KeyCodeTable::fromQKeyEvent(event);
        QCOMPARE(got ? int(got->keyCode) : -1, press.keyCode);
        if (got) {
            QCOMPARE(got->modifiers, press.modifiers);
            QCOMPARE(int(got->typedKey()), press.typed);
        }
    }

    // Stored and logged in words, shown in the interface language (German here, from the
    // built-in tables): names translate, letters and codes do not.
    void chordText_data() {
        QTest::addColumn<Chord>("c");
        const auto row = [](const Chord& c) { QTest::newRow(c.words) << c; };
        using namespace ModifierFlag;
        row({Super | Control | Alt | Shift, KeyCode::Space, "Super+Ctrl+Alt+Shift+Space",
             "Super+Strg+Alt+Umschalt+Leertaste"});
        row({Super | Shift, KeyCode::Escape, "Super+Shift+Esc", "Super+Umschalt+Esc"});
        row({CapsLock, KeyCode::fromEvdev(KEY_A), "CapsLock+A", "Feststell+A"});
        row({Control, KeyCode::fromEvdev(KEY_F5), "Ctrl+F5", "Strg+F5"});
        row({Alt, 200, "Alt+Key200", "Alt+Key200"});  // unnamed
    }
    void chordText() {
        QFETCH(Chord, c);
        using F = KeyNames::ChordForm;
        QCOMPARE(KeyNames::displayString(c.modifiers, c.keyCode), QString(c.words));
        const InterfaceLanguage german(nullptr, QStringLiteral("de"));
        QCOMPARE(KeyNames::displayString(c.modifiers, c.keyCode, F::Translated), QString(c.german));
    }

    // Without a scan code a key goes by its name, to where the US layout has it: every key
    // comes back under the name printed on it (the shifted symbols of the US layout under
    // their key's), F1 to F12 too. The paste chord may not be one that typing or editing needs
    // in every program: each of these keys types with Shift or Caps Lock, and with Ctrl (Shift
    // and Caps Lock aside) edits exactly for the common commands, wherever the letter sits.
    void byName() {
        using namespace ModifierFlag;
        using ChordPolicy::judge, ChordPolicy::Verdict;
        const QString printed = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890-=[]\\;',./`";
        const QString shifted = printed.left(26) + "!@#$%^&*()_+{}|:\"<>?~";
        for (qsizetype i = 0; i < printed.size(); ++i) {
            for (const QChar c : {printed[i], shifted[i]}) {
                const QKeyEvent press(QEvent::KeyPress, c.unicode(), Qt::ControlModifier);
                const quint16 code = KeyCodeTable::fromQKeyEvent(press).value().keyCode;
                QCOMPARE(KeyNames::displayString(0, code), QString(printed[i]));
                QCOMPARE(judge(Shift | CapsLock, code), Verdict::TypesText);
                QCOMPARE(judge(Control | Shift | CapsLock, code),
                         QString("ACFNOPQSTVWXYZ").contains(printed[i]) ? Verdict::EditsText
                                                                        : Verdict::Allowed);
                QCOMPARE(judge(Control | Alt, code), Verdict::Allowed);
                QCOMPARE(judge(Super | Shift, code), Verdict::Allowed);
            }
        }
        for (int i = 0; i < 12; ++i) {
            const QKeyEvent press(QEvent::KeyPress, Qt::Key_F1 + i, Qt::NoModifier);
            QCOMPARE(KeyNames::displayString(0, KeyCodeTable::fromQKeyEvent(press).value().keyCode),
                     QString("F%1").arg(i + 1));
        }
        // The keypad types too; Tab, like Return, does not.
        QCOMPARE(judge(0, KeyCode::fromEvdev(KEY_KP7)), Verdict::TypesText);
        QCOMPARE(judge(Shift, KeyCode::Tab), Verdict::Allowed);
    }

    // On GNOME the chord is grabbed by key position and the paste typed by symbol; the symbols
    // come from xkbcommon's US layout, an oracle independent of the position table.
    void gnomeKeys_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<quint64>("modifiers");
        QTest::addColumn<QString>("accelerator");  // empty: none
        QTest::addColumn<QList<quint32>>("keysyms");
        using namespace ModifierFlag;
        QTest::newRow("Super+Shift+V") << int(KeyCode::V) << (Super | Shift) << "<Shift><Super>0x37"
                                       << QList<quint32>{0xffe1, 0xffeb, 'v'};
        QTest::newRow("Ctrl+Alt+Up") << int(KeyCode::Up) << (Control | Alt) << "<Control><Alt>0x6f"
                                     << QList<quint32>{0xffe3, 0xffe9, 0xff52};
        QTest::newRow("no key") << 0 << Control << "" << QList<quint32>{};
    }
    void gnomeKeys() {
        QFETCH(int, code);
        QFETCH(quint64, modifiers);
        QTEST(GnomeKeyboardHooks::accelerator(quint16(code), modifiers).value_or(QString()),
              "accelerator");
        QTEST(GnomeKeyInjector::keysyms(Keystroke{modifiers, quint16(code)}), "keysyms");
    }
};

QTEST_GUILESS_MAIN(TestChord)
#include "tst_chord.moc"
