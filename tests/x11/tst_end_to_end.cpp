#include <QtTest>

#include "X11Desktop.h"

// The built application on a real X server: copies made by other clients, the chord or the
// command a desktop's shortcut runs, the popup, and the paste into a window of this test and
// into real terminals, which do not paste on Control+V. The rows run in order against one
// instance, so each row's history holds the copies of the rows before it.
class TestEndToEnd : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QVERIFY(m_app.start()); }

    void pastes_data() {
        QTest::addColumn<PasteScenario>("scenario");
        QTest::newRow("Down, Return pastes the copy before the newest")
            << PasteScenario{{"A", "B", "C"}, "field", {"chord", "Down", "Return"}, "B", "B"};
        // Restoring a copy does not make it the newest, once the history has looked again.
        QTest::newRow("the command toggles as the chord does") << PasteScenario{
            {}, "field", {"wait", "command", "command", "command", "Return"}, "C", "C"};
        QTest::newRow("xterm (Shift+Insert, PRIMARY)") << PasteScenario{
            {kShellText, "newer"}, "xterm", {"chord", "Down", "Return"}, kShellText};
        QTest::newRow("lxterminal (VTE, Control+Shift+V)") << PasteScenario{
            {kShellText, "newest"}, "lxterminal", {"chord", "Down", "Return"}, kShellText};
        // The paste finds no window; the application neither crashes nor stops answering. Last:
        // what the keystroke it still posts does to the window in front now is left open.
        QTest::newRow("the target goes away before Return") << PasteScenario{
            {}, "xterm", {"chord", "close", "Return", "wait", "wait", "chord", "Escape"}};
    }
    void pastes() {
        QFETCH(PasteScenario, scenario);
        m_desktop.play(m_app, scenario);
    }

    void cleanup() { m_app.reportIfFailed(); }
    void cleanupTestCase() { QVERIFY(m_app.stop()); }

  private:
    AppProcess m_app;
    X11PasteDesktop m_desktop;
};

QTEST_MAIN(TestEndToEnd)
#include "tst_end_to_end.moc"
