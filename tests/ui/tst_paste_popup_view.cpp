#include <QtTest>

#include <QLabel>
#include <QListView>
#include <QPropertyAnimation>
#include <QScrollBar>

#include "HotkeyStack.h"
#include "TestHelpers.h"
#include "history/HistoryListModel.h"
#include "settings/L10n.h"
#include "ui/popup/PastePopupItemDelegate.h"
#include "ui/popup/PastePopupView.h"

using Delegate = PastePopupItemDelegate;

namespace {
// The real history and settings over fakes, and the view over its model, on screen.
struct Popup : HotkeyStack {
    HistoryListModel model{history};
    PastePopupView view{model, settings};

    Popup() {
        L10n::configure(&settings, QStringLiteral("en"));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
    }
    Delegate::RowLayout row(int i) const {
        return view.delegate()->rowLayout(model.index(i), view.listView()->font());
    }
};
}  // namespace

class TestPastePopupView : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void heightFollowsTheItemCount() {
        Popup p;
        QCOMPARE(p.view.size(), QSize(420, 80));
        QVERIFY(p.view.emptyLabel()->isVisible() && !p.view.listView()->isVisible());
        QCOMPARE(p.view.emptyLabel()->text(), QString("No items"));
        p.copyText("one");
        QCOMPARE(p.view.height(), 136);
        QVERIFY(!p.view.emptyLabel()->isVisible() && p.view.listView()->isVisible());
        for (int i = 2; i <= 5; ++i) {
            p.copyText(QString("text %1").arg(i));
        }
        QCOMPARE(p.view.height(), 360);
        p.copyText("six");
        QCOMPARE(p.view.height(), 400);
        p.history.clearAll();
        QCOMPARE(p.view.height(), 80);
    }

    // At most three lines that never run under the symbols, "…" when text is left over, and a
    // short text centred on its thumbnail.
    void rowLayout_data() {
        QTest::addColumn<StoredItem>("content");
        QTest::addColumn<QStringList>("lines");  // "…" alone: any text ending in it
        QTest::addColumn<bool>("thumbnail");
        const auto text = [](const QString& s) {
            return StoredItem{{QString(PasteboardTypeKey::stringUtf8Mime), s.toUtf8()}};
        };
        QString words;
        for (int i = 0; i < 40; ++i) {
            words += QString("word%1 ").arg(i);
        }
        const QStringList cut{"", "", "…"};
        QTest::newRow("ends in a line break") << text("hello\n") << QStringList{"hello"} << false;
        QTest::newRow("four lines") << text("first\nsecond\nthird\nfourth")
                                    << QStringList{"first", "second", "third fourth"} << false;
        QTest::newRow("many words") << text(words) << cut << false;
        QTest::newRow("2 MB on one line") << text(QString(2 << 20, 'w')) << cut << false;
        QTest::newRow("image") << StoredItem{{QString(PasteboardTypeKey::png),
                                              encodeImage(solidImage(300, 100))}}
                               << QStringList{"[Image]"} << true;
        QTest::newRow("three files")
            << StoredItem{{QString(PasteboardTypeKey::uriList),
                           "file:///a.txt\r\nfile:///b.png\r\nfile:///c.pdf"}}
            << QStringList{"a.txt, b.png, c.pdf"} << false;
    }
    void rowLayout() {
        QFETCH(StoredItem, content);
        QFETCH(QStringList, lines);
        QFETCH(bool, thumbnail);
        Popup p;
        p.copy(content);
        const Delegate::RowLayout row = p.row(0);
        QCOMPARE(row.lines.size(), lines.size());
        const QFontMetrics metrics(p.view.listView()->font());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lines[i] == "…") {
                QVERIFY2(row.lines[i].endsWith(QChar(0x2026)), qPrintable(row.lines[i]));
            } else if (!lines[i].isEmpty()) {
                QCOMPARE(row.lines[i], lines[i]);
            }
            QVERIFY(metrics.horizontalAdvance(row.lines[i]) <= row.textBlock.width());
        }
        QVERIFY(row.textBlock.right() < row.checkmark.left() &&
                row.checkmark.right() < row.remove.left());
        QCOMPARE(!row.thumbnail.isEmpty(), thumbnail);
        if (thumbnail) {
            QCOMPARE(row.height, Delegate::thumbnailSide + 2 * Delegate::verticalInset);
            QVERIFY(qAbs(row.textBlock.center().y() - row.thumbnail.center().y()) <= 1);
            QCOMPARE(row.textBlock.left(), row.thumbnail.right() + 1 + Delegate::spacing);
        } else {
            QCOMPARE(row.textBlock.left(), Delegate::leadingInset);
        }
        QCOMPARE(p.view.listView()->visualRect(p.model.index(0)).height(), row.height);
    }

    void selectionScrollsToTheMiddle() {
        Popup p;
        for (int i = 0; i < 12; ++i) {
            p.copyText(QString("item %1").arg(i));
        }
        QListView* list = p.view.listView();
        QScrollBar* bar = list->verticalScrollBar();
        p.view.setSelectedRow(0);
        QCOMPARE(bar->value(), 0);
        QVERIFY(bar->maximum() > 0);

        p.view.setSelectedRow(6);
        QCOMPARE(p.view.scrollAnimation()->state(), QAbstractAnimation::Running);
        QTRY_COMPARE(p.view.scrollAnimation()->state(), QAbstractAnimation::Stopped);
        const QRect row = list->visualRect(p.model.index(6));
        QVERIFY(qAbs(row.center().y() - list->viewport()->height() / 2) <= 1);

        // The last row: scrolled as far as the list goes.
        p.view.setSelectedRow(11);
        QTRY_COMPARE(bar->value(), bar->maximum());

        // Put on screen again: placed at once, without animation.
        p.view.hide();
        p.view.setSelectedRow(0);
        p.view.show();
        QCOMPARE(p.view.scrollAnimation()->state(), QAbstractAnimation::Stopped);
        QCOMPARE(bar->value(), 0);
    }

    void textsFollowTheLanguage() {
        Popup p;
        p.settings.setPreferredLanguage("de");
        QVERIFY(p.view.headerLabel()->text().startsWith("Zwischenablage"));
        QVERIFY(p.view.emptyLabel()->text() != QString("No items"));
        p.settings.setPreferredLanguage("en");
        QCOMPARE(p.view.emptyLabel()->text(), QString("No items"));
    }
};

QTEST_MAIN(TestPastePopupView)
#include "tst_paste_popup_view.moc"
