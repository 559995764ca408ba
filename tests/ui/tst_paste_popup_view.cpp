#include <QtTest>

#include <QLabel>
#include <QPropertyAnimation>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryFile>
#include <QToolButton>

#include "HotkeyStack.h"
#include "TestHelpers.h"
#include "settings/L10n.h"
#include "ui/popup/PastePopupRowWidget.h"
#include "ui/popup/PastePopupView.h"

namespace {
// The real history, manager and settings over fakes, and the view on screen.
struct Popup : HotkeyStack {
    PastePopupView view{*manager, history, settings};

    Popup() {
        L10n::configure(&settings, QStringLiteral("en"));
        manager->startMonitoring();
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
    }
    PastePopupRowWidget* row(int i) const { return view.rows().at(i); }
    QPoint textPoint(int i) const { return row(i)->textRect().topLeft() + QPoint(4, 4); }
};
}  // namespace

class TestPastePopupView : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void heightFollowsTheItemCount() {
        Popup p;
        QCOMPARE(p.view.height(), 80);
        QCOMPARE(p.view.width(), 420);
        QVERIFY(p.view.emptyLabel()->isVisible());
        QCOMPARE(p.view.emptyLabel()->text(), QString("No items"));
        QVERIFY(!p.view.scrollArea()->isVisible());

        p.copyText("one");
        QCOMPARE(p.view.height(), 136);
        QVERIFY(!p.view.emptyLabel()->isVisible() && p.view.scrollArea()->isVisible());
        for (int i = 2; i <= 5; ++i) {
            p.copyText(QString("text %1").arg(i));
        }
        QCOMPARE(p.view.height(), 360);
        p.copyText("six");
        QCOMPARE(p.view.height(), 400);

        p.history.clearAll();
        QCOMPARE(p.view.height(), 80);
    }

    void thumbnailOnlyWhenThePictureDecodes() {
        QTemporaryFile file(QDir::tempPath() + "/XXXXXX.pdf");
        QVERIFY(file.open() && file.write("x") == 1 && file.flush());
        Popup p;
        p.copyText("plain words");
        p.copy({{QString(PasteboardTypeKey::png), encodeImage(solidImage(300, 100))}});
        p.copy({{QString(PasteboardTypeKey::uriList),
                 QUrl::fromLocalFile(file.fileName()).toEncoded()}});
        QCOMPARE(p.view.rows().size(), 3);
        QCOMPARE(p.thumbnailer.requests().size(), 1);

        // A file whose thumbnail has not arrived, or arrives as bytes that are no picture.
        QVERIFY(!p.row(0)->hasThumbnail());
        p.thumbnailer.answer(0, QByteArray("not a png"));
        p.scheduler.runUntilIdle();
        QVERIFY(p.history.preview(p.history.items()[0]).imageData.has_value());
        QVERIFY(!p.row(0)->hasThumbnail());
        QVERIFY(p.row(1)->hasThumbnail());
        QVERIFY(!p.row(2)->hasThumbnail());
    }

    void longTextShowsAtMostThreeLines() {
        Popup p;
        QString text;
        for (int i = 0; i < 40; ++i) {
            text += QString("word%1 ").arg(i);
        }
        p.copyText(text);
        p.copyText("first\nsecond\nthird\nfourth");
        const QStringList wrapped = p.row(1)->displayedLines();
        QCOMPARE(wrapped.size(), 3);
        QVERIFY(wrapped[2].endsWith(QChar(0x2026)));
        QVERIFY(!wrapped.join(' ').contains("word39"));
        QCOMPARE(p.row(0)->displayedLines(), (QStringList{"first", "second", "third fourth"}));
    }

    void clicksSelectPasteAndRemove() {
        Popup p;
        p.copyText("A");
        p.copyText("B");
        p.copyText("C");  // rows: C, B, A
        p.other(kChord);
        QVERIFY(p.manager->isPopupVisible());
        QVERIFY(p.row(0)->isSelected());

        // A single click on the text selects without pasting.
        QTest::mouseClick(p.row(1), Qt::LeftButton, {}, p.textPoint(1));
        QCOMPARE(p.manager->selectedIndex(), 1);
        QVERIFY(p.row(1)->isSelected() && !p.row(0)->isSelected());
        QVERIFY(p.pasteboard.writes().isEmpty() && p.manager->isPopupVisible());
        QVERIFY(!p.row(1)->checkmarkRect().isEmpty());

        // Clicking the checkmark is not clicking the text.
        QTest::mouseClick(p.row(1), Qt::LeftButton, {}, p.row(1)->checkmarkRect().center());
        QTest::mouseDClick(p.row(1), Qt::LeftButton, {}, p.row(1)->checkmarkRect().center());
        QCOMPARE(p.manager->selectedIndex(), 1);
        QVERIFY(p.pasteboard.writes().isEmpty());

        // The remove button acts on its own row, not on the selected one.
        QTest::mouseClick(p.row(2)->removeButton(), Qt::LeftButton);
        QCOMPARE(p.history.items().size(), 2);
        QCOMPARE(p.text(1), QString("B"));
        QCOMPARE(p.manager->selectedIndex(), 1);
        QVERIFY(p.row(1)->isSelected());

        // A double click pastes that row, whichever was selected.
        QTest::mouseDClick(p.row(0), Qt::LeftButton, {}, p.textPoint(0));
        QCOMPARE(p.pasteboard.writes().size(), 1);
        QCOMPARE(p.pasteboard.string(), std::optional<QString>("C"));
        QVERIFY(!p.manager->isPopupVisible());
    }

    void selectionScrollsToTheMiddle() {
        Popup p;
        for (int i = 0; i < 12; ++i) {
            p.copyText(QString("item %1").arg(i));
        }
        QScrollBar* bar = p.view.scrollArea()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        p.other(kChord);
        QCOMPARE(bar->value(), 0);

        p.manager->setSelectedIndex(6);
        QCOMPARE(p.view.scrollAnimation()->state(), QAbstractAnimation::Running);
        QTRY_COMPARE(p.view.scrollAnimation()->state(), QAbstractAnimation::Stopped);
        const QWidget* row = p.row(6);
        const int viewportMiddle = bar->value() + p.view.scrollArea()->viewport()->height() / 2;
        QVERIFY(qAbs(row->y() + row->height() / 2 - viewportMiddle) <= 1);

        // Up from row 0 wraps to the last row: scrolled as far as the list goes.
        p.manager->setSelectedIndex(11);
        QTRY_COMPARE(bar->value(), bar->maximum());

        // Put on screen again: placed at once, without animation.
        p.view.hide();
        p.manager->setSelectedIndex(0);
        p.view.show();
        QCOMPARE(p.view.scrollAnimation()->state(), QAbstractAnimation::Stopped);
        QCOMPARE(bar->value(), 0);
    }

    void textsFollowTheLanguage() {
        Popup p;
        p.copyText("Hallo");
        p.settings.setPreferredLanguage("de");
        QVERIFY(p.view.headerLabel()->text().startsWith("Zwischenablage"));
        QCOMPARE(p.row(0)->displayedLines(), QStringList{"Hallo"});
        p.history.clearAll();
        QVERIFY(p.view.emptyLabel()->text() != QString("No items"));
        p.settings.setPreferredLanguage("en");
        QCOMPARE(p.view.emptyLabel()->text(), QString("No items"));
    }
};

QTEST_MAIN(TestPastePopupView)
#include "tst_paste_popup_view.moc"
