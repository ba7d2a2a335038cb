// The name encoding: what our conversion adds to glibc's CP932 table (the
// table itself is held to Microsoft's by the self-check at first use).

#include "scores/Cp932.h"

#include <QtTest>

#include <optional>

using Bytes = std::optional<QByteArray>;
Q_DECLARE_METATYPE(Bytes)

class Cp932Test : public QObject {
    Q_OBJECT
private slots:
    void encodesOnlyWhatReadsBack_data();
    void encodesOnlyWhatReadsBack();
    void decodingGoesOnPastInvalidBytes_data();
    void decodingGoesOnPastInvalidBytes();
};

void Cp932Test::encodesOnlyWhatReadsBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Bytes>("bytes");  // nothing: not storable
    QTest::newRow("ascii") << QStringLiteral("AB\\~") << Bytes("AB\x5C\x7E");
    QTest::newRow("empty") << QString() << Bytes(QByteArray());
    // glibc takes it to 0x8160, which reads back as U+FF5E.
    QTest::newRow("wave dash") << QString::fromUtf16(u"\u301C") << Bytes();
    QTest::newRow("emoji") << QString::fromUtf16(u"A\U0001F600") << Bytes();
    QTest::newRow("lone surrogate") << QString::fromUtf16(u"A\xD800" "B") << Bytes();
}

void Cp932Test::encodesOnlyWhatReadsBack()
{
    QFETCH(QString, text);
    QFETCH(Bytes, bytes);
    QCOMPARE(encodeCp932(text), bytes);
    QCOMPARE(isCp932Storable(text), bytes.has_value());
}

void Cp932Test::decodingGoesOnPastInvalidBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("clean");
    const QChar r = QChar::ReplacementCharacter;
    QTest::newRow("ソ has a 5C trail") << QByteArray("\x83\x5C\x5C") << QString::fromUtf16(u"\u30BD\\") << true;
    QTest::newRow("unassigned pair") << QByteArray("A\x85\x40" "B") << QString("A") + r + "@B" << false;
    QTest::newRow("lone lead at end") << QByteArray("AB\x82") << QString("AB") + r << false;
    QTest::newRow("lead then ascii") << QByteArray("\x82" "A") << QString(r) + "A" << false;
    QTest::newRow("0x80") << QByteArray("\x80" "Z") << QString(r) + "Z" << false;
    QTest::newRow("0xFD-0xFF") << QByteArray("\xFD\xFE\xFF") << QString(3, r) << false;
}

void Cp932Test::decodingGoesOnPastInvalidBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, clean);
    bool said = !clean;  // must be set either way
    QTEST(decodeCp932(bytes, &said), "text");
    QCOMPARE(said, clean);
}

QTEST_GUILESS_MAIN(Cp932Test)
#include "tst_cp932.moc"
