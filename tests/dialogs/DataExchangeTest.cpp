#include "DataExchange.h"
#include "Cp1250.h"
#include "MessageRecorder.h"
#include "SortedList.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

namespace {

// A form with one field of each kind, exchanged in this order.
class Form : public QWidget
{
public:
    Form()
        : first(new QLineEdit(this)), second(new QLineEdit(this)), label(new QLineEdit(this)),
          plain(new QPlainTextEdit(this)), rich(new QTextEdit(this)), precise(new QLineEdit(this)),
          list(new QComboBox(this))
    {
        makeSortedList(list);
    }

    void DoDataExchange(CDataExchange &dx)
    {
        dx.number(first, m_first);
        dx.number(second, m_second);
        dx.text(label, m_label);
        dx.text(plain, m_plain);
        dx.text(rich, m_rich);
        dx.number(precise, m_precise);
        dx.selectedText(list, m_selected);
    }

    QLineEdit *first;
    QLineEdit *second;
    QLineEdit *label;
    QPlainTextEdit *plain;
    QTextEdit *rich;
    QLineEdit *precise;
    QComboBox *list;

    float m_first = 1.0f;
    float m_second = 2.0f;
    std::string m_label = "old";
    std::string m_plain = "old plain";
    std::string m_rich = "old rich";
    double m_precise = 3.0;
    std::string m_selected = "old selected";
};

std::string bytes(const char *text)
{
    return std::string(text);
}

} // namespace

class DataExchangeTest : public QObject
{
    Q_OBJECT

private slots:
    void floatsAreShownWithSixDigits_data();
    void floatsAreShownWithSixDigits();
    void doublesAreShownWithFifteenDigits();
    void typedNumbers_data();
    void typedNumbers();
    void failedNumberStopsTheExchange();
    void failedEarlyFieldLeavesEveryLaterMember();
    void loadingNeverFails();
    void textsTravelAsCp1250();
    void unstorableCharactersAreRefusedAndNamed_data();
    void unstorableCharactersAreRefusedAndNamed();
    void multiLineTextsUseCrLf_data();
    void multiLineTextsUseCrLf();
    void selectedTextPrefersTheExactSpelling_data();
    void selectedTextPrefersTheExactSpelling();
    void selectedTextOfAnEmptyListIsEmpty();
};

void DataExchangeTest::floatsAreShownWithSixDigits_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("whole") << 16.0f << "16";
    QTest::newRow("half") << 9.5f << "9.5";
    QTest::newRow("quarter") << 5.75f << "5.75";
    QTest::newRow("negative") << -1.0f << "-1";
    QTest::newRow("tenth") << 0.1f << "0.1";
    QTest::newRow("seven digits") << 1234567.0f << "1.23457e+06";
    QTest::newRow("tiny") << 1e-7f << "1e-07";
}

void DataExchangeTest::floatsAreShownWithSixDigits()
{
    QFETCH(float, value);
    QFETCH(QString, shown);
    Form form;
    form.m_first = value;
    QVERIFY(UpdateData(form, false));
    QCOMPARE(form.first->text(), shown);
}

void DataExchangeTest::doublesAreShownWithFifteenDigits()
{
    Form form;
    form.m_precise = 1.0 / 3.0;
    UpdateData(form, false);
    QCOMPARE(form.precise->text(), QStringLiteral("0.333333333333333"));
}

void DataExchangeTest::typedNumbers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<float>("value");
    QTest::newRow("decimal point") << "12.5" << true << 12.5f;
    QTest::newRow("leading blanks") << " \t7" << true << 7.0f;
    QTest::newRow("trailing blanks") << "7 \t" << true << 7.0f;
    QTest::newRow("zero") << "0" << true << 0.0f;
    QTest::newRow("zero point zero") << "0.0" << true << 0.0f;
    QTest::newRow("negative") << "-2.25" << true << -2.25f;
    QTest::newRow("exponent") << "1e2" << true << 100.0f;
    QTest::newRow("rounded to float") << "0.1" << true << 0.1f;
    QTest::newRow("empty") << "" << false << 0.0f;
    QTest::newRow("letters") << "abc" << false << 0.0f;
    QTest::newRow("decimal comma") << "1,5" << false << 0.0f;
    QTest::newRow("trailing letters") << "3cm" << false << 0.0f;
    QTest::newRow("minus zero") << "-0" << false << 0.0f;
    QTest::newRow("point zero") << ".0" << false << 0.0f;
    QTest::newRow("infinity") << "inf" << false << 0.0f;
    QTest::newRow("not a number") << "nan" << false << 0.0f;
    QTest::newRow("beyond float") << "1e39" << false << 0.0f;
}

