#include "display/LedImageCache.h"

#include <QTest>

namespace {

LedImageKey key(int caption, QRgb lit = qRgb(255, 0, 0), QSize pixels = QSize(44, 79)) {
    return LedImageKey{pixels, 1.0, 0, caption, lit, qRgb(0, 0, 0)};
}

int countPixels(const QImage& image, QRgb colour) {
    int n = 0;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            n += rgb.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

} // namespace

class TestLedImageCache : public QObject {
    Q_OBJECT

private slots:
    void init() {
        LedImageCache::instance().setBudget(32LL * 1024 * 1024);
        LedImageCache::instance().clear();
    }

    void samePictureIsDrawnOnce() {
        LedImageCache& cache = LedImageCache::instance();
        const QImage first = cache.image(key(8));
        const QImage again = cache.image(key(8));
        QCOMPARE(cache.count(), 1);
        QCOMPARE(again.cacheKey(), first.cacheKey());
    }

    void everyPartOfTheKeyGivesItsOwnPicture_data() {
        QTest::addColumn<int>("caption");
        QTest::addColumn<QRgb>("lit");
        QTest::addColumn<QRgb>("back");
        QTest::addColumn<int>("style");
        QTest::addColumn<QSize>("pixels");
        QTest::newRow("other digit") << 3 << qRgb(255, 0, 0) << qRgb(0, 0, 0) << 0 << QSize(44, 79);
        QTest::newRow("other lit colour") << 8 << qRgb(0, 255, 0) << qRgb(0, 0, 0) << 0 << QSize(44, 79);
        QTest::newRow("other back colour") << 8 << qRgb(255, 0, 0) << qRgb(0, 0, 90) << 0 << QSize(44, 79);
        QTest::newRow("Dots") << 8 << qRgb(255, 0, 0) << qRgb(0, 0, 0) << 1 << QSize(44, 79);
        QTest::newRow("other size") << 8 << qRgb(255, 0, 0) << qRgb(0, 0, 0) << 0 << QSize(42, 75);
    }

    void everyPartOfTheKeyGivesItsOwnPicture() {
        QFETCH(int, caption);
        QFETCH(QRgb, lit);
        QFETCH(QRgb, back);
        QFETCH(int, style);
        QFETCH(QSize, pixels);
        LedImageCache& cache = LedImageCache::instance();
        const QImage base = cache.image(key(8));
        const QImage other = cache.image(LedImageKey{pixels, 1.0, style, caption, lit, back});
        QCOMPARE(cache.count(), 2);
        QVERIFY(other != base);
        QCOMPARE(other.size(), pixels);
        QCOMPARE(other.pixel(0, 0), back);
        QVERIFY(countPixels(other, lit) > 0);
    }

    void oldestPicturesGoBeyondTheBudget() {
        LedImageCache& cache = LedImageCache::instance();
        const qint64 one = cache.image(key(0)).sizeInBytes();
        cache.clear();
        cache.setBudget(3 * one);
        for (int d = 0; d <= 9; ++d) {
            cache.image(key(d));
        }
        QCOMPARE(cache.count(), 3);
        QVERIFY(cache.bytes() <= 3 * one);
        // The most recent ones stay: asking for 9 again draws nothing new.
        const qint64 before = cache.bytes();
        cache.image(key(9));
        QCOMPARE(cache.count(), 3);
        QCOMPARE(cache.bytes(), before);
    }

    void aRecentlyUsedPictureOutlivesOlderOnes() {
        LedImageCache& cache = LedImageCache::instance();
        const qint64 one = cache.image(key(0)).sizeInBytes();
        cache.setBudget(2 * one);
        const QImage zero = cache.image(key(0));
        cache.image(key(1));
        cache.image(key(0)); // 0 drawn first but used last
        cache.image(key(2)); // over budget: 1 must go, not 0
        QCOMPARE(cache.count(), 2);
        QCOMPARE(cache.image(key(0)).cacheKey(), zero.cacheKey());
    }

    void aPictureLargerThanTheBudgetIsStillDrawn() {
        LedImageCache& cache = LedImageCache::instance();
        cache.setBudget(0);
        const QImage image = cache.image(key(8, qRgb(255, 0, 0), QSize(210, 379)));
        QCOMPARE(image.size(), QSize(210, 379));
        QVERIFY(countPixels(image, qRgb(255, 0, 0)) > 0);
    }

    void scaledScreensGetDevicePixels() {
        const QImage image = renderLedDigit(LedImageKey{QSize(44, 79), 2.0, 0, 8, qRgb(255, 0, 0), qRgb(0, 0, 0)});
        QCOMPARE(image.size(), QSize(88, 158));
        QCOMPARE(image.devicePixelRatio(), 2.0);
        QCOMPARE(image.deviceIndependentSize(), QSizeF(44, 79));
    }

    void brokenKeysStillDrawSomething_data() {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("empty size") << QSize(0, 0) << 1.0;
        QTest::newRow("negative size") << QSize(-4, -9) << 1.0;
        QTest::newRow("zero ratio") << QSize(44, 79) << 0.0;
        QTest::newRow("NaN ratio") << QSize(44, 79) << qQNaN();
    }

    void brokenKeysStillDrawSomething() {
        QFETCH(QSize, pixels);
        QFETCH(qreal, ratio);
        const QImage image = renderLedDigit(LedImageKey{pixels, ratio, 0, 8, qRgb(255, 0, 0), qRgb(0, 0, 0)});
        QVERIFY(!image.isNull());
        QVERIFY(image.width() >= 1 && image.height() >= 1);
    }
};

QTEST_MAIN(TestLedImageCache)
#include "tst_ledimagecache.moc"
