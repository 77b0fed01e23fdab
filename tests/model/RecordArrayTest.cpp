#include "AddressEntryArray.h"

#include <QTest>

namespace {

AddressEntry entry(const std::string &label, const std::string &text = "text")
{
    return AddressEntry{text, label};
}

} // namespace

class RecordArrayTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void growthFollowsTheRule();
    void growthStepIsCapped();
    void setSizeZeroReleasesTheBlock();
    void explicitGrowBy();
    void setAtGrowFillsWithEmptyElements();
    void elementsAreValues();
    void findByLabel_data();
    void findByLabel();
    void duplicatesAndRemoveAt();
    void removeKeepsOrderAndCapacity();
};

void RecordArrayTest::growthFollowsTheRule()
{
    EnvelopeFormatArray envelopes;
    QList<int> capacities;
    for (int i = 0; i < 50; ++i) {
        envelopes.Append(EnvelopeFormat{});
        capacities.append(envelopes.GetCapacity());
    }
    const QList<int> expected = {1,  5,  5,  5,  5,  9,  9,  9,  9,  13, 13, 13, 13, 17, 17, 17, 17,
                                 21, 21, 21, 21, 25, 25, 25, 25, 29, 29, 29, 29, 33, 33, 33, 33, 37,
                                 37, 37, 37, 41, 41, 41, 41, 46, 46, 46, 46, 46, 51, 51, 51, 51};
    QCOMPARE(capacities, expected);
    QCOMPARE(envelopes.GetSize(), 50);
}

void RecordArrayTest::growthStepIsCapped()
{
    AddressEntryArray entries;
    entries.SetSize(10000);
    QCOMPARE(entries.GetCapacity(), 10000); // no block yet: exactly what was asked
    entries.Append(entry("a"));
    QCOMPARE(entries.GetCapacity(), 11024);
    entries.SetSize(20000);
    QCOMPARE(entries.GetCapacity(), 20000); // larger than the step gives
}

void RecordArrayTest::setSizeZeroReleasesTheBlock()
{
    AddressEntryArray entries;
    entries.SetSize(0);
    QCOMPARE(entries.GetSize(), 0);
    QCOMPARE(entries.GetCapacity(), 0);
    for (int i = 0; i < 3; ++i)
        entries.Append(entry(std::to_string(i)));
    entries.SetSize(0);
    QCOMPARE(entries.GetSize(), 0);
    QCOMPARE(entries.GetCapacity(), 0);
    entries.Append(entry("again"));
    QCOMPARE(entries.GetCapacity(), 1);
    QCOMPARE(entries.FindByLabel("0"), -1);
}

void RecordArrayTest::explicitGrowBy()
{
    AddressEntryArray entries;
    entries.SetSize(1, 100);
    entries.Append(entry("b"));
    QCOMPARE(entries.GetCapacity(), 101);
    entries.SetSize(1);
    QCOMPARE(entries.GetCapacity(), 101);
}

void RecordArrayTest::setAtGrowFillsWithEmptyElements()
{
    EnvelopeFormatArray envelopes;
    EnvelopeFormat format;
    format.width = 22.0f;
    format.label = "DL";
    envelopes.SetAtGrow(3, format);
    QCOMPARE(envelopes.GetSize(), 4);
    QCOMPARE(envelopes.GetCapacity(), 4);
    for (int i = 0; i < 3; ++i) {
        QVERIFY(envelopes.GetAt(i).label.empty());
        QCOMPARE(envelopes.GetAt(i).width, 0.0f);
        QCOMPARE(envelopes.GetAt(i).senderTop, 0.0f);
    }
    QCOMPARE(envelopes.GetAt(3).width, 22.0f);
    envelopes.SetAtGrow(1, format);
    QCOMPARE(envelopes.GetSize(), 4);
    QCOMPARE(envelopes.FindByLabel("DL"), 1);

    // Appending an element of the array itself while the block moves.
    envelopes.Append(envelopes.ElementAt(3));
    QCOMPARE(envelopes.GetAt(4).width, 22.0f);
}

