#include <QtTest>

#include <QKeyEvent>

#include "keys/ChordPolicy.h"
#include "keys/KeyCodeTable.h"
#include "keys/KeyNames.h"
#include "platform/gnome/GnomeKeyInjector.h"
#include "platform/gnome/GnomeKeyboardHooks.h"
#include "settings/L10n.h"

// A Qt key press and the canonical press it gives (key code -1: no chord).
struct Press {
    int qtKey, qtModifiers;
    quint32 scanCode, nativeModifiers;
    int keyCode;
    quint64 modifiers = 0, held = 0;
    int typed = 0;
};
Q_DECLARE_METATYPE(Press)

class TestKeyCodeTable : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void physicalPositions() {
        // V, Z, M, the key PC boards have where Apple's have Help, Home, "=", forward Delete, Down.
        const QList<QPair<quint16, int>> known{{9, 55},    {6, 52},  {46, 58},   {114, 118},
                                               {115, 110}, {24, 21}, {117, 119}, {125, 116}};
        for (const auto& [code, xkb] : known) {
            QCOMPARE(KeyCodeTable::xkbKeycodeFor(code), std::optional<quint8>(xkb));
        }
        // Every XKB keycode has exactly one canonical code and back; unlisted keys included.
        for (int x = 8; x < 256; ++x) {
            const auto canonical = KeyCodeTable::canonicalForXkbKeycode(quint32(x));
            QVERIFY(canonical && KeyCodeTable::xkbKeycodeFor(*canonical) == quint8(x));
        }
        QVERIFY(!KeyCodeTable::canonicalForXkbKeycode(7) &&
                !KeyCodeTable::canonicalForXkbKeycode(256));
        // No key 52 on the ANSI board; an unlisted code that belongs to a listed key is none.
        QVERIFY(!KeyCodeTable::xkbKeycodeFor(52));
        QVERIFY(!KeyCodeTable::xkbKeycodeFor(KeyCodeTable::kUnlistedBase + 55));
    }

    // A press in canonical numbers: the scan code first, the Qt key where there is none.
    void fromQKeyEvent_data() {
        QTest::addColumn<Press>("press");
        using namespace ModifierFlag;
        const int meta = Qt::MetaModifier;
        const auto row = [](const char* name, const Press& press) { QTest::newRow(name) << press; };
        // The layout prints another letter on the V key; its position counts for the chord.
        row("V position",
            {Qt::Key_Z, meta | Qt::ShiftModifier, 55, 0, 9, Command | Shift, Command | Shift, 6});
        row("Caps Lock on",
            {Qt::Key_V, Qt::ControlModifier, 55, 2, 9, Control | CapsLock, Control | CapsLock, 9});
        row("synthesized", {Qt::Key_Percent, Qt::AltModifier, 0, 0, 23, Option, Option, 23});
        row("arrow",
            {Qt::Key_Left, meta, 113, 0, 123, Command | NumericPad | Function, Command, 123});
        row("keypad", {Qt::Key_1, 0, 87, 0, 83, NumericPad, 0, 18});
        row("F5", {Qt::Key_F5, 0, 71, 0, 96, Function, 0, 96});
        // A keymap of its own (wtype) puts Down on the Escape position.
        row("Down from a keymap of its own", {Qt::Key_Down, 0, 9, 0, 53, 0, 0, 125});
        row("unnamed symbol", {Qt::Key_Launch0, 0, 55, 0, 9, 0, 0, 9});
        row("modifier key", {Qt::Key_Shift, Qt::ShiftModifier, 50, 0, -1});
        row("unknown", {Qt::Key_Launch0, 0, 0, 0, -1});
    }
    void fromQKeyEvent() {
        QFETCH(Press, press);
        const QKeyEvent event(QEvent::KeyPress, press.qtKey,
                              Qt::KeyboardModifiers(press.qtModifiers), press.scanCode, 0,
                              press.nativeModifiers);
        const std::optional<KeyEvent> got = KeyCodeTable::fromQKeyEvent(event);
        QCOMPARE(got ? int(got->keyCode) : -1, press.keyCode);
        if (got) {
            QCOMPARE(got->modifiers, press.modifiers);
            QCOMPARE(KeyCodeTable::heldModifiers(*got), press.held);
            QCOMPARE(int(got->typedKey()), press.typed);
        }
    }

    // Stored and logged in words, shown in the interface language (German here, from the
    // built-in tables): names translate, letters and codes do not.
    void chordText_data() {
        QTest::addColumn<quint64>("modifiers");
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("glyphs");
        QTest::addColumn<QString>("german");
        const auto row = [](quint64 modifiers, int code, const char* words, const char* glyphs,
                            const char* german) {
            QTest::newRow(words) << modifiers << code << QString(words) << QString(glyphs)
                                 << QString(german);
        };
        row(0x120000, 9, "Super+Shift+V", "⌘⇧V", "Super+Umschalt+V");
        row(0x1E0000, 49, "Super+Ctrl+Alt+Shift+Space", "⌘⇧⌥⌃␣",
            "Super+Strg+Alt+Umschalt+Leertaste");
        row(0x120000, 53, "Super+Shift+Esc", "⌘⇧Key53", "Super+Umschalt+Esc");
        row(0x10000, 0, "CapsLock+A", "A", "Feststell+A");
        row(0x840000, 96, "Ctrl+F5", "⌃Key96", "Strg+F5");
        row(0x80000, 0x1C8, "Alt+Key456", "⌥Key456", "Alt+Key456");  // unlisted
    }
    void chordText() {
        QFETCH(quint64, modifiers);
        QFETCH(int, keyCode);
        QTEST(KeyNames::displayString(modifiers, quint16(keyCode)), "words");
        QTEST(KeyNames::displayString(modifiers, quint16(keyCode), KeyNames::ChordForm::Glyphs),
              "glyphs");
        L10n::configure(nullptr, QStringLiteral("de"));
        const QString german =
            KeyNames::displayString(modifiers, quint16(keyCode), KeyNames::ChordForm::Translated);
        L10n::configure(nullptr, QString());
        QTEST(german, "german");
    }

    // The paste chord may not be one that typing or editing needs in every program.
    void chordPolicy_data() {
        QTest::addColumn<quint64>("modifiers");
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<ChordPolicy::Verdict>("verdict");
        using namespace ModifierFlag;
        const auto types = ChordPolicy::Verdict::TypesText;
        const auto edits = ChordPolicy::Verdict::EditsText;
        const auto allowed = ChordPolicy::Verdict::Allowed;
        QTest::newRow("Shift+K") << Shift << 40 << types;
        QTest::newRow("Caps Lock+Shift+1") << (CapsLock | Shift) << 18 << types;
        QTest::newRow("keypad 5") << quint64(0) << 87 << types;
        QTest::newRow("Shift+Tab") << Shift << 48 << allowed;
        QTest::newRow("Ctrl+Shift+Z, Caps Lock on") << (Control | Shift | CapsLock) << 6 << edits;
        QTest::newRow("Ctrl+Alt+C") << (Control | Option) << 8 << allowed;
        QTest::newRow("Super+Shift+V") << (Command | Shift) << 9 << allowed;
    }
    void chordPolicy() {
        QFETCH(quint64, modifiers);
        QFETCH(int, keyCode);
        QTEST(ChordPolicy::judge(modifiers, quint16(keyCode)), "verdict");
    }
    // Without a scan code a key goes by its name, to where the ANSI board has it: every key
    // comes back under the name printed on it (the shifted symbols of the US layout under
    // their key's), F1 to F12 too. Ctrl with a letter edits exactly for the common commands,
    // wherever the letter sits.
    void byName() {
        const QString printed = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890-=[]\\;',./`";
        const QString shifted = printed.left(26) + "!@#$%^&*()_+{}|:\"<>?~";
        for (qsizetype i = 0; i < printed.size(); ++i) {
            for (const QChar c : {printed[i], shifted[i]}) {
                const QKeyEvent press(QEvent::KeyPress, c.unicode(), Qt::ControlModifier);
                const quint16 code = KeyCodeTable::fromQKeyEvent(press).value().keyCode;
                QCOMPARE(KeyNames::displayString(0, code), QString(printed[i]));
                QCOMPARE(ChordPolicy::judge(ModifierFlag::Control, code) ==
                             ChordPolicy::Verdict::EditsText,
                         QString("ACFNOPQSTVWXYZ").contains(printed[i]));
            }
        }
        for (int i = 0; i < 12; ++i) {
            const QKeyEvent press(QEvent::KeyPress, Qt::Key_F1 + i, Qt::NoModifier);
            QCOMPARE(KeyNames::displayString(0, KeyCodeTable::fromQKeyEvent(press).value().keyCode),
                     QString("F%1").arg(i + 1));
        }
    }

    // Extra and missing modifiers are the detector's chord tests; device-dependent bits never
    // count as pressed, not even for a chord that has them.
    // On GNOME the chord is grabbed by key position and the paste typed by symbol; the symbols
    // come from xkbcommon's US layout, an oracle independent of the position table.
    void gnomeKeys_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<quint64>("modifiers");
        QTest::addColumn<QString>("accelerator");  // empty: none
        QTest::addColumn<QList<quint32>>("keysyms");
        using namespace ModifierFlag;
        QTest::newRow("Super+Shift+V") << 9 << (Command | Shift) << "<Shift><Super>0x37"
                                       << QList<quint32>{0xffe1, 0xffeb, 'v'};
        QTest::newRow("Ctrl+Alt+Up") << 126 << (Control | Option) << "<Control><Alt>0x6f"
                                     << QList<quint32>{0xffe3, 0xffe9, 0xff52};
        QTest::newRow("Shift+Insert")
            << int(KeyCode::Insert) << Shift << "<Shift>0x76" << QList<quint32>{0xffe1, 0xff63};
        QTest::newRow("Down") << int(KeyCode::DownArrow) << quint64(0) << "0x74"
                              << QList<quint32>{0xff54};
        QTest::newRow("no key") << 52 << Control << "" << QList<quint32>{};
    }
    void gnomeKeys() {
        QFETCH(int, code);
        QFETCH(quint64, modifiers);
        QFETCH(QString, accelerator);
        QCOMPARE(GnomeKeyboardHooks::accelerator(quint16(code), modifiers).value_or(QString()),
                 accelerator);
        QTEST(GnomeKeyInjector::keysyms(Keystroke{modifiers, quint16(code)}), "keysyms");
    }

    void deviceBitsNeverMatch() { QVERIFY(!modifierFlagsMatch(0x100008, 0x100008)); }
};

QTEST_GUILESS_MAIN(TestKeyCodeTable)
#include "tst_key_code_table.moc"