void DataExchangeTest::typedNumbers()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(float, value);
    MessageRecorder recorder;
    Form form;
    UpdateData(form, false);
    form.first->setText(typed);

    QCOMPARE(UpdateData(form, true), accepted);
    const QList<RecordedMessage> messages = recorder.take();
    if (accepted) {
        QCOMPARE(form.m_first, value);
        QVERIFY(messages.isEmpty());
    } else {
        QCOMPARE(form.m_first, 1.0f);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0].text, QStringLiteral("Zadejte číslo."));
        QCOMPARE(messages[0].caption, QStringLiteral("Tobrel"));
        QCOMPARE(messages[0].icon, MessageIcon::Exclamation);
        QCOMPARE(messages[0].owner.data(), &form);
    }
}

void DataExchangeTest::failedNumberStopsTheExchange()
{
    MessageRecorder recorder;
    Form form;
    form.list->addItem(QStringLiteral("item"));
    UpdateData(form, false);
    form.first->setText(QStringLiteral("4"));
    form.second->setText(QStringLiteral("x"));
    form.label->setText(QStringLiteral("new"));
    form.plain->setPlainText(QStringLiteral("new plain"));
    form.precise->setText(QStringLiteral("5"));

    QVERIFY(!UpdateData(form, true));
    QCOMPARE(recorder.take().size(), 1);
    QCOMPARE(form.m_first, 4.0f);
    QCOMPARE(form.m_second, 2.0f);
    QCOMPARE(form.m_label, bytes("old"));
    QCOMPARE(form.m_plain, bytes("old plain"));
    QCOMPARE(form.m_precise, 3.0);
    QCOMPARE(form.m_selected, bytes("old selected"));
    QCOMPARE(form.focusWidget(), form.second);
    QCOMPARE(form.second->selectedText(), QStringLiteral("x"));
}

void DataExchangeTest::failedEarlyFieldLeavesEveryLaterMember()
{
    MessageRecorder recorder;
    Form form;
    UpdateData(form, false);
    form.first->clear();
    form.second->setText(QStringLiteral("also bad"));
    QVERIFY(!UpdateData(form, true));
    // One prompt for the first bad field; the second is never looked at.
    QCOMPARE(recorder.take().size(), 1);
    QCOMPARE(form.focusWidget(), form.first);
    QCOMPARE(form.m_second, 2.0f);
}

void DataExchangeTest::loadingNeverFails()
{
    MessageRecorder recorder;
    Form form;
    form.m_label = "\x8a\x9d"; // Šť
    QVERIFY(UpdateData(form, false));
    QVERIFY(recorder.take().isEmpty());
    QCOMPARE(form.first->text(), QStringLiteral("1"));
    QCOMPARE(form.second->text(), QStringLiteral("2"));
    QCOMPARE(form.label->text(), QStringLiteral("Šť"));
    QCOMPARE(form.precise->text(), QStringLiteral("3"));
}

void DataExchangeTest::textsTravelAsCp1250()
{
    Form form;
    UpdateData(form, false);
    form.label->setText(QStringLiteral("Žluťoučký kůň"));
    QVERIFY(UpdateData(form, true));
    QCOMPARE(form.m_label, bytes("\x8elu\x9dou\xe8k\xfd k\xf9\xf2"));
}

