// The selection combos over their collection's sorted list: order, searches and changes.
#include "CAutoComboBox.h"
#include "LabelCollation.h"
#include "RecordListModel.h"
#include "Texts.h"

#include <QLineEdit>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

const QString none = QStringLiteral("<Žádný>");

// A collection and its list, as the view has them.
struct Lists
{
    AddressEntryArray entries;
    AddressListModel model;

    Lists(const QStringList &labels, const QString &extraRow) : model(entries, extraRow)
    {
        for (const QString &label : labels)
            entries.Append({std::string(), cp1250(label)});
        model.reload();
    }

    QStringList rows() const
    {
        QStringList texts;
        for (int row = 0; row < model.rowCount(); ++row)
            texts << model.textAt(row);
        return texts;
    }

    template <typename Match> int firstRow(Match match) const
    {
        const QStringList texts = rows();
        const auto it = std::find_if(texts.begin(), texts.end(), match);
        return it == texts.end() ? -1 : int(it - texts.begin());
    }
};

// Where the order and the beginnings of labels part ways: "ch" after "h", accents, marks
// that weigh nothing, "l·" as one letter, case, digits and symbols.
const QStringList tricky{"Hrubý",  "chata",   "Cyril",  "Čech",    "CH-model", "Chalupa",
                         "coop",   "co-op",   "Dana",   "O'Neil",  "Ondra",    "Praha",
                         "Mach",   "Madl",    "Mahler", "praha 2", "PRAHA",    "Přerov",
                         "Gal·la", "Galerie", "céna",   "Cena",    "1. máj",   "-x"};

} // namespace

class SortedComboTest : public QObject
{
    Q_OBJECT

private slots:
    void orderIsTheCollatorsOrder()
    {
        // Labels made of the pieces where Czech order is subtle, checked against the
        // collator itself; half of them begin alike for longer than a sort step reads.
        const QStringList pieces{"a", "A", "á", "c", "C", "h", "H", "ch", "č", "Č", "e", "é",
                                 "ě", "l", "·", "-", "'", " ", "1", "<",  "Ž", "ř", "r", "s",
                                 "š", "ß", "o", "ó", "x", "y", "ý", "I",  "í", "ĺ", "ł", "ä"};
        QRandomGenerator random(11);
        QStringList labels;
        for (int i = 0; i < 3000; ++i) {
            QString label = i % 2 ? QStringLiteral("Nováková-Dlouhá Čeňka ") : QString();
            for (int n = int(random.bounded(1, 6)); n > 0; --n)
                label += pieces[int(random.bounded(qsizetype(pieces.size())))];
            labels << label;
        }
        // Most loaded at once, a few added one by one, then many at once: each way of
        // placing entries keeps the order.
        Lists lists(labels.first(2400), none);
        for (const QString &label : labels.sliced(2400, 10))
            lists.model.Append({std::string(), cp1250(label)});
        for (const QString &label : labels.sliced(2410))
            lists.entries.Append({std::string(), cp1250(label)});
        lists.model.entriesAppended(2410);
        QStringList expected = labels + QStringList{none};
        std::stable_sort(expected.begin(), expected.end(), [](const QString &a, const QString &b) {
            return LabelCollation::compare(a, b) < 0;
        });
        QCOMPARE(lists.rows(), expected);
    }

