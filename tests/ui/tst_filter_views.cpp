#include <QLineEdit>
#include <QListView>
#include <QtTest>

#include "HotkeyStack.h"
#include "history/HistoryFilterModel.h"
#include "ui/browser/ClipboardBrowserView.h"

// The history window's search: Ctrl+F reaches the field, typing keeps the matches, the keys
// that move work from the field, Delete removes the selected match and nothing else.
class TestFilterViews : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void browserSearch() {
        HotkeyStack rig({"apple pie", "banana", "apple tart", "cherry"});
        ClipboardBrowserView view(rig.history, rig.model, rig.scheduler);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.listView()->setFocus();
        QTest::keyClick(view.listView(), Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(view.searchField()->hasFocus());
        QTest::keyClicks(view.searchField(), QStringLiteral("APPLE"));
        QCOMPARE(view.filterModel()->rowCount(), 2);
        QTest::keyClick(view.searchField(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(view.listView()->currentIndex().row(), 1);
        QTest::keyClick(view.listView(), Qt::Key_Delete);
        QCOMPARE(rig.history.items().size(), 3);
        QCOMPARE(rig.text(2), "banana");  // "apple pie" went
        QCOMPARE(view.filterModel()->rowCount(), 1);
    }
};

QTEST_MAIN(TestFilterViews)
#include "tst_filter_views.moc"
