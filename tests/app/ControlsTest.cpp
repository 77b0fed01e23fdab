#include "CAutoComboBox.h"
#include "CContextRichEdit.h"
#include "CommandTarget.h"
#include "PostedEvents.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

namespace {
// The parent of the controls: records each notice with what the control showed when the
// notice arrived.
class Parent : public QWidget
{
public:
    struct Notice
    {
        QEvent::Type type;
        QWidget *control;
        QString textThen;
    };
    QList<Notice> notices;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() != WM_COMBO_ENTER && event->type() != WM_EDIT_KEYDOWN)
            return QWidget::event(event);
        QWidget *control = static_cast<ControlEvent *>(event)->control();
        QString text;
        if (auto *edit = qobject_cast<QTextEdit *>(control))
            text = edit->toPlainText();
        else if (auto *combo = qobject_cast<QComboBox *>(control))
            text = combo->currentText();
        notices.append({event->type(), control, text});
        return true;
    }
};

// QTest::keyClicks knows ASCII only.
void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QStringList cities()
{
    return {QStringLiteral("Brno"), QStringLiteral("Praha"), QStringLiteral("Přerov"),
            QStringLiteral("Plzeň")};
}
} // namespace

class ControlsTest : public QObject
{
    Q_OBJECT

private:
    Parent *m_parent = nullptr;
    CAutoComboBox *m_first = nullptr;
    CAutoComboBox *m_second = nullptr;

private slots:
    void init()
    {
        m_parent = new Parent;
        m_first = new CAutoComboBox(CAutoComboBox::Kind::SortedEditable, m_parent);
        m_second = new CAutoComboBox(CAutoComboBox::Kind::SortedEditable, m_parent);
        for (const QString &city : cities()) {
            m_first->addItem(city);
            m_second->addItem(city);
        }
        m_first->setCurrentIndex(-1);
        m_second->setCurrentIndex(-1);
        m_parent->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_parent));
        // Forget what an earlier case typed.
        m_first->OnEditChange(QStringLiteral("-"));
    }

    void cleanup()
    {
        delete m_parent;
        m_parent = nullptr;
    }

    void comboHasNoBuiltInCompletion()
    {
        QVERIFY(m_first->isEditable());
        QVERIFY(!m_first->completer());
        QCOMPARE(m_first->insertPolicy(), QComboBox::NoInsert);
        QVERIFY(qobject_cast<CComboEnterEdit *>(m_first->lineEdit()));
    }

    void typingCompletesWithTheTailSelected_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("selected");
        QTest::newRow("Pr") << QStringLiteral("Pr") << QStringLiteral("Praha")
                            << QStringLiteral("aha");
        QTest::newRow("lower case")
            << QStringLiteral("pr") << QStringLiteral("Praha") << QStringLiteral("aha");
        QTest::newRow("diacritics")
            << QStringLiteral("pře") << QStringLiteral("Přerov") << QStringLiteral("rov");
        QTest::newRow("whole item")
            << QStringLiteral("brno") << QStringLiteral("Brno") << QString();
        QTest::newRow("no match") << QStringLiteral("Ostr") << QStringLiteral("Ostr") << QString();
    }

    void typingCompletesWithTheTailSelected()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, selected);
        type(m_first->lineEdit(), typed);
        QCOMPARE(m_first->currentText(), shown);
        QCOMPARE(m_first->lineEdit()->selectedText(), selected);
        // Completion neither selects an item nor tells the parent.
        QCOMPARE(m_first->currentIndex(), -1);
        QCoreApplication::processEvents();
        QVERIFY(m_parent->notices.isEmpty());
    }

    void backspaceKeepsTheBeginning()
    {
        QTest::keyClicks(m_first->lineEdit(), QStringLiteral("Pr"));
        QCOMPARE(m_first->currentText(), QStringLiteral("Praha"));
        QTest::keyClick(m_first->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(m_first->currentText(), QStringLiteral("Pr"));
        QVERIFY(!m_first->lineEdit()->hasSelectedText());
        // Once another text was seen, the beginning completes again.
        QTest::keyClick(m_first->lineEdit(), Qt::Key_Z);
        QCOMPARE(m_first->currentText(), QStringLiteral("Prz"));
        QTest::keyClick(m_first->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(m_first->currentText(), QStringLiteral("Praha"));
        QCOMPARE(m_first->lineEdit()->selectedText(), QStringLiteral("aha"));
    }

    void leavingTheFieldPicksNothing()
    {
        QSignalSpy activations(m_first, &QComboBox::activated);
        m_first->lineEdit()->setFocus();
        type(m_first->lineEdit(), QStringLiteral("brno"));
        QCOMPARE(m_first->currentText(), QStringLiteral("Brno"));
        m_second->lineEdit()->setFocus();
        QTRY_VERIFY(m_second->lineEdit()->hasFocus());
        QCOMPARE(m_first->currentIndex(), -1);
        QCOMPARE(activations.count(), 0);
    }

    void lastSeenTextIsShared()
    {
        QTest::keyClicks(m_first->lineEdit(), QStringLiteral("Pl"));
        QCOMPARE(m_first->currentText(), QStringLiteral("Plzeň"));
        // The same text right afterwards in another combo box does not complete.
        m_second->lineEdit()->setText(QStringLiteral("P"));
        type(m_second->lineEdit(), QStringLiteral("l"));
        QCOMPARE(m_second->currentText(), QStringLiteral("Pl"));
        // Another text there completes as usual.
        type(m_second->lineEdit(), QStringLiteral("z"));
        QCOMPARE(m_second->currentText(), QStringLiteral("Plzeň"));
    }

    void enterGoesToTheParentWithTheCombo()
    {
        QTest::keyClicks(m_second->lineEdit(), QStringLiteral("Br"));
        QTest::keyClick(m_second->lineEdit(), Qt::Key_Return);
        // Posted twice: once to the combo box, once from there to its parent.
        QVERIFY(m_parent->notices.isEmpty());
        QTRY_COMPARE(m_parent->notices.size(), 1);
        QCOMPARE(m_parent->notices[0].type, WM_COMBO_ENTER);
        QCOMPARE(m_parent->notices[0].control, m_second);
        QCOMPARE(m_parent->notices[0].textThen, QStringLiteral("Brno"));
        // The parent applies the text; the combo box picks nothing itself.
        QCOMPARE(m_second->currentIndex(), -1);

        QTest::keyClick(m_second->lineEdit(), Qt::Key_Enter, Qt::KeypadModifier);
        QTRY_COMPARE(m_parent->notices.size(), 2);
    }

    void dropDownListPostsNothing()
    {
        auto *scale = new CAutoComboBox(CAutoComboBox::Kind::DropDownList, m_parent);
        scale->addItems({QStringLiteral("1:1"), QStringLiteral("1:2")});
        QVERIFY(!scale->isEditable());
        QTest::keyClick(scale, Qt::Key_Return);
        QTest::keyClick(scale, Qt::Key_Down);
        QTest::qWait(20);
        QVERIFY(m_parent->notices.isEmpty());
    }

    void wheelTurnsOnlyTheFocusedCombo()
    {
        m_first->setCurrentIndex(1);
        m_second->setCurrentIndex(1);
        QSignalSpy activations(m_first, &QComboBox::activated);
        const auto turn = [](QComboBox *combo) {
            const QPointF at = combo->rect().center();
            QWheelEvent wheel(at, combo->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(combo, &wheel);
        };
        m_second->setFocus();
        QTRY_VERIFY(m_second->hasFocus());
        turn(m_first);
        QCOMPARE(m_first->currentIndex(), 1);
        QCOMPARE(activations.count(), 0);
        m_first->setFocus();
        QTRY_VERIFY(m_first->hasFocus());
        turn(m_first);
        QCOMPARE(m_first->currentIndex(), 2);
        QCOMPARE(activations.count(), 1);
    }

    void keyNoticeComesAfterTheKey()
    {
        auto *edit = new CContextRichEdit(m_parent);
        edit->show();
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("ab"));
        QCOMPARE(m_parent->notices.size(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(m_parent->notices.size(), 2);
        QCOMPARE(m_parent->notices[0].type, WM_EDIT_KEYDOWN);
        QCOMPARE(m_parent->notices[0].control, edit);
        // Both notices are handled after both keys; the text already holds them.
        QCOMPARE(m_parent->notices[1].textThen, QStringLiteral("ab"));

        m_parent->notices.clear();
        QTest::keyClick(edit, Qt::Key_C);
        QCoreApplication::processEvents();
        QCOMPARE(m_parent->notices.size(), 1);
        QCOMPARE(m_parent->notices[0].textThen, QStringLiteral("abc"));
    }

    void everyKeyPressGivesANotice()
    {
        auto *edit = new CContextRichEdit(m_parent);
        edit->show();
        edit->setFocus();
        // A held key: one press per auto-repeat, and keys that change no text.
        for (int i = 0; i < 3; ++i) {
            QKeyEvent repeat(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"),
                             i > 0);
            QApplication::sendEvent(edit, &repeat);
        }
        QTest::keyClick(edit, Qt::Key_Left);
        QTest::keyPress(edit, Qt::Key_Shift);
        QCoreApplication::processEvents();
        QCOMPARE(m_parent->notices.size(), 5);
        QCOMPARE(edit->toPlainText(), QStringLiteral("xxx"));

        // A letter composed from a dead key comes from the input method, not as a key press.
        m_parent->notices.clear();
        QInputMethodEvent composed;
        composed.setCommitString(QStringLiteral("Ř"));
        QApplication::sendEvent(edit, &composed);
        QCoreApplication::processEvents();
        QCOMPARE(m_parent->notices.size(), 1);
        QCOMPARE(m_parent->notices[0].textThen, QStringLiteral("xxŘx"));
    }

    void pasteWithoutAKeySendsNoNotice()
    {
        auto *edit = new CContextRichEdit(m_parent);
        QApplication::clipboard()->setText(QStringLiteral("Ulice 1"));
        edit->OnEditPaste();
        QCoreApplication::processEvents();
        QCOMPARE(edit->toPlainText(), QStringLiteral("Ulice 1"));
        QVERIFY(m_parent->notices.isEmpty());
    }

    void contextMenuOffersCutCopyPaste()
    {
        auto *edit = new CContextRichEdit(m_parent);
        edit->resize(200, 100);
        edit->show();
        edit->setPlainText(QStringLiteral("Nádražní 5"));
        QApplication::clipboard()->setText(QStringLiteral("Praha "));
        QTextCursor cursor = edit->textCursor();
        cursor.movePosition(QTextCursor::Start);
        edit->setTextCursor(cursor);

        const QPoint local(30, 20);
        const QPoint global = edit->viewport()->mapToGlobal(local);
        QStringList texts;
        QList<int> commands;
        QPoint menuPosition;
        QTimer::singleShot(0, this, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            menuPosition = menu->pos();
            for (QAction *action : menu->actions()) {
                texts << action->text();
                commands << action->data().toInt();
                QVERIFY(action->isEnabled());
                QVERIFY(!action->isChecked());
            }
            menu->actions().at(2)->trigger();
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, local, global);
        QApplication::sendEvent(edit->viewport(), &event);

        QCOMPARE(texts, (QStringList{QStringLiteral("&Vyjmout"), QStringLiteral("&Kopírovat"),
                                     QStringLiteral("V&ložit")}));
        QCOMPARE(commands, (QList<int>{Command::EditCut, Command::EditCopy, Command::EditPaste}));
        QCOMPARE(menuPosition, global);
        QCOMPARE(edit->toPlainText(), QStringLiteral("Praha Nádražní 5"));
    }

    void cutAndCopyGoThroughTheClipboard()
    {
        auto *edit = new CContextRichEdit(m_parent);
        edit->setPlainText(QStringLiteral("Jan Novák"));
        edit->selectAll();
        edit->OnEditCopy();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Jan Novák"));
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(4);
        cursor.setPosition(9, QTextCursor::KeepAnchor);
        edit->setTextCursor(cursor);
        edit->OnEditCut();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Novák"));
        QCOMPARE(edit->toPlainText(), QStringLiteral("Jan "));
    }
};

QTEST_MAIN(ControlsTest)
#include "ControlsTest.moc"
