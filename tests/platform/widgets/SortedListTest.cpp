#include "SortedList.h"
#include "Texts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

class SortedListTest : public QObject
{
    Q_OBJECT

private slots:
    void order_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("none before digits")
            << QStringLiteral("<Žádný>") << QStringLiteral("1. máj");
        QTest::newRow("none before letters") << QStringLiteral("<Žádný>") << QStringLiteral("Adam");
        QTest::newRow("digits before letters") << QStringLiteral("9") << QStringLiteral("a");
        QTest::newRow("ch after h") << QStringLiteral("Hrubý") << QStringLiteral("Chalupa");
        QTest::newRow("č after c") << QStringLiteral("Cyril") << QStringLiteral("Čech");
        QTest::newRow("ř after r") << QStringLiteral("Rys") << QStringLiteral("Řehoř");
        QTest::newRow("case ignored") << QStringLiteral("adam") << QStringLiteral("Bára");
        QTest::newRow("capital not first") << QStringLiteral("bára") << QStringLiteral("Cyril");
        QTest::newRow("hyphen weighs nothing") << QStringLiteral("ab") << QStringLiteral("a-c");
        QTest::newRow("apostrophe weighs nothing")
            << QStringLiteral("Ondra") << QStringLiteral("O'Neil");
        QTest::newRow("mark breaks a tie") << QStringLiteral("coop") << QStringLiteral("co-op");
    }

    void order()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QVERIFY(labelLess(first, second));
        QVERIFY(!labelLess(second, first));
        // Filling a list at once sorts by the same rule.
        QComboBox combo;
        makeSortedList(&combo);
        addSortedItems(&combo, {second, first});
        QCOMPARE(comboItems(&combo), (QStringList{first, second}));
    }

    void differentCaseIsEqual()
    {
        QVERIFY(!labelLess(QStringLiteral("Praha"), QStringLiteral("praha")));
        QVERIFY(!labelLess(QStringLiteral("praha"), QStringLiteral("Praha")));
    }

    void addSortedItemInsertsAtItsPlace()
    {
        QComboBox combo;
        makeSortedList(&combo);
        QCOMPARE(addSortedItem(&combo, QStringLiteral("Hrubý")), 0);
        QCOMPARE(addSortedItem(&combo, QStringLiteral("Chalupa")), 1);
        QCOMPARE(addSortedItem(&combo, QStringLiteral("<Žádný>")), 0);
        QCOMPARE(addSortedItem(&combo, QStringLiteral("adam")), 1);
        QCOMPARE(addSortedItem(&combo, QStringLiteral("Adam")), 2);
        QCOMPARE(comboItems(&combo), (QStringList{"<Žádný>", "adam", "Adam", "Hrubý", "Chalupa"}));
    }

    void addSortedItemKeepsNoSelection()
    {
        // A list without a selection gets none from a new item, editable or not.
        for (const bool editable : {false, true}) {
            QComboBox combo;
            combo.setEditable(editable);
            makeSortedList(&combo);
            QSignalSpy changes(&combo, &QComboBox::currentIndexChanged);
            addSortedItem(&combo, QStringLiteral("Brno"));
            QCOMPARE(combo.currentIndex(), -1);
            QCOMPARE(combo.currentText(), QString());
            QCOMPARE(changes.count(), 0);

            combo.setCurrentIndex(0);
            addSortedItem(&combo, QStringLiteral("Aš"));
            QCOMPARE(combo.currentText(), QStringLiteral("Brno"));
        }
    }

    void addSortedItemsMergesAndKeepsTheCurrentItem()
    {
        QComboBox combo;
        combo.setEditable(true);
        makeSortedList(&combo);
        addSortedItems(&combo, {QStringLiteral("Brno"), QStringLiteral("Ostrava")});
        combo.setCurrentIndex(1);
        combo.lineEdit()->setText(QStringLiteral("Ost"));
        QSignalSpy indexChanges(&combo, &QComboBox::currentIndexChanged);

        addSortedItems(&combo,
                       {QStringLiteral("Zlín"), QStringLiteral("Cheb"), QStringLiteral("Aš")});

        QCOMPARE(comboItems(&combo), (QStringList{"Aš", "Brno", "Cheb", "Ostrava", "Zlín"}));
        QCOMPARE(combo.currentText(), QStringLiteral("Ost"));
        QCOMPARE(combo.currentIndex(), 3);
        QCOMPARE(indexChanges.count(), 0);
    }

    void addSortedItemsKeepsDuplicatesInOrderOfArrival()
    {
        QComboBox combo;
        makeSortedList(&combo);
        addSortedItems(&combo,
                       {QStringLiteral("praha"), QStringLiteral("Praha"), QStringLiteral("PRAHA")});
        QCOMPARE(comboItems(&combo), (QStringList{"praha", "Praha", "PRAHA"}));
    }

    void find_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("prefix");
        QTest::addColumn<int>("exact");
        QTest::addColumn<int>("exactCase");
        // The list: "<Žádný>", "Praha", "praha 2", "PRAHA", "Přerov"
        QTest::newRow("prefix ignores case") << QStringLiteral("pr") << 1 << -1 << -1;
        QTest::newRow("whole item") << QStringLiteral("PRAHA") << 1 << 1 << 3;
        QTest::newRow("exact lower case") << QStringLiteral("praha") << 1 << 1 << 1;
        QTest::newRow("longer prefix") << QStringLiteral("praha ") << 2 << -1 << -1;
        QTest::newRow("diacritics matter") << QStringLiteral("pře") << 4 << -1 << -1;
        QTest::newRow("capital diacritics") << QStringLiteral("PŘEROV") << 4 << 4 << 4;
        QTest::newRow("none") << QStringLiteral("<ž") << 0 << -1 << -1;
        QTest::newRow("not found") << QStringLiteral("Brno") << -1 << -1 << -1;
        QTest::newRow("empty finds nothing") << QString() << -1 << -1 << -1;
    }

    void find()
    {
        QFETCH(QString, text);
        QFETCH(int, prefix);
        QFETCH(int, exact);
        QFETCH(int, exactCase);
        QComboBox combo;
        makeSortedList(&combo);
        // Unsorted on purpose: the searches go from the top, whatever the order.
        combo.addItems({"<Žádný>", "Praha", "praha 2", "PRAHA", "Přerov"});
        QCOMPARE(findStringPrefix(&combo, text), prefix);
        QCOMPARE(findStringExact(&combo, text), exact);
        QCOMPARE(findStringExactCase(&combo, text), exactCase);
    }

    void findWorksOnAPlainModel()
    {
        QComboBox combo;
        combo.addItems({"Alfa", "Beta"});
        QCOMPARE(findStringPrefix(&combo, QStringLiteral("b")), 1);
        QCOMPARE(findStringExact(&combo, QStringLiteral("ALFA")), 0);
    }
};

QTEST_MAIN(SortedListTest)
#include "SortedListTest.moc"
