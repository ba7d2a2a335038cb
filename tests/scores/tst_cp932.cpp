// The name encoding: Microsoft's code page 932, byte for byte.

#include "scores/Cp932.h"

#include <QtTest>

class Cp932Test : public QObject {
    Q_OBJECT
private slots:
    void decodesMicrosoftTable_data();
    void decodesMicrosoftTable();
    void encodesTheFormsWindowsWrites_data();
    void encodesTheFormsWindowsWrites();
    void refusesCharactersThatDoNotComeBack_data();
    void refusesCharactersThatDoNotComeBack();
    void invalidBytesBecomeReplacementAndDecodingGoesOn_data();
    void invalidBytesBecomeReplacementAndDecodingGoesOn();
};

void Cp932Test::decodesMicrosoftTable_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    // Where Shift_JIS would give U+00A5, U+203E, U+301C, U+2016, U+2212.
    QTest::newRow("backslash") << QByteArray("\x5C") << QString::fromUtf16(u"\\");
    QTest::newRow("tilde") << QByteArray("\x7E") << QString::fromUtf16(u"~");
    QTest::newRow("8160 wave dash") << QByteArray("\x81\x60") << QString::fromUtf16(u"\uFF5E");
    QTest::newRow("8161 double bar") << QByteArray("\x81\x61") << QString::fromUtf16(u"\u2225");
    QTest::newRow("817C minus") << QByteArray("\x81\x7C") << QString::fromUtf16(u"\uFF0D");
    QTest::newRow("815F backslash") << QByteArray("\x81\x5F") << QString::fromUtf16(u"\uFF3C");
    // ICU's table swaps these control codes; Windows does not.
    QTest::newRow("controls") << QByteArray("\x1A\x1C\x7F") << QString::fromUtf16(u"\u001A\u001C\u007F");
    // NEC-selected and IBM extension rows both read as the same characters.
    // (What every variant of the table agrees on is glibc's to get right.)
    QTest::newRow("ED40 NEC-sel") << QByteArray("\xED\x40") << QString::fromUtf16(u"\u7E8A");
    QTest::newRow("FA5C IBM") << QByteArray("\xFA\x5C") << QString::fromUtf16(u"\u7E8A");
    QTest::newRow("ソ has a 5C trail") << QByteArray("\x83\x5C\x5C") << QString::fromUtf16(u"\u30BD\\");
}

void Cp932Test::decodesMicrosoftTable()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QVERIFY(cp932Available());
    bool clean = false;
    QCOMPARE(decodeCp932(bytes, &clean), text);
    QVERIFY(clean);
}

void Cp932Test::encodesTheFormsWindowsWrites_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QStringLiteral("AB\\~") << QByteArray("AB\x5C\x7E");
    QTest::newRow("U+7E8A as IBM") << QString::fromUtf16(u"\u7E8A") << QByteArray("\xFA\x5C");
    QTest::newRow("U+2252 as JIS") << QString::fromUtf16(u"\u2252") << QByteArray("\x81\xE0");
    QTest::newRow("U+FFE2 as JIS") << QString::fromUtf16(u"\uFFE2") << QByteArray("\x81\xCA");
    QTest::newRow("U+2170 as IBM") << QString::fromUtf16(u"\u2170") << QByteArray("\xFA\x40");
    QTest::newRow("fullwidth tilde") << QString::fromUtf16(u"\uFF5E") << QByteArray("\x81\x60");
    QTest::newRow("empty") << QString() << QByteArray();
}

void Cp932Test::encodesTheFormsWindowsWrites()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const auto encoded = encodeCp932(text);
    QVERIFY(encoded.has_value());
    QCOMPARE(*encoded, bytes);
    QVERIFY(isCp932Storable(text));
}

void Cp932Test::refusesCharactersThatDoNotComeBack_data()
{
    QTest::addColumn<QString>("text");
    // glibc takes the first five one way; they would read back as other characters.
    QTest::newRow("yen") << QString::fromUtf16(u"\u00A5");
    QTest::newRow("overline") << QString::fromUtf16(u"\u203E");
    QTest::newRow("wave dash") << QString::fromUtf16(u"\u301C");
    QTest::newRow("double vertical") << QString::fromUtf16(u"\u2016");
    QTest::newRow("minus") << QString::fromUtf16(u"\u2212");
    QTest::newRow("emoji") << QString::fromUtf16(u"A\U0001F600");
    QTest::newRow("lone surrogate") << QString::fromUtf16(u"A\xD800" "B");
    QTest::newRow("replacement") << QString::fromUtf16(u"\uFFFD");
    QTest::newRow("hangul") << QString::fromUtf16(u"\uD55C");
}

void Cp932Test::refusesCharactersThatDoNotComeBack()
{
    QFETCH(QString, text);
    QVERIFY(!isCp932Storable(text));
    QVERIFY(!encodeCp932(text).has_value());
}

void Cp932Test::invalidBytesBecomeReplacementAndDecodingGoesOn_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const QChar r = QChar::ReplacementCharacter;
    QTest::newRow("unassigned pair") << QByteArray("A\x85\x40" "B") << QString("A") + r + "@B";
    QTest::newRow("lone lead at end") << QByteArray("AB\x82") << QString("AB") + r;
    QTest::newRow("lead then ascii") << QByteArray("\x82" "A") << QString(r) + "A";
    QTest::newRow("0x80") << QByteArray("\x80" "Z") << QString(r) + "Z";
    QTest::newRow("0xFD-0xFF") << QByteArray("\xFD\xFE\xFF") << QString(3, r);
}

void Cp932Test::invalidBytesBecomeReplacementAndDecodingGoesOn()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    bool clean = true;
    QCOMPARE(decodeCp932(bytes, &clean), text);
    QVERIFY(!clean);
}

QTEST_GUILESS_MAIN(Cp932Test)
#include "tst_cp932.moc"
