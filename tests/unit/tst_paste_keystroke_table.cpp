#include <QtTest>

#include "hotkey/PasteKeystrokeTable.h"

namespace {
constexpr quint64 kCtrl = ModifierFlag::Control;
constexpr quint64 kShift = ModifierFlag::Shift;
}  // namespace

class TestPasteKeystrokeTable : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void keystrokeFor_data() {
        QTest::addColumn<QStringList>("userEntries");  // "name=keystroke"
        QTest::addColumn<QString>("instance");
        QTest::addColumn<QString>("className");
        QTest::addColumn<quint64>("modifiers");
        QTest::addColumn<int>("key");

        const QStringList none;
        const int v = KeyCode::V;
        const int insert = KeyCode::Insert;
        QTest::newRow("editor") << none << "gedit"
                                << "Gedit" << kCtrl << v;
        QTest::newRow("no WM_CLASS") << none << ""
                                     << "" << kCtrl << v;
        QTest::newRow("lxterminal") << none << "lxterminal"
                                    << "Lxterminal" << (kCtrl | kShift) << v;
        QTest::newRow("gnome-terminal") << none << "gnome-terminal-server"
                                        << "Gnome-terminal" << (kCtrl | kShift) << v;
        QTest::newRow("wezterm class only") << none << ""
                                            << "org.wezfurlong.wezterm" << (kCtrl | kShift) << v;
        // Wayland app ids, as the workspace passes them: the last part lower-cased, then the id.
        QTest::newRow("GNOME Terminal app id") << none << "terminal"
                                               << "org.gnome.Terminal" << (kCtrl | kShift) << v;
        QTest::newRow("GNOME Console app id") << none << "console"
                                              << "org.gnome.Console" << (kCtrl | kShift) << v;
        QTest::newRow("Ghostty app id") << none << "ghostty"
                                        << "com.mitchellh.ghostty" << (kCtrl | kShift) << v;
        QTest::newRow("Ptyxis app id") << none << "ptyxis"
                                       << "org.gnome.Ptyxis" << (kCtrl | kShift) << v;
        QTest::newRow("editor app id") << none << "texteditor"
                                       << "org.gnome.TextEditor" << kCtrl << v;
        QTest::newRow("xterm") << none << "xterm"
                               << "XTerm" << kShift << insert;
        QTest::newRow("urxvt upper case") << none << "URXVT"
                                          << "URXVT" << kShift << insert;
        QTest::newRow("renamed xterm instance") << none << "work"
                                                << "XTerm" << kShift << insert;
        QTest::newRow("user entry, any case") << QStringList{"mYtErM=ctrl+shift+v"} << "myterm"
                                              << "MyTerm" << (kCtrl | kShift) << v;
        QTest::newRow("user entry overrides built-in")
            << QStringList{"XTerm=Ctrl+Shift+V"} << "xterm"
            << "XTerm" << (kCtrl | kShift) << v;
        QTest::newRow("user entry by instance") << QStringList{"scratch=Shift+Ins"} << "scratch"
                                                << "Kitty" << kShift << insert;
        QTest::newRow("user Alt and Super")
            << QStringList{"Odd=Alt+Super+P"} << ""
            << "odd" << (ModifierFlag::Option | ModifierFlag::Command) << 35;
        QTest::newRow("garbage entries ignored")
            << QStringList{"XTerm=",        "XTerm=V",           "XTerm=Ctrl+",
                           "XTerm=Hyper+V", "XTerm=Ctrl+Ctrl+V", "XTerm=Ctrl+F13",
                           "XTerm=Ctrl+Ü",  "XTerm=+++",         "=Ctrl+V"}
            << "xterm"
            << "XTerm" << kShift << insert;
    }
    void keystrokeFor() {
        QFETCH(QStringList, userEntries);
        QFETCH(QString, instance);
        QFETCH(QString, className);
        QFETCH(quint64, modifiers);
        QFETCH(int, key);
        // One table per entry, so every garbage value is tried on its own.
        QList<QMap<QString, QString>> tables;
        for (const QString& entry : std::as_const(userEntries)) {
            const qsizetype at = entry.indexOf(u'=');
            tables.append({{entry.left(at), entry.mid(at + 1)}});
        }
        if (tables.isEmpty()) {
            tables.append(QMap<QString, QString>());
        }
        for (const auto& entries : std::as_const(tables)) {
            const Keystroke got = PasteKeystrokeTable(entries).keystrokeFor(instance, className);
            QCOMPARE(got.modifiers, modifiers);
            QCOMPARE(int(got.keyCode), key);
        }
    }
};

QTEST_GUILESS_MAIN(TestPasteKeystrokeTable)
#include "tst_paste_keystroke_table.moc"
