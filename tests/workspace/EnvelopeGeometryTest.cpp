#include "EnvelopeGeometry.h"
#include "Texts.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace EnvelopeGeometry;

namespace {

// The usual envelope of the examples: 22.9 x 11.4 cm, sender (1, 1), addressee (11, 5.5).
EnvelopeFormat dl()
{
    return envelope("C6", 22.9f, 11.4f, 1.0f, 1.0f, 11.0f, 5.5f);
}

QRect corners(int left, int top, int right, int bottom)
{
    return fromCorners({left, top}, {right, bottom});
}

} // namespace

Q_DECLARE_METATYPE(EnvelopeFormat)

class EnvelopeGeometryTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void previewBoxes_data();
    void previewBoxes();
    void senderBoxHeightRule_data();
    void senderBoxHeightRule();
    void outline_data();
    void outline();
    void outlineMeetsTheBoxes();
    void printRects_data();
    void printRects();
    void fieldRects();
    void fontHeights_data();
    void fontHeights();
    void hostileLengthsDoNotOverflow();
};

void EnvelopeGeometryTest::previewBoxes_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<QRect>("sender");
    QTest::addColumn<QRect>("addressee");
    QTest::newRow("100%") << 1.0 << QRect(43, 88, 433, 177) << QRect(421, 258, 449, 223);
    QTest::newRow("50%") << 50 * 0.01 << QRect(24, 69, 216, 88) << QRect(213, 154, 224, 111);
}

void EnvelopeGeometryTest::previewBoxes()
{
    QFETCH(double, scale);
    QFETCH(QRect, sender);
    QCOMPARE(previewSenderBox(dl(), scale, 96, 96), sender);
    QFETCH(QRect, addressee);
    QCOMPARE(previewAddresseeBox(dl(), scale, 96, 96), addressee);
}

void EnvelopeGeometryTest::senderBoxHeightRule_data()
{
    QTest::addColumn<float>("senderTop");
    QTest::addColumn<int>("topHimetric");
    QTest::addColumn<int>("bottomHimetric");
    // Half the height is 5 cm; a box less than 1 cm tall gets 1 cm more.
    QTest::newRow("1 cm above the middle") << 4.0f << 4000 << 5000;
    QTest::newRow("0.5 cm above the middle") << 4.5f << 4500 << 6000;
    QTest::newRow("at the middle") << 6.0f << 6000 << 6000;
    QTest::newRow("below the middle") << 8.0f << 8000 << 6000;
}

void EnvelopeGeometryTest::senderBoxHeightRule()
{
    QFETCH(float, senderTop);
    // At 2540 dots per inch one pixel is 0.01 mm, so the box shows the raw units.
    const QRect box = previewSenderBox(envelope("C6", 10, 10, 1, senderTop, 5, 5), 1.0, 2540, 2540);
    QFETCH(int, topHimetric);
    QCOMPARE(box.top(), topHimetric + 50);
    QFETCH(int, bottomHimetric);
    QCOMPARE(box.top() + box.height(), bottomHimetric + 50);
}

void EnvelopeGeometryTest::outline_data()
{
    QTest::addColumn<EnvelopeFormat>("envelope");
    QTest::addColumn<double>("scale");
    QTest::addColumn<QSize>("corner");
    QTest::newRow("22.9 x 11.4 at 100%") << dl() << 100 * 0.01 << QSize(2289, -1139);
    QTest::newRow("22.9 x 11.4 at 75%") << dl() << 75 * 0.01 << QSize(1717, -854);
    QTest::newRow("22.9 x 11.4 at 10%") << dl() << 10 * 0.01 << QSize(228, -113);
    QTest::newRow("22 x 11 at 100%")
        << envelope("C6", 22, 11, 1, 1, 11, 5) << 1.0 << QSize(2200, -1100);
    QTest::newRow("degenerate") << envelope("C6", 0, 0, 0, 0, 0, 0) << 1.0 << QSize(0, 0);
}

void EnvelopeGeometryTest::outline()
{
    QFETCH(EnvelopeFormat, envelope);
    QFETCH(double, scale);
    QFETCH(QSize, corner);
    QCOMPARE(previewOutline(envelope, scale), corner);
}

