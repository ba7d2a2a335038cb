// The raw pictures compiled into the program, and bytes that are not one.
#include "ui/Pictures.h"

#include <QTest>
#include <QtEndian>

namespace {
QByteArray header(quint32 width, quint32 height)
{
    QByteArray b("BZPX");
    char n[4];
    qToLittleEndian(width, n);
    b.append(n, 4);
    qToLittleEndian(height, n);
    b.append(n, 4);
    return b;
}
} // namespace

class PicturesTest : public QObject {
    Q_OBJECT
private slots:
    void everyPictureOfTheGameLoads();
    void malformedBytesGiveNoPicture_data();
    void malformedBytesGiveNoPicture();
};

// Their colours and see-through parts, and the tiles, are the window picture
// tests'; those do not see a sharp picture missing, nor the cursor or icons.
void PicturesTest::everyPictureOfTheGameLoads()
{
    for (const QString name : {"target", "shooter", "shooter_red", "cursor_person", "icon"}) {
        QCOMPARE(pictures::read(name).size(), QSize(32, 32));
        QCOMPARE(pictures::read(name + QStringLiteral("@2x")).size(), QSize(64, 64));
    }
    QCOMPARE(pictures::read(QStringLiteral("icon16")).size(), QSize(16, 16));
    QVERIFY(pictures::read(QStringLiteral("no_such_picture")).isNull());
}

void PicturesTest::malformedBytesGiveNoPicture_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("header cut short") << header(1, 1).left(10);
    QTest::newRow("wrong magic") << QByteArray("PNG!").append(header(1, 1).mid(4)).append(4, '\0');
    QTest::newRow("pixels missing") << header(2, 2).append(12, '\0');
    QTest::newRow("pixels over") << header(1, 1).append(5, '\0');
}

void PicturesTest::malformedBytesGiveNoPicture()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(pictures::decode(bytes).isNull());
}

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
