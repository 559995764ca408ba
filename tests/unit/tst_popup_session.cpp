#include <QtTest>

#include "HotkeyStack.h"

namespace {

using Kind = FakeKeyboardHooks::Hook::Kind;

KeyEvent key(quint16 code) {
    return KeyEvent{code, 0, false};
}

}  // namespace

class TestPopupSession : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void selectionAndKeys() {
        HotkeyStack rig({"C", "B", "A"});
        PopupSession& s = rig.popup;
        QVERIFY(!rig.own(key(KeyCode::Delete)));  // hidden: our other windows keep their keys
        s.toggle();
        QVERIFY(s.isPopupVisible());
        QCOMPARE(s.previousFrontmostApp()->pid, kEditor.pid);
        QList<qsizetype> seen{s.selectedIndex()};
        for (quint16 code :
             {KeyCode::DownArrow, KeyCode::DownArrow, KeyCode::DownArrow, KeyCode::UpArrow}) {
            QVERIFY(rig.own(key(code)));
            seen << s.selectedIndex();
        }
        QCOMPARE(seen, QList<qsizetype>({0, 1, 2, 0, 2}));
        QVERIFY(!rig.own(key(KeyCode::Space)));

        // Escape gives the focus back to the application it was opened over.
        QVERIFY(rig.own(key(KeyCode::Escape)));
        QVERIFY(!s.isPopupVisible() && !s.previousFrontmostApp());
        QCOMPARE(rig.hooks.active(Kind::Local), 0);
        QCOMPARE(rig.workspace.activations.size(), 1);
        QCOMPARE(rig.workspace.yields.size(), 1);
        QCOMPARE(rig.workspace.activations.first().app.pid, kEditor.pid);

        // A second toggle closes it too; reopening selects the newest row again.
        s.toggle();
        rig.own(key(KeyCode::DownArrow));
        s.toggle();
        QVERIFY(!s.isPopupVisible());
        QCOMPARE(rig.workspace.activations.size(), 2);
        s.toggle();
        QCOMPARE(s.selectedIndex(), 0);

        // A new copy while shown keeps the number, so the row above is now highlighted.
        rig.own(key(KeyCode::DownArrow));
        rig.copyText(QStringLiteral("N"));
        QCOMPARE(s.selectedIndex(), 1);
        QCOMPARE(rig.text(1), QStringLiteral("A"));
        QVERIFY(rig.delivered.isEmpty());
    }

    void removalKeepsSelection_data() {
        QTest::addColumn<qsizetype>("selected");
        QTest::addColumn<qsizetype>("removed");  // by its key when it is the selected one
        QTest::addColumn<QString>("expected");
        // Items A, B, C, D (A newest).
        QTest::newRow("above the selection") << qsizetype(2) << qsizetype(0) << "C";
        QTest::newRow("selected last row") << qsizetype(3) << qsizetype(3) << "C";
        QTest::newRow("selected, forward delete") << qsizetype(1) << qsizetype(1) << "C";
        QTest::newRow("below the selection") << qsizetype(0) << qsizetype(2) << "A";
    }
    void removalKeepsSelection() {
        QFETCH(qsizetype, selected);
        QFETCH(qsizetype, removed);
        HotkeyStack rig({"D", "C", "B", "A"});
        PopupSession& s = rig.popup;
        s.toggle();
        s.setSelectedIndex(selected);
        if (removed == selected) {
            QVERIFY(rig.own(key(removed == 1 ? KeyCode::ForwardDelete : KeyCode::Delete)));
        } else {
            s.removeItemFromHistory(removed);
        }
        QCOMPARE(rig.history.items().size(), 3);
        QTEST(rig.text(s.selectedIndex()), "expected");
        QVERIFY(s.isPopupVisible());
    }

    void removingTheLastItemCloses() {
        HotkeyStack rig({"only"});
        PopupSession& s = rig.popup;
        s.toggle();
        s.removeItemFromHistory(1);
        QCOMPARE(rig.history.items().size(), 1);
        QVERIFY(rig.own(key(KeyCode::Delete)));
        QVERIFY(rig.history.items().isEmpty());
        QVERIFY(!s.isPopupVisible() && !s.previousFrontmostApp());
        QVERIFY(rig.workspace.activations.isEmpty() && rig.workspace.yields.isEmpty());
        s.toggle();  // nothing to show
        QVERIFY(!s.isPopupVisible());
    }

    // The selected record goes to the clipboard, the popup closes, and the paste is handed on
    // for the application the popup was opened over.
    void pasteHandsOnTheTarget_data() {
        QTest::addColumn<quint16>("key");
        QTest::newRow("Return") << KeyCode::Return;
        QTest::newRow("keypad Enter") << KeyCode::KeypadEnter;
    }
    void pasteHandsOnTheTarget() {
        QFETCH(quint16, key);
        HotkeyStack rig({"B", "A"});
        PopupSession& s = rig.popup;
        s.toggle();
        s.pasteItemAndClose(5);
        QVERIFY(s.isPopupVisible() && rig.pasteboard.writes().isEmpty());
        rig.own(::key(KeyCode::DownArrow));
        QVERIFY(rig.own(::key(key)));
        QCOMPARE(rig.pasteboard.string(), QStringLiteral("B"));
        QVERIFY(!s.isPopupVisible() && !s.previousFrontmostApp());
        QCOMPARE(rig.hooks.active(Kind::Local), 0);
        QCOMPARE(rig.delivered.size(), 1);
        QCOMPARE(rig.delivered.first()->pid, kEditor.pid);
    }
};

QTEST_GUILESS_MAIN(TestPopupSession)
#include "tst_popup_session.moc"
