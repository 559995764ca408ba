#include <QtTest>

#include <QKeyEvent>

#include "keys/KeyCodeTable.h"
#include "keys/KeyNames.h"

class TestKeyCodeTable : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void physicalPositions() {
        // V, the keys PC boards have where Apple's have Help, "=", forward Delete, Down.
        for (const auto& [code, xkb] : {std::pair<quint16, int>{KeyCode::V, 55},
                                        {114, 118},
                                        {24, 21},
                                        {117, 119},
                                        {125, 116}}) {
            QCOMPARE(KeyCodeTable::xkbKeycodeFor(code), std::optional<quint8>(xkb));
        }
        // Every XKB keycode has exactly one canonical code and back; unlisted keys included.
        for (int x = 8; x < 256; ++x) {
            const auto canonical = KeyCodeTable::canonicalForXkbKeycode(quint32(x));
            QVERIFY(canonical.has_value());
            QCOMPARE(KeyCodeTable::xkbKeycodeFor(*canonical), std::optional<quint8>(x));
        }
        for (quint32 x : {0u, 7u, 256u}) {
            QVERIFY(!KeyCodeTable::canonicalForXkbKeycode(x));
        }
        // No key 52 on the ANSI board; an unlisted code that belongs to a listed key is none.
        QVERIFY(!KeyCodeTable::xkbKeycodeFor(52));
        QVERIFY(!KeyCodeTable::xkbKeycodeFor(KeyCodeTable::kUnlistedBase + 55));
    }

    // A press in canonical numbers: the scan code first, the Qt key where there is none.
    void fromQKeyEvent_data() {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("qtModifiers");
        QTest::addColumn<quint32>("scanCode");
        QTest::addColumn<quint32>("nativeModifiers");
        QTest::addColumn<int>("keyCode");  // -1: no chord
        QTest::addColumn<quint64>("modifiers");
        QTest::addColumn<quint64>("held");
        const int meta = Qt::MetaModifier;
        const quint64 superShift = ModifierFlag::Command | ModifierFlag::Shift;
        // The layout prints another letter on the V key; its position counts.
        QTest::newRow("V position") << int(Qt::Key_Z) << int(meta | Qt::ShiftModifier) << 55u << 0u
                                    << 9 << superShift << superShift;
        QTest::newRow("Caps Lock on") << int(Qt::Key_V) << int(Qt::ControlModifier) << 55u << 2u
                                      << 9 << (ModifierFlag::Control | ModifierFlag::CapsLock)
                                      << (ModifierFlag::Control | ModifierFlag::CapsLock);
        QTest::newRow("synthesized") << int(Qt::Key_Percent) << int(Qt::AltModifier) << 0u << 0u
                                     << 23 << ModifierFlag::Option << ModifierFlag::Option;
        QTest::newRow("arrow") << int(Qt::Key_Left) << meta << 113u << 0u << 123
                               << (ModifierFlag::Command | ModifierFlag::NumericPad |
                                   ModifierFlag::Function)
                               << ModifierFlag::Command;
        QTest::newRow("keypad") << int(Qt::Key_1) << 0 << 87u << 0u << 83
                                << ModifierFlag::NumericPad << quint64(0);
        QTest::newRow("F5") << int(Qt::Key_F5) << 0 << 71u << 0u << 96 << ModifierFlag::Function
                            << quint64(0);
        QTest::newRow("modifier key") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << 50u << 0u
                                      << -1 << quint64(0) << quint64(0);
        QTest::newRow("unknown") << int(Qt::Key_Launch0) << 0 << 0u << 0u << -1 << quint64(0)
                                 << quint64(0);
    }
    void fromQKeyEvent() {
        QFETCH(int, qtKey);
        QFETCH(int, qtModifiers);
        QFETCH(quint32, scanCode);
        QFETCH(quint32, nativeModifiers);
        QFETCH(int, keyCode);
        const QKeyEvent event(QEvent::KeyPress, qtKey, Qt::KeyboardModifiers(qtModifiers), scanCode,
                              0, nativeModifiers);
        const std::optional<KeyEvent> got = KeyCodeTable::fromQKeyEvent(event);
        QCOMPARE(got.has_value(), keyCode >= 0);
        if (got) {
            QCOMPARE(int(got->keyCode), keyCode);
            QTEST(got->modifiers, "modifiers");
            QTEST(KeyCodeTable::heldModifiers(*got), "held");
        }
    }

    void chordText_data() {
        QTest::addColumn<quint64>("modifiers");
        QTest::addColumn<int>("keyCode");
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("glyphs");
        QTest::newRow("default") << quint64(0x120000) << 9 << "Super+Shift+V"
                                 << "⌘⇧V";
        QTest::newRow("all four") << quint64(0x1E0000) << 49 << "Super+Ctrl+Alt+Shift+Space"
                                  << "⌘⇧⌥⌃␣";
        QTest::newRow("escape") << quint64(0x120000) << 53 << "Super+Shift+Esc"
                                << "⌘⇧Key53";
        QTest::newRow("caps lock") << quint64(0x10000) << 0 << "CapsLock+A"
                                   << "A";
        QTest::newRow("function key") << quint64(0x840000) << 96 << "Ctrl+F5"
                                      << "⌃Key96";
        QTest::newRow("F3") << quint64(0) << 99 << "F3"
                            << "Key99";
        QTest::newRow("F9") << quint64(0) << 101 << "F9"
                            << "Key101";
        QTest::newRow("unlisted key") << quint64(0x80000) << 0x1C8 << "Alt+Key456"
                                      << "⌥Key456";
    }
    void chordText() {
        QFETCH(quint64, modifiers);
        QFETCH(int, keyCode);
        QTEST(KeyNames::displayString(modifiers, quint16(keyCode)), "words");
        QTEST(KeyNames::displayString(modifiers, quint16(keyCode), KeyNames::ChordForm::Glyphs),
              "glyphs");
    }

    void modifierMatching() {
        constexpr quint64 chord = 0x120000;
        QVERIFY(modifierFlagsMatch(chord, chord | ModifierFlag::CapsLock));
        QVERIFY(modifierFlagsMatch(chord, chord | ModifierFlag::Option));
        QVERIFY(!modifierFlagsMatch(chord, ModifierFlag::Command));
        QVERIFY(!modifierFlagsMatch(chord, 0));
        // Device-dependent bits never count as pressed.
        QVERIFY(!modifierFlagsMatch(0x100008, 0x100008));
        QVERIFY(modifierFlagsMatch(0, 0));
    }
};

QTEST_GUILESS_MAIN(TestKeyCodeTable)
#include "tst_key_code_table.moc"
