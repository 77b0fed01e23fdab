#include "SortedList.h"

#include <QComboBox>
#include <QTest>

// Lists of 100,000 labels: filling, inserting one more, searching, opening the list.
class SortedListBenchmark : public QObject
{
    Q_OBJECT

private:
    static QStringList labels(int count)
    {
        QStringList texts;
        texts.reserve(count);
        for (int i = 0; i < count; ++i)
            texts << QStringLiteral("Příjmení %1 Čeněk").arg((i * 7919) % count);
        return texts;
    }

private slots:
    void fill100000()
    {
        const QStringList texts = labels(100000);
        QBENCHMARK
        {
            QComboBox combo;
            makeSortedList(&combo);
            addSortedItems(&combo, texts);
        }
    }

    void addOneTo100000()
    {
        QComboBox combo;
        makeSortedList(&combo);
        addSortedItems(&combo, labels(100000));
        QBENCHMARK
        {
            addSortedItem(&combo, QStringLiteral("Příjmení 50000 Nový"));
        }
    }

    void findLastOf100000()
    {
        QComboBox combo;
        makeSortedList(&combo);
        addSortedItems(&combo, labels(100000));
        const QString last = combo.itemText(combo.count() - 1);
        QBENCHMARK
        {
            findStringExact(&combo, last);
        }
    }

    void showPopupOf100000_data()
    {
        QTest::addColumn<bool>("editable");
        QTest::newRow("editable") << true;
        QTest::newRow("drop-down list") << false;
    }

    void showPopupOf100000()
    {
        QFETCH(bool, editable);
        QComboBox combo;
        combo.setEditable(editable);
        makeSortedList(&combo);
        addSortedItems(&combo, labels(100000));
        combo.show();
        QBENCHMARK
        {
            combo.showPopup();
            combo.hidePopup();
        }
    }
};

QTEST_MAIN(SortedListBenchmark)
#include "SortedListBenchmark.moc"