void EnvelopeGeometryTest::outlineMeetsTheBoxes()
{
    // The outline and the addressee box share the screen's logical inch, so the box ends
    // where the outline's right and bottom edges are drawn.
    const QSize corner = previewOutline(dl(), 1.0);
    const QPoint outlineCorner = previewOutlineToDevice({corner.width(), corner.height()}, 96, 96);
    const QRect box = previewAddresseeBox(dl(), 1.0, 96, 96);
    QCOMPARE(outlineCorner.x(), box.left() + box.width());
    QVERIFY(std::abs(outlineCorner.y() - (box.top() + box.height())) <= 1);
    QCOMPARE(previewOutlineToDevice({0, 0}, 96, 96), kPreviewOrigin);
}

void EnvelopeGeometryTest::printRects_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QRect>("sender");
    QTest::addColumn<QRect>("addressee");
    QTest::newRow("600 dpi") << 600 << corners(236, 236, 5409, 2693)
                             << corners(2598, 1299, 5409, 2693);
    QTest::newRow("300 dpi") << 300 << corners(118, 118, 2705, 1346)
                             << corners(1299, 650, 2705, 1346);
}

void EnvelopeGeometryTest::printRects()
{
    QFETCH(int, dpi);
    QFETCH(QRect, sender);
    QCOMPARE(printSenderRect(dl(), dpi, dpi), sender);
    QFETCH(QRect, addressee);
    QCOMPARE(printAddresseeRect(dl(), dpi, dpi), addressee);
}

void EnvelopeGeometryTest::fieldRects()
{
    // Printed at true size whatever the preview scale.
    QCOMPARE(printFieldRect(2, 3, 5, 1.5, 600, 600), corners(472, 709, 1654, 1063));
    // On the preview the field scales with the envelope, from the same origin.
    const QRect half = previewFieldBox(2, 3, 5, 1.5, 0.5, 96, 96);
    QCOMPARE(half, corners(38, 57, 132, 85).translated(kPreviewOrigin));
    QCOMPARE(previewFieldBox(0, 0, 0, 0, 0.5, 96, 96), QRect(kPreviewOrigin, QSize(0, 0)));
}

void EnvelopeGeometryTest::fontHeights_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("printPixels");
    QTest::newRow("12 pt at 600") << 12 << 600 << 100;
    QTest::newRow("12 pt at 300") << 12 << 300 << 50;
    QTest::newRow("10 pt at 96 rounds") << 10 << 96 << 13;
    QTest::newRow("11 pt at 300 rounds up") << 11 << 300 << 46;
}

void EnvelopeGeometryTest::fontHeights()
{
    QFETCH(int, points);
    QFETCH(int, dpi);
    QFETCH(int, printPixels);
    QCOMPARE(printFontPixels(points, dpi), printPixels);

    // The third field's point font truncates, and its preview size truncates the tenths.
    QCOMPARE(pointFontPixels(120, 600), 100);
    QCOMPARE(pointFontPixels(110, 96), 14); // 14.67 cut
    QCOMPARE(scaledTenths(120, 0.5), 60);
    QCOMPARE(scaledTenths(125, 0.3), 37);
    // 12 points at 50% are 120 twips in the text boxes.
    QCOMPARE(charFormatTwips(12, 50 * 0.01), 120);
    QCOMPARE(charFormatTwips(10, 75 * 0.01), 150);
}

void EnvelopeGeometryTest::hostileLengthsDoNotOverflow()
{
    QCOMPARE(EnvelopeGeometry::trunc(std::numeric_limits<double>::quiet_NaN()), 0);
    QCOMPARE(EnvelopeGeometry::trunc(1e30), std::numeric_limits<int>::max());
    QCOMPARE(EnvelopeGeometry::trunc(-1e30), std::numeric_limits<int>::min());
    QCOMPARE(EnvelopeGeometry::trunc(-2.7), -2);
    QCOMPARE(EnvelopeGeometry::trunc(22.9f * 100.0), 2289);
    // A damaged file's lengths are clamped, not turned into undefined integers.
    const EnvelopeFormat huge = envelope("C6", 3e38f, -3e38f, 1, 1, 1, 1);
    QCOMPARE(previewOutline(huge, 1.0),
             QSize(std::numeric_limits<int>::max(), std::numeric_limits<int>::max()));
}

QTEST_APPLESS_MAIN(EnvelopeGeometryTest)
#include "EnvelopeGeometryTest.moc"
