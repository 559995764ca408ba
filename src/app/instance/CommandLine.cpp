// SPDX-License-Identifier: MIT
#include "app/instance/CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <array>
#include <utility>

#include "settings/AppSettings.h"

namespace {
struct CommandOption {
    const char* name;
    SingleInstance::Command command;
    const char* description;
};
constexpr std::array commandOptions{
    CommandOption{"toggle-popup", SingleInstance::Command::TogglePopup,
                  "Open the paste popup, or close it when open (as the shortcut does)."},
    CommandOption{"show-history", SingleInstance::Command::ShowHistory,
                  "Show the clipboard history window."},
    CommandOption{"show-settings", SingleInstance::Command::ShowSettings,
                  "Show the settings window."},
    CommandOption{"show-onboarding", SingleInstance::Command::ShowOnboarding,
                  "Show the welcome guide."},
    CommandOption{"pause", SingleInstance::Command::Pause,
                  "Stop recording copies until --resume or the next start."},
    CommandOption{"resume", SingleInstance::Command::Resume, "Record copies again."},
    CommandOption{"quit", SingleInstance::Command::Quit, "Quit the running Quillstack."},
};
}  // namespace

CommandLine CommandLine::parse(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Clipboard history for the Linux desktop. Started without a command, it runs in the "
        "tray; a command is sent to the running Quillstack, which is started first if needed."));
    // Qt's own options take one dash ("-platform xcb"); so do ours, then.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    QStringList codes;
    for (const AppSettings::LanguageOption& option : AppSettings::languageOptions()) {
        codes << option.code;
    }
    codes << QStringLiteral("system");
    const QString codeList = codes.join(QStringLiteral(", "));
    const QCommandLineOption language(
        QStringLiteral("language"),
        QStringLiteral("Interface language: %1 (kept for later starts; applied at once in the "
                       "running Quillstack).")
            .arg(codeList),
        QStringLiteral("code"));
    parser.addOption(language);
    for (const CommandOption& entry : commandOptions) {
        parser.addOption(QCommandLineOption(QString::fromLatin1(entry.name),
                                            QString::fromLatin1(entry.description)));
    }
    const QCommandLineOption list(
        QStringLiteral("list"),
        QStringLiteral("Print the history, newest first: one line per record, its number (from "
                       "1), a tab and its text on one line."));
    const QCommandLineOption print(
        QStringLiteral("print"),
        QStringLiteral("Write record N's text, byte for byte, to standard output."),
        QStringLiteral("N"));
    const QCommandLineOption type(QStringLiteral("type"),
                                  QStringLiteral("With --print: write the bytes of this type "
                                                 "(such as text/html or image/png) instead."),
                                  QStringLiteral("MIME"));
    const QCommandLineOption copy(
        QStringLiteral("copy"),
        QStringLiteral("Put record N back on the clipboard, as choosing it in the popup does, "
                       "without pasting."),
        QStringLiteral("N"));
    parser.addOptions({list, print, type, copy});
    // Understood by Qt itself; accepted so that they still reach it.
    for (const char* qtOption : {"platform", "display", "style", "stylesheet", "qwindowgeometry",
                                 "qwindowtitle", "qwindowicon"}) {
        QCommandLineOption option(QString::fromLatin1(qtOption), QString(),
                                  QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    // Without an application object Qt cannot name the program.
    const auto usage = [&parser] {
        return parser.helpText().replace(QStringLiteral("<executable_name>"),
                                         QStringLiteral("quillstack"));
    };
    CommandLine result;
    // A usage mistake is said in one line and points at the help, as GNU programs do: the
    // whole help would bury the reason.
    const auto failure = [&](const QString& message) {
        result.outcome = Outcome::Error;
        result.text = QStringLiteral("quillstack: ") + message +
                      QStringLiteral("\nTry 'quillstack --help'.\n");
        return result;
    };
    const auto refusal = [&](const QString& message) {
        result.outcome = Outcome::Error;
        result.errorStatus = 1;
        result.text = message + u'\n';
        return result;
    };
    if (!parser.parse(arguments)) {
        return failure(parser.errorText());
    }
    if (!parser.positionalArguments().isEmpty()) {
        return failure(QStringLiteral("Unexpected argument: %1")
                           .arg(parser.positionalArguments().constFirst()));
    }
    if (parser.isSet(help)) {
        result.outcome = Outcome::Help;
        result.text = usage();
        return result;
    }
    if (parser.isSet(version)) {
        result.outcome = Outcome::Version;
        result.text = QStringLiteral("Quillstack " QUILLSTACK_VERSION "\n");
        return result;
    }
    int commands = 0;
    for (const CommandOption& entry : commandOptions) {
        if (parser.isSet(QString::fromLatin1(entry.name))) {
            result.command = entry.command;
            ++commands;
        }
    }
    for (const QCommandLineOption* option : {&list, &print, &copy}) {
        if (parser.isSet(*option)) {
            ++commands;
        }
    }
    if (commands > 1) {
        return failure(QStringLiteral("Give one command at a time."));
    }
    if (parser.isSet(type) && !parser.isSet(print)) {
        return failure(QStringLiteral("--type goes with --print."));
    }
    if (parser.isSet(list)) {
        result.query = SingleInstance::Query{};
    }
    for (const auto& [option, kind] : {std::pair{&print, SingleInstance::Query::Kind::Print},
                                       std::pair{&copy, SingleInstance::Query::Kind::Copy}}) {
        if (!parser.isSet(*option)) {
            continue;
        }
        const QString value = parser.value(*option);
        bool number = false;
        const qint64 n = value.toLongLong(&number);
        // What cannot name a record is the same mistake as a record that is not there: said
        // alone, with status 1, as the running instance's refusals are.
        if (!number || n < 1 || !value.front().isDigit()) {
            return refusal(QStringLiteral("No record \"%1\": records are numbered from 1, "
                                          "newest first (see --list).")
                               .arg(value));
        }
        const QString mime = parser.value(type);
        if (parser.isSet(type) && !SingleInstance::isTypeName(mime)) {
            return refusal(
                QStringLiteral("\"%1\" is not a type name such as text/html.").arg(mime));
        }
        result.query = SingleInstance::Query{kind, n, mime};
    }
    if (parser.isSet(language)) {
        result.language = parser.value(language);
        if (!AppSettings::isLanguageCode(result.language)) {
            return failure(QStringLiteral("Unknown language \"%1\"; the codes are %2.")
                               .arg(result.language, codeList));
        }
    }
    return result;
}
