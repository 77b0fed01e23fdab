#include "StandardEnvelopes.h"

#include <QTest>

class StandardEnvelopesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mergedLikeRestore_data();
    void mergedLikeRestore();
    void addresseeInLowerRight();
};

namespace {
EnvelopeFormat own(const char *label)
{
    EnvelopeFormat format;
    format.label = label;
    format.width = 30.0f;
    return format;
}
} // namespace

void StandardEnvelopesTest::mergedLikeRestore_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<int>("added");
    QTest::addColumn<QString>("report");

    const QString success = QStringLiteral("Standardní formáty obálek byly přidány.\n\n");
    QTest::newRow("none") << QStringList() << 11 << success;
    QTest::newRow("own DL and C5") << QStringList{"moje", "DL", "C5"} << 9
                                   << success + "Tyto obálky již existovaly a nebyly přidány:\n"
                                                "C5\nDL\n";
    QTest::newRow("lower-case dl is another label") << QStringList{"dl"} << 11 << success;
}

void StandardEnvelopesTest::mergedLikeRestore()
{
    QFETCH(QStringList, present);
    QFETCH(int, added);
    QFETCH(QString, report);

    EnvelopeFormatArray envelopes;
    for (const QString &label : present)
        envelopes.Append(own(qPrintable(label)));
    const RestoreOutcome outcome = addStandardEnvelopeFormats(envelopes);
    QCOMPARE(int(outcome.addedLabels.size()), added);
    QCOMPARE(envelopes.GetSize(), present.size() + added);
    for (int i = 0; i < present.size(); ++i)
        QCOMPARE(envelopes.ElementAt(i).width, 30.0f); // kept as they were
    QCOMPARE(standardEnvelopesReport(outcome.skippedLabels), report);

    // A second time adds nothing and lists every standard label.
    QCOMPARE(addStandardEnvelopeFormats(envelopes).skippedLabels.size(), std::size_t(11));
}

void StandardEnvelopesTest::addresseeInLowerRight()
{
    for (const EnvelopeFormat &format : standardEnvelopeFormats()) {
        QVERIFY(format.width > format.height);
        QCOMPARE(format.senderLeft, 1.0f);
        QCOMPARE(format.senderTop, 1.0f);
        // Right half but for 5 mm, lower half, below the 4 cm franking band and with room
        // for five lines of 12 points (2.5 cm) above the 1.5 cm coding strip.
        QVERIFY(qAbs(format.addresseeLeft - (format.width / 2 - 0.5f)) <= 0.051f);
        QVERIFY(format.addresseeTop >= 4.0f);
        QVERIFY(format.height - format.addresseeTop >= 4.0f);
    }
}

QTEST_MAIN(StandardEnvelopesTest)
#include "StandardEnvelopesTest.moc"