void DataExchangeTest::unstorableCharactersAreRefusedAndNamed_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("named");
    QTest::newRow("cyrillic") << QStringLiteral("Иван") << QStringList{"И", "в", "а", "н"};
    QTest::newRow("emoji among czech")
        << QStringLiteral("Petr 😀 Čech") << QStringList{QStringLiteral("😀")};
}

void DataExchangeTest::unstorableCharactersAreRefusedAndNamed()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, named);
    MessageRecorder recorder;
    Form form;
    UpdateData(form, false);
    form.label->setText(typed);
    form.plain->setPlainText(QStringLiteral("new plain"));

    QVERIFY(!UpdateData(form, true));
    QCOMPARE(form.m_label, bytes("old"));
    QCOMPARE(form.m_plain, bytes("old plain"));
    QCOMPARE(form.label->text(), typed);
    QCOMPARE(form.focusWidget(), form.label);
    const QList<RecordedMessage> messages = recorder.take();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].caption, QStringLiteral("Tobrel"));
    for (const QString &character : named)
        QVERIFY2(messages[0].text.contains(character), qPrintable(messages[0].text));
    QVERIFY(!messages[0].text.contains(QStringLiteral("Petr")));
}

void DataExchangeTest::multiLineTextsUseCrLf_data()
{
    QTest::addColumn<bool>("rich");
    QTest::newRow("plain text field") << false;
    QTest::newRow("rich text box") << true;
}

void DataExchangeTest::multiLineTextsUseCrLf()
{
    QFETCH(bool, rich);
    Form form;
    std::string &member = rich ? form.m_rich : form.m_plain;
    auto shown = [&] { return rich ? form.rich->toPlainText() : form.plain->toPlainText(); };

    member = "Jan Nov\xe1k\r\nDlouh\xe1 5\r\n\r\n110\xa0"
             "00 Praha";
    UpdateData(form, false);
    QCOMPARE(shown(), QStringLiteral("Jan Novák\nDlouhá 5\n\n110 00 Praha"));

    member.clear();
    QVERIFY(UpdateData(form, true));
    // The no-break space stays one: code page 1250 has it, and addresses use it.
    QCOMPARE(member, bytes("Jan Nov\xe1k\r\nDlouh\xe1 5\r\n\r\n110\xa0"
                           "00 Praha"));

    if (rich)
        form.rich->setPlainText(QStringLiteral("Жена"));
    else
        form.plain->setPlainText(QStringLiteral("Жена"));
    MessageRecorder recorder;
    QVERIFY(!UpdateData(form, true));
    QCOMPARE(recorder.take().size(), 1);
    QCOMPARE(form.focusWidget(), rich ? static_cast<QWidget *>(form.rich) : form.plain);
}

void DataExchangeTest::selectedTextPrefersTheExactSpelling_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("selected");
    QTest::newRow("lower case") << "novák"
                                << "novák";
    QTest::newRow("capitalised") << "Novák"
                                 << "Novák";
    QTest::newRow("other case only") << "NOVÁKOVÁ"
                                     << "Nováková";
    QTest::newRow("unknown keeps the selection") << "Dvořák"
                                                 << "Svoboda";
}

void DataExchangeTest::selectedTextPrefersTheExactSpelling()
{
    QFETCH(QString, value);
    QFETCH(QString, selected);
    Form form;
    addSortedItems(form.list, {QStringLiteral("novák"), QStringLiteral("Novák"),
                               QStringLiteral("Nováková"), QStringLiteral("Svoboda")});
    form.list->setCurrentIndex(form.list->findText(QStringLiteral("Svoboda")));
    form.m_selected = *toCp1250(value);
    UpdateData(form, false);
    QCOMPARE(form.list->currentText(), selected);

    form.m_selected.clear();
    UpdateData(form, true);
    QCOMPARE(form.m_selected, *toCp1250(selected));
}

void DataExchangeTest::selectedTextOfAnEmptyListIsEmpty()
{
    MessageRecorder recorder;
    Form form;
    UpdateData(form, false);
    QVERIFY(UpdateData(form, true));
    QCOMPARE(form.m_selected, std::string());
}

QTEST_MAIN(DataExchangeTest)
#include "DataExchangeTest.moc"
