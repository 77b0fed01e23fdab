#include "MessageBox.h"
#include "PostedEvents.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
// Records the posted notices in the order they arrive.
class Receiver : public QWidget
{
public:
    QList<QPair<QEvent::Type, QWidget *>> received;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == WM_COMBO_ENTER || event->type() == WM_EDIT_KEYDOWN ||
            event->type() == WM_SHOW_MAXIMIZED) {
            received.append({event->type(), static_cast<ControlEvent *>(event)->control()});
            return true;
        }
        return QWidget::event(event);
    }
};
} // namespace

class MessageBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        setMessageBoxHandler({});
        setMessageBoxShutdownMode(false);
    }

    void handlerReceivesTheMessage()
    {
        QWidget owner;
        QStringList calls;
        setMessageBoxHandler(
            [&](QWidget *o, const QString &text, const QString &caption, MessageIcon icon) {
                QCOMPARE(o, &owner);
                QCOMPARE(icon, MessageIcon::Information);
                calls << caption + QLatin1Char('|') + text;
            });
        showMessageBox(&owner, QStringLiteral("Obnoveno 3 položek."), QStringLiteral("Obnova"),
                       MessageIcon::Information);
        QCOMPARE(calls, QStringList{QStringLiteral("Obnova|Obnoveno 3 položek.")});
    }

    void realBox_data()
    {
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("boxIcon");
        QTest::newRow("error") << int(MessageIcon::Error) << int(QMessageBox::Critical);
        QTest::newRow("exclamation") << int(MessageIcon::Exclamation) << int(QMessageBox::Warning);
        QTest::newRow("information")
            << int(MessageIcon::Information) << int(QMessageBox::Information);
    }

    void realBox()
    {
        QFETCH(int, icon);
        QFETCH(int, boxIcon);
        QWidget owner;
        owner.show();
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen = true;
            QCOMPARE(box->windowTitle(), QStringLiteral("Chyba"));
            QCOMPARE(box->text(), QStringLiteral("Zadejte název."));
            QCOMPARE(int(box->icon()), boxIcon);
            QCOMPARE(box->parentWidget(), &owner);
            const QList<QAbstractButton *> buttons = box->buttons();
            QCOMPARE(buttons.size(), 1);
            QCOMPARE(box->standardButton(buttons.first()), QMessageBox::Ok);
            buttons.first()->click();
        });
        showMessageBox(&owner, QStringLiteral("Zadejte název."), QStringLiteral("Chyba"),
                       MessageIcon(icon));
        QVERIFY(seen);
    }

    void longTextScrollsWithinTheScreen()
    {
        QString text = QStringLiteral("Adresáti byli úspěšně obnoveni.\n\n");
        for (int i = 0; i < 500; ++i)
            text += QStringLiteral("Příjmení %1\n").arg(i);
        QWidget owner;
        owner.show();
        QString boxText;
        QString shownText;
        int boxHeight = -1;
        int screenHeight = 0;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            boxText = box->text();
            if (const auto *view = box->findChild<QPlainTextEdit *>())
                shownText = view->toPlainText();
            boxHeight = box->frameGeometry().height();
            screenHeight = box->screen()->availableGeometry().height();
            box->buttons().first()->click();
        });
        showMessageBox(&owner, text, QStringLiteral("Obnova adresátů"), MessageIcon::Information);
        QCOMPARE(boxText, text);
        QCOMPARE(shownText, text);
        QVERIFY(boxHeight > 0);
        QVERIFY(boxHeight <= screenHeight);
    }

    void shutdownModeDoesNotBlock()
    {
        setMessageBoxShutdownMode(true);
        bool boxShown = false;
        QTimer::singleShot(0, this, [&] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                boxShown = true;
                modal->close();
            }
        });
        showMessageBox(nullptr, QStringLiteral("Soubor nelze uložit."), QStringLiteral("Chyba"),
                       MessageIcon::Error);
        QTest::qWait(10);
        QVERIFY(!boxShown);
    }

    void postedEventArrivesLaterWithItsControl()
    {
        Receiver receiver;
        QWidget control;
        postControlEvent(&receiver, WM_COMBO_ENTER, &control);
        postControlEvent(&receiver, WM_SHOW_MAXIMIZED, nullptr);
        QVERIFY(receiver.received.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(receiver.received.size(), 2);
        QCOMPARE(receiver.received[0].first, WM_COMBO_ENTER);
        QCOMPARE(receiver.received[0].second, &control);
        QCOMPARE(receiver.received[1].first, WM_SHOW_MAXIMIZED);
        QCOMPARE(receiver.received[1].second, nullptr);
    }

    void postedEventForgetsADeletedControl()
    {
        Receiver receiver;
        auto *control = new QWidget;
        postControlEvent(&receiver, WM_EDIT_KEYDOWN, control);
        delete control;
        QCoreApplication::processEvents();
        QCOMPARE(receiver.received.size(), 1);
        QCOMPARE(receiver.received[0].second, nullptr);
    }
};

QTEST_MAIN(MessageBoxTest)
#include "MessageBoxTest.moc"
