#include <QtTest>

#include <QLabel>
#include <QPointer>

#include "EnglishSettings.h"
#include "ui/common/FloatingWindow.h"

class TestFloatingWindow : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void rebuildSwapsTheContentAndKeepsTheWindow() {
        EnglishSettings english;
        AppSettings& settings = english.settings;
        int built = 0;
        FloatingWindow window(QStringLiteral("Quit"), [&] {
            return new QLabel(L10n::string(QStringLiteral("Quit")) + QString::number(++built));
        });
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        window.rebuildContent();
        QCOMPARE(built, 0);
        window.present();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect frame(QPoint(40, 50), QSize(300, 200));
        window.setGeometry(frame);
        QPointer<QWidget> old = window.content();

        settings.setPreferredLanguage(QStringLiteral("de"));
        window.rebuildContent();
        QVERIFY(old.isNull());
        auto* label = qobject_cast<QLabel*>(window.content());
        QVERIFY(label && label->isVisible());
        QCOMPARE(label->text(), L10n::string(QStringLiteral("Quit")) + "2");
        QCOMPARE(window.windowTitle(), L10n::string(QStringLiteral("Quit")));
        QVERIFY(window.windowTitle() != QStringLiteral("Quit"));
        QVERIFY(window.isVisible());
        QCOMPARE(window.geometry(), frame);

        // Closing hides; the window and its content survive for the next showing.
        QVERIFY(window.close());
        QVERIFY(!window.isVisible() && label == window.content());
        window.present();
        QVERIFY(window.isVisible());
    }
};

QTEST_MAIN(TestFloatingWindow)
#include "tst_floating_window.moc"
