#include <QAbstractItemModelTester>
#include <QImage>
#include <QtTest>

#include "HotkeyStack.h"
#include "TestHelpers.h"
#include "history/HistoryFilterModel.h"
#include "history/HistoryListModel.h"
#include "history/SearchText.h"
#include "settings/L10n.h"

namespace {

// "text:…", "html:…", "files:url\r\nurl", "image": one copy as a program offers it.
StoredItem copyOf(const QString& what) {
    const QString kind = what.section(u':', 0, 0);
    const QLatin1StringView type = kind == u"html"    ? PasteboardTypeKey::html
                                   : kind == u"files" ? PasteboardTypeKey::uriList
                                   : kind == u"image" ? PasteboardTypeKey::png
                                                      : PasteboardTypeKey::stringUtf8Mime;
    return {{QString(type), kind == u"image" ? encodeImage(solidImage(4, 4, Qt::red))
                                             : what.section(u':', 1).toUtf8()}};
}

QString shownText(const QAbstractItemModel& model, int row) {
    return model.index(row, 0).data(HistoryListModel::RowTextRole).toString();
}

}  // namespace

class TestFilter : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    // One copy, one query in the interface language: found or not, and the part of the text
    // shown that is marked.
    void matching_data() {
        QTest::addColumn<QString>("copy");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("marked");  // the spans of the shown text, joined by "|"
        const auto row = [](const char* name, const QString& copy, const char* query, bool found,
                            const char* marked = "", const char* language = "en") {
            QTest::newRow(name) << copy << QString::fromLatin1(language) << QString::fromUtf8(query)
                                << found << QString::fromUtf8(marked);
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
        row("image label", "image", "imag", true, "Imag");
        row("image label, German", "image", "bild", true, "Bild", "de");
        row("image, not its English label in German", "image", "image", false, "", "de");
    }
    void matching() {
        QFETCH(QString, copy);
        QFETCH(QString, language);
        QFETCH(QString, query);
        L10n::configure(nullptr, language);
        HotkeyStack rig;
        rig.copy(copyOf(copy));
        QCOMPARE(rig.history.items().size(), 1);
        HistoryFilterModel filter(rig.model);
        QAbstractItemModelTester tester(&filter,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        filter.setQuery(query);
        QTEST(filter.rowCount() == 1, "found");
        QStringList marked;
        const QString shown = shownText(rig.model, 0);
        for (const auto& [start, length] : SearchText::matchRanges(shown, filter.words())) {
            marked << shown.mid(start, length);
        }
        QTEST(marked.join(u'|'), "marked");
    }

    // The filter follows the history while a query is typed: arrivals that match come in, the
    // rest stay out, pinned rows stay first, removals leave.
    void followsHistory() {
        HotkeyStack rig({"apple one", "banana", "apple two"});
        HistoryFilterModel filter(rig.model);
        QAbstractItemModelTester tester(&filter,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        filter.setQuery(QStringLiteral("APPLE"));
        const auto rows = [&] {
            QStringList texts;
            for (int row = 0; row < filter.rowCount(); ++row) {
                texts << shownText(filter, row);
            }
            return texts.join(u',');
        };
        QCOMPARE(rows(), "apple two,apple one");
        rig.copyText(QStringLiteral("cherry"));
        rig.copyText(QStringLiteral("apple three"));
        QCOMPARE(rows(), "apple three,apple two,apple one");
        rig.history.togglePinned(4);  // "apple one"
        QCOMPARE(rows(), "apple one,apple three,apple two");
        rig.history.removeItem(3);  // "apple two"
        QCOMPARE(rows(), "apple one,apple three");
        filter.setQuery(QString());
        QCOMPARE(filter.rowCount(), 4);
    }

    // Keys in the popup over the editor, on eight copies or the first few of them (shown newest
    // first: lime fig elder date cherry "apple tart" banana "apple pie", lime copied last), a
    // page being five rows. Steps: "t:text" types it, "_" a space, "copy:N" (N is copied
    // meanwhile), "remove:R" (as row R's remove button does), "paste:R" (as a click on row R),
    // "chord", key names otherwise. After them: the filter typed, the row selected (empty: the
    // popup closed or no row), what the clipboard holds, and "items activations pastes": the
    // records left, how often the editor was brought back to the front, the pastes typed into it.
    void popupKeys_data() {
        QTest::addColumn<int>("copies");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("after");
        const auto row = [](const char* name, const char* script, const char* query,
                            const char* selected, const char* clipboard = "lime",
                            const char* after = "8 0 0", int copies = 8) {
            QTest::newRow(name) << copies << script << query << selected << clipboard << after;
        };
        row("Down and Up within matches", "t:ap Down Down Up", "ap", "apple pie");
        // Arrows wrap both ways; a paste past the end does nothing.
        row("arrows wrap", "End Down Up paste:8", "", "apple pie");
        row("Return pastes the match", "t:ap Down Return", "", "", "apple pie", "8 1 1");
        row("Shift+Return too", "t:ap Shift+Return", "", "", "apple tart", "8 1 1");
        row("keypad Enter", "Down Enter", "", "", "fig", "8 1 1");
        row("Ctrl+P pins the match, selection follows", "t:ap Down Ctrl+P", "ap", "apple pie");
        row("P alone is typing", "Down P Down", "", "elder");
        row("Backspace edits", "t:apx Backspace", "ap", "apple tart");
        row("Backspace past the filter deletes nothing", "t:a Backspace Backspace", "", "lime");
        row("Escape clears first", "t:ap Down Escape", "", "lime");
        row("then closes", "t:ap Escape Escape", "", "", "lime", "8 1 0");
        row("the chord closes, reopens clear", "t:ap Down chord chord", "", "lime", "lime",
            "8 1 0");
        row("a leading space is no filter", "_ t:a_p", "a p", "apple tart");
        row("Alt+digit pastes the row shown", "Alt+2", "", "", "fig", "8 1 1");
        row("Alt+digit among the matches", "t:ap Alt+2", "", "", "apple pie", "8 1 1");
        // Typing filters, the newest match first.
        row("Alt+digit past the rows", "t:ap Alt+3", "ap", "apple tart");
        row("Page Down", "PageDown", "", "apple tart");
        row("Page Up from the end", "PageDown PageDown PageUp", "", "elder");
        row("End and Home", "End Home Down", "", "fig");
        row("Ctrl+End in matches", "t:a Ctrl+End", "a", "apple pie");
        row("a copy meanwhile keeps the number", "Down copy:kiwi", "", "lime", "kiwi", "9 0 0");
        row("removed above the selection", "Down Down remove:0", "", "elder", "lime", "7 0 0");
        row("removed below the selection", "remove:2", "", "lime", "lime", "7 0 0");
        row("Backspace on the last row", "End Backspace", "", "banana", "lime", "7 0 0");
        row("forward Delete", "Down Delete", "", "elder", "lime", "7 0 0");
        row("emptied, it closes", "Backspace remove:1 Backspace", "", "", "apple tart", "0 0 0", 3);
        // An empty history opens the popup; Return does nothing there.
        row("empty history", "Return Down PageDown", "", "", "", "0 0 0", 0);
        row("empty history: Escape closes", "Escape", "", "", "", "0 1 0", 0);
    }
    void popupKeys() {
        QFETCH(int, copies);
        QFETCH(QString, script);
        HotkeyStack rig(QStringList{"apple pie", "banana", "apple tart", "cherry", "date", "elder",
                                    "fig", "lime"}
                            .first(copies));
        PopupSession& s = rig.popup;
        QVERIFY(!rig.own({KeyCode::Delete}));  // hidden: our other windows keep their keys
        s.toggle();
        QVERIFY(s.isPopupVisible());
        QCOMPARE(s.previousFrontmostApp()->pid, kEditor.pid);
        static const QHash<QString, KeyEvent> keys{
            {"Down", {KeyCode::DownArrow}},
            {"Up", {KeyCode::UpArrow}},
            {"Return", {KeyCode::Return}},
            {"Enter", {KeyCode::KeypadEnter}},
            {"Shift+Return", {KeyCode::Return, ModifierFlag::Shift}},
            {"Ctrl+P", {KeyCode::P, ModifierFlag::Control, false, 0, "p"}},
            {"P", {KeyCode::P}},
            {"Backspace", {KeyCode::Delete}},
            {"Delete", {KeyCode::ForwardDelete}},
            {"Escape", {KeyCode::Escape}},
            {"Alt+2", {0, ModifierFlag::Option, false, KeyCode::Digits[1], "2"}},
            {"Alt+3", {0, ModifierFlag::Option, false, KeyCode::Digits[2], "3"}},
            {"PageDown", {KeyCode::PageDown}},
            {"PageUp", {KeyCode::PageUp}},
            {"Home", {KeyCode::Home}},
            {"End", {KeyCode::End}},
            {"Ctrl+End", {KeyCode::End, ModifierFlag::Control}},
            {"_", {KeyCode::Space, 0, false, 0, " "}},
        };
        for (const QString& step : script.split(u' ')) {
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
        QTEST(s.query(), "query");
        const bool shown = s.isPopupVisible() && s.selectedIndex() < s.filterModel().rowCount();
        QTEST(shown ? shownText(s.filterModel(), int(s.selectedIndex())) : QString(), "selected");
        QTEST(rig.pasteboard.string().value_or(QString()), "clipboard");
        QTEST(QString("%1 %2 %3")
                  .arg(rig.history.items().size())
                  .arg(rig.workspace.activations.size())
                  .arg(rig.injector.keystrokes.size()),
              "after");
        // Closed, the popup lets go of the keys and of the application it was opened over.
        QCOMPARE(rig.hooks.active(FakeKeyboardHooks::Hook::Kind::Local), int(s.isPopupVisible()));
        QCOMPARE(bool(s.previousFrontmostApp()), s.isPopupVisible());
        QCOMPARE(rig.workspace.yields.size(), rig.workspace.activations.size());
        for (const auto& to : rig.workspace.activations) {
            QCOMPARE(to.pid, kEditor.pid);
        }
    }
};

QTEST_GUILESS_MAIN(TestFilter)
#include "tst_filter.moc"