    void searches_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("prefixFound");
        QTest::addColumn<QString>("exactFound");
        QTest::newRow("c before č and ch") << "c"
                                           << "Cena"
                                           << "";
        QTest::newRow("accent is no letter") << "cé"
                                             << "céna"
                                             << "";
        QTest::newRow("ch after h") << "ch"
                                    << "Chalupa"
                                    << "";
        QTest::newRow("only as ch") << "mac"
                                    << "Mach"
                                    << "";
        QTest::newRow("ch in capitals") << "CH-"
                                        << "CH-model"
                                        << "";
        QTest::newRow("fewer marks first") << "co"
                                           << "coop"
                                           << "";
        QTest::newRow("mark typed") << "co-"
                                    << "co-op"
                                    << "";
        QTest::newRow("apostrophe") << "o'n"
                                    << "O'Neil"
                                    << "";
        QTest::newRow("case ignored") << "PRA"
                                      << "Praha"
                                      << "";
        QTest::newRow("exact, first of equals") << "PRAHA"
                                                << "Praha"
                                                << "Praha";
        QTest::newRow("exact, longer") << "praha 2"
                                       << "praha 2"
                                       << "praha 2";
        QTest::newRow("diacritics") << "PŘE"
                                    << "Přerov"
                                    << "";
        QTest::newRow("l· joined") << "gal·"
                                   << "Gal·la"
                                   << "";
        QTest::newRow("l or l·") << "gal"
                                 << ""
                                 << "";
        QTest::newRow("none") << "<ž" << none << "";
        QTest::newRow("digit") << "1"
                               << "1. máj"
                               << "";
        QTest::newRow("mark first") << "-"
                                    << "-x"
                                    << "";
        QTest::newRow("not found") << "Brno"
                                   << ""
                                   << "";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
        QTest::newRow("outside code page") << "Жук"
                                           << ""
                                           << "";
    }

    void searches()
    {
        QFETCH(QString, text);
        QFETCH(QString, prefixFound);
        QFETCH(QString, exactFound);
        const Lists lists(tricky, none);
        // From the top, ignoring case, as the combo box's own searches.
        const int prefix = text.isEmpty() ? -1 : lists.firstRow([&](const QString &item) {
            return item.startsWith(text, Qt::CaseInsensitive);
        });
        const int exact = lists.firstRow(
            [&](const QString &item) { return item.compare(text, Qt::CaseInsensitive) == 0; });
        QCOMPARE(lists.model.findPrefix(text), prefix);
        QCOMPARE(lists.model.findExact(text), exact);
        if (!prefixFound.isEmpty())
            QCOMPARE(lists.model.textAt(prefix), prefixFound);
        QCOMPARE(exact < 0 ? QString() : lists.model.textAt(exact), exactFound);
    }

    void comboFollowsChanges_data()
    {
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QString>("extraRow");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("selectedAfter");
        const QStringList names{"Zora", "Jan", "Adam", "Jana"};
        QTest::newRow("added after equals, selection kept")
            << QStringList{"Praha", "Brno"} << none << "Brno"
            << "PRAHA"
            << "" << QStringList{none, "Brno", "Praha", "PRAHA"} << "Brno";
        QTest::newRow("added to a list without selection") << QStringList{} << ""
                                                           << ""
                                                           << "DL"
                                                           << "" << QStringList{"DL"} << "";
        QTest::newRow("removed selected")
            << names << none << "Jan"
            << ""
            << "Jan" << QStringList{none, "Adam", "Jana", "Zora"} << "Jana";
        QTest::newRow("removed selected last")
            << names << none << "Zora"
            << ""
            << "Zora" << QStringList{none, "Adam", "Jan", "Jana"} << "Jana";
        QTest::newRow("removed another")
            << names << none << "Jana"
            << ""
            << "Adam" << QStringList{none, "Jan", "Jana", "Zora"} << "Jana";
        QTest::newRow("removed the only one") << QStringList{"DL"} << ""
                                              << "DL"
                                              << ""
                                              << "DL" << QStringList{} << "";
    }

    void comboFollowsChanges()
    {
        QFETCH(QStringList, labels);
        QFETCH(QString, extraRow);
        QFETCH(QString, selected);
        QFETCH(QString, added);
        QFETCH(QString, removed);
        QFETCH(QStringList, shown);
        QFETCH(QString, selectedAfter);
        Lists lists(labels, extraRow);
        CAutoComboBox combo(CAutoComboBox::Kind::SortedEditable);
        combo.setLabelModel(&lists.model);
        combo.setCurrentIndex(lists.model.findExact(selected));
        if (!added.isEmpty())
            lists.model.Append({std::string(), cp1250(added)});
        if (!removed.isEmpty())
            lists.model.removeEntry(lists.entries.FindByLabel(cp1250(removed)));
        QCOMPARE(lists.rows(), shown);
        QCOMPARE(lists.entries.GetSize(),
                 int(labels.size() + !added.isEmpty() - !removed.isEmpty()));
        QCOMPARE(combo.currentIndex() < 0 ? QString() : combo.currentText(), selectedAfter);
        QCOMPARE(combo.lineEdit()->text(), selectedAfter);
    }
};

QTEST_MAIN(SortedComboTest)
#include "SortedComboTest.moc"
