// SPDX-License-Identifier: MIT
#include <QtTest>

#include <QDBusConnection>
#include <QProcess>
#include <QStandardPaths>

#include "ClipboardClients.h"
#include "platform/gnome/GnomeIntegration.h"
#include "platform/gnome/GnomeShellBridge.h"

using Outcome = DesktopIntegration::Outcome;

// Turning the extension on as the settings button does, in a Shell that started without it:
// run inside tools/gnome-session with QUILLSTACK_GNOME_EXTENSIONS=none, the built extensions'
// folder in QUILLSTACK_EXTENSION_SOURCE.
class TestGnomeIntegration : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void enabledList_data() {
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QString>("expected");  // null: not readable, left alone
        QTest::newRow("empty") << "@as []\n"
                               << "['q@x']";
        QTest::newRow("already there") << "['q@x']"
                                       << "['q@x']";
        QTest::newRow("not a list") << "'q@x'" << QString();
        QTest::newRow("escaped quote") << "['it\\'s']" << QString();
    }
    void enabledList() {
        QFETCH(QString, printed);
        QFETCH(QString, expected);
        QCOMPARE(GnomeIntegration::withEnabled(printed, QStringLiteral("q@x")),
                 expected.isNull() ? std::nullopt : std::optional(expected));
    }

    void enableFromTheSettingsButton() {
        const QByteArray source = qgetenv("QUILLSTACK_EXTENSION_SOURCE");
        QVERIFY2(!source.isEmpty(), "QUILLSTACK_EXTENSION_SOURCE is not set");
        const QString version = QString::fromUtf8(runTool("gnome-shell", {"--version"}));
        const QString uuid = GnomeIntegration::uuidFor(version.section(u' ', 2));
        const QDBusConnection bus = QDBusConnection::sessionBus();
        GnomeShellBridge bridge(bus);
        GnomeIntegration integration(bridge, bus);
        QVERIFY(integration.isMissing());
        const auto enable = [&] {
            std::optional<Outcome> outcome;
            integration.enable([&](Outcome o) { outcome = o; });
            return QTest::qWaitFor([&] { return outcome.has_value(); }, 10000) ? outcome
                                                                               : std::nullopt;
        };
        // Not installed: said, and no setting changed.
        QCOMPARE(enable(), std::optional(Outcome::Failed));
        // Installed after the Shell started: on from the next login, the user's list kept.
        const QString target =
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
            "/gnome-shell/extensions/" + uuid;
        QVERIFY(QProcess::execute(
                    "cp", {"-r", QString::fromLocal8Bit(source) + '/' + uuid, target}) == 0);
        QCOMPARE(enable(), std::optional(Outcome::NeedsLogin));
        const QString enabled = QString::fromUtf8(
            runTool("gsettings", {"get", "org.gnome.shell", "enabled-extensions"}));
        QVERIFY2(enabled.contains('\'' + uuid + '\'') &&
                     enabled.contains("'quillstack-test@quillstack.github.io'"),
                 qPrintable(enabled));
        QVERIFY(integration.isMissing());
    }
};

QTEST_GUILESS_MAIN(TestGnomeIntegration)
#include "tst_gnome_integration.moc"
