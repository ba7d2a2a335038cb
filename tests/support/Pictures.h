#pragma once

#include <QDir>
#include <QImage>
#include <QString>
#include <QTest>
#include <QtGlobal>

// Compares a window's picture pixel for pixel with the reference committed in
// tests/pictures/, named `name-SET.png` where SET (light-x1, dark-x2, ...)
// comes from BIMZO_PICTURE_SET, which CTest gives each run of the test.
//
// On a difference the actual picture and a difference image (changed pixels
// red on a faded copy of the reference) go to pictures-failed/ in the working
// directory, and the message names both. BIMZO_UPDATE_PICTURES=1 rewrites the
// reference instead and reports the test as skipped.
namespace picture_check {

inline QString set()
{
    const QString set = qEnvironmentVariable("BIMZO_PICTURE_SET");
    return set.isEmpty() ? QStringLiteral("light-x1") : set;
}

inline QImage differenceImage(const QImage& expected, const QImage& actual)
{
    const QSize size = expected.size().expandedTo(actual.size());
    QImage diff(size, QImage::Format_RGB32);
    diff.fill(Qt::red);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const bool inBoth = expected.rect().contains(x, y) && actual.rect().contains(x, y);
            if (inBoth && expected.pixel(x, y) == actual.pixel(x, y)) {
                const QRgb c = expected.pixel(x, y);
                diff.setPixel(x, y, qRgb(191 + qRed(c) / 4, 191 + qGreen(c) / 4, 191 + qBlue(c) / 4));
            }
        }
    }
    return diff;
}

// Empty when the picture matches; otherwise what differs and where the
// pictures were written.
inline QString mismatch(const QImage& picture, const QString& name)
{
    const QImage actual = picture.convertToFormat(QImage::Format_RGB32);
    const QString file = QStringLiteral("%1-%2.png").arg(name, set());
    const QString reference = QStringLiteral(BIMZO_PICTURES_DIR "/") + file;
    if (qEnvironmentVariableIntValue("BIMZO_UPDATE_PICTURES") == 1) {
        QDir().mkpath(QStringLiteral(BIMZO_PICTURES_DIR));
        return actual.save(reference) ? QString() : QStringLiteral("cannot write ") + reference;
    }
    const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
    QString what;
    if (expected.isNull())
        what = QStringLiteral("no reference picture %1").arg(reference);
    else if (expected.size() != actual.size())
        what = QStringLiteral("size %1x%2, the reference %3 is %4x%5")
                   .arg(actual.width()).arg(actual.height()).arg(reference)
                   .arg(expected.width()).arg(expected.height());
    else if (expected != actual)
        what = QStringLiteral("pixels differ from %1").arg(reference);
    else
        return {};

    const QDir out(QDir::current().absoluteFilePath(QStringLiteral("pictures-failed")));
    out.mkpath(QStringLiteral("."));
    const QString actualPath = out.absoluteFilePath(file);
    const QString diffPath = out.absoluteFilePath(QStringLiteral("%1-%2-diff.png").arg(name, set()));
    actual.save(actualPath);
    if (!expected.isNull())
        differenceImage(expected, actual).save(diffPath);
    return QStringLiteral("%1; actual picture: %2; difference: %3").arg(what, actualPath, diffPath);
}

} // namespace picture_check

// Fails the test slot unless `picture` matches its reference `name`.
#define CHECK_PICTURE(picture, name)                                                   \
    do {                                                                               \
        const QString pictureMismatch_ = picture_check::mismatch((picture), (name));   \
        QVERIFY2(pictureMismatch_.isEmpty(), qPrintable(pictureMismatch_));            \
        if (qEnvironmentVariableIntValue("BIMZO_UPDATE_PICTURES") == 1)                \
            QSKIP("reference rewritten");                                              \
    } while (false)
