// Reading GIF pictures: the structure walked to the trailer, and the format
// fixed to GIF whatever the file holds.
#include "AuxTestSupport.h"
#include "common/GifPicture.h"

#include <QImageReader>
#include <QTest>
#include <memory>

using namespace AuxTest;

class TestGifPicture : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { FFixture.reset(); }

    void gifStructure()
    {
        const QByteArray whole = ReadFile(SourcePicture(QStringLiteral("15.gif")));
        QVERIFY(whole.size() > 100);
        QVERIFY(GifIsComplete(whole));
        QVERIFY(GifIsComplete(whole + QByteArray("trailing bytes")));
        // Cut anywhere, the file is incomplete.
        for (qsizetype n = 0; n < whole.size(); ++n)
            QVERIFY2(!GifIsComplete(whole.left(n)), qPrintable(QString::number(n)));
        QByteArray badIntroducer = whole;
        badIntroducer[13 + 3 * 256] = 'X'; // 15.gif has a 256-colour global table
        QVERIFY(!GifIsComplete(badIntroducer));
    }

    // The reader is told the format: a PNG named .gif is refused even though
    // Qt could read it as PNG.
    void pngNamedGifIsRefused()
    {
        QVERIFY(MakeFolder());
        const QString path = FFixture->File(QStringLiteral("grafika/15.gif"));
        QImage png(120, 120, QImage::Format_RGB32);
        png.fill(Qt::red);
        QVERIFY(png.save(path, "PNG"));
        QImageReader sniff(path);
        QCOMPARE(sniff.format(), QByteArray("png"));
        QVERIFY(!sniff.read().isNull());

        QImage picture;
        QString error;
        QVERIFY(!LoadGifPicture(path, &picture, &error));
        QCOMPARE(error, QStringLiteral("Unable to read image data"));
        QVERIFY(picture.isNull());
    }

private:
    // A fresh folder with an empty grafika/.
    bool MakeFolder()
    {
        FFixture = std::make_unique<TVantuFixture>();
        return PrepareFolder(*FFixture, {});
    }

    std::unique_ptr<TVantuFixture> FFixture;
};

QTEST_MAIN(TestGifPicture)
#include "tst_gifpicture.moc"