void RecordArrayTest::elementsAreValues()
{
    AddressEntryArray entries;
    AddressEntry source = entry("Doma", "Jan\r\nPraha");
    entries.Append(source);
    source.text = "changed";
    AddressEntry copy = entries.GetAt(0);
    copy.text = "copy changed";
    QCOMPARE(entries.GetAt(0).text, std::string("Jan\r\nPraha"));
    entries.SetAt(0, entry("Doma", "in place"));
    QCOMPARE(entries.GetAt(0).text, std::string("in place"));

    // The bytes stay put while the list grows past its blocks and moves as a whole.
    const std::string longText(100000, 'x');
    for (int i = 0; i < 3000; ++i)
        entries.Append(
            entry(std::to_string(i), i == 1000 ? longText : std::string(40, 'a' + i % 26)));
    const AddressEntryArray moved = std::move(entries);
    QCOMPARE(moved.GetSize(), 3001);
    QCOMPARE(moved.ElementAt(0).text, std::string_view("in place"));
    QCOMPARE(moved.ElementAt(1001).text, std::string_view(longText));
    QCOMPARE(moved.ElementAt(3000).label, std::string_view("2999"));
    QCOMPARE(moved.ElementAt(3000).text, std::string_view(std::string(40, 'a' + 2999 % 26)));
}

void RecordArrayTest::findByLabel_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<int>("index");
    QTest::newRow("first") << QByteArray("Firma") << 0;
    QTest::newRow("later") << QByteArray("Doma") << 2;
    QTest::newRow("letter case differs") << QByteArray("firma") << -1;
    QTest::newRow("trailing blank") << QByteArray("Firma ") << -1;
    QTest::newRow("empty key finds empty label") << QByteArray("") << 1;
    QTest::newRow("code page bytes") << QByteArray("\x8A\xE8") << 3;
    QTest::newRow("prefix only") << QByteArray("Dom") << -1;
}

void RecordArrayTest::findByLabel()
{
    QFETCH(QByteArray, key);
    QFETCH(int, index);
    AddressEntryArray entries;
    QCOMPARE(entries.FindByLabel(key.toStdString()), -1);
    for (const char *label : {"Firma", "", "Doma", "\x8A\xE8"})
        entries.Append(entry(label));
    QCOMPARE(entries.FindByLabel(key.toStdString()), index);
}

void RecordArrayTest::duplicatesAndRemoveAt()
{
    AddressEntryArray entries;
    entries.Append(entry("Jan", "first"));
    entries.Append(entry("Petr"));
    entries.Append(entry("Jan", "second"));
    QCOMPARE(entries.FindByLabel("Jan"), 0);
    entries.RemoveAt(entries.FindByLabel("Jan"));
    QCOMPARE(entries.FindByLabel("Jan"), 1);
    QCOMPARE(entries.GetAt(1).text, std::string("second"));
}

void RecordArrayTest::removeKeepsOrderAndCapacity()
{
    AddressEntryArray entries;
    for (const char *label : {"a", "b", "c", "d", "e", "f"})
        entries.Append(entry(label));
    const int capacity = entries.GetCapacity();
    entries.RemoveAt(5);
    entries.RemoveAt(1);
    QCOMPARE(entries.GetSize(), 4);
    QCOMPARE(entries.GetCapacity(), capacity);
    std::string order;
    for (int i = 0; i < entries.GetSize(); ++i)
        order += entries.GetAt(i).label;
    QCOMPARE(order, std::string("acde"));

    AddressEntryArray single;
    single.Append(entry("only"));
    single.RemoveAt(0);
    QCOMPARE(single.GetSize(), 0);
    QCOMPARE(single.GetCapacity(), 1);
    single.Append(entry("next"));
    single.Append(entry("after"));
    QCOMPARE(single.GetCapacity(), 5);
}

QTEST_GUILESS_MAIN(RecordArrayTest)
#include "RecordArrayTest.moc"
