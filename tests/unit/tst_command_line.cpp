#include <QtTest>

#include "app/CommandLine.h"

using Outcome = CommandLine::Outcome;
using Command = SingleInstance::Command;

class TestCommandLine : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void parse_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("says");  // a piece of what is printed

        const auto row = [](const char* name, QStringList args, Outcome outcome,
                            Command command = Command::Activate, QString says = {}) {
            QTest::newRow(name) << (QStringList{"quillstack"} + args) << outcome << command << says;
        };
        row("plain start", {}, Outcome::Run);
        row("help", {"--help"}, Outcome::Help, Command::Activate, "--toggle-popup");
        row("short help", {"-h"}, Outcome::Help, Command::Activate, "--show-settings");
        row("version", {"--version"}, Outcome::Version, Command::Activate, "0.");
        row("language", {"--language", "de"}, Outcome::Run);
        row("language with =", {"--language=pt-BR", "--show-history"}, Outcome::Run,
            Command::ShowHistory);
        row("language without value", {"--language"}, Outcome::Error, Command::Activate,
            "Missing value after '--language'");
        row("toggle", {"--toggle-popup"}, Outcome::Run, Command::TogglePopup);
        row("settings", {"--show-settings"}, Outcome::Run, Command::ShowSettings);
        row("onboarding", {"--show-onboarding"}, Outcome::Run, Command::ShowOnboarding);
        row("quit", {"--quit"}, Outcome::Run, Command::Quit);
        row("unknown option", {"--frobnicate"}, Outcome::Error, Command::Activate,
            "Unknown option 'frobnicate'");
        row("stray argument", {"settings"}, Outcome::Error, Command::Activate,
            "Unexpected argument: settings");
        row("two commands", {"--quit", "--show-history"}, Outcome::Error, Command::Activate,
            "one command");
        row("Qt's own option", {"-platform", "offscreen", "--quit"}, Outcome::Run, Command::Quit);
    }
    void parse() {
        QFETCH(QStringList, arguments);
        QFETCH(Outcome, outcome);
        QFETCH(Command, command);
        QFETCH(QString, says);
        const CommandLine parsed = CommandLine::parse(arguments);
        QCOMPARE(parsed.outcome, outcome);
        QCOMPARE(parsed.exitStatus(), outcome == Outcome::Error ? 2 : 0);
        if (outcome == Outcome::Run) {
            QCOMPARE(parsed.command, command);
        }
        QVERIFY2(parsed.text.contains(says), qPrintable(parsed.text));
        if (outcome == Outcome::Error) {
            // Every mistake comes with the usage.
            QVERIFY(parsed.text.contains("--show-history"));
        }
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
