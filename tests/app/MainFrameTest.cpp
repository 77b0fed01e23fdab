#include "CAboutDlg.h"
#include "CMainFrame.h"
#include "CommandTarget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {
// Stands in for the view: records the commands it sees and handles a chosen few.
class StubView : public QWidget, public CCmdTarget
{
public:
    QList<int> seen;
    QList<int> handles;
    CCmdUI thirdField{true, false};
    CCmdUI link{false, false};

    bool OnCmdMsg(int id) override
    {
        seen << id;
        return handles.contains(id);
    }
    bool OnUpdateCmdUI(int id, CCmdUI &state) override
    {
        if (id == Command::ThirdField)
            state = thirdField;
        else if (id == Command::LinkThirdField)
            state = link;
        else
            return false;
        return true;
    }
};

class RecordingTarget : public CCmdTarget
{
public:
    QList<int> seen;
    bool OnCmdMsg(int id) override
    {
        seen << id;
        return id == Command::AppAbout || id == Command::FileNew;
    }
};

QAction *toolbarAction(CMainFrame &frame, int command)
{
    for (QAction *action : frame.toolBar()->actions())
        if (action->data().toInt() == command)
            return action;
    return nullptr;
}

void sendKey(QWidget *widget, QKeyCombination key)
{
    QTest::keyClick(widget, key.key(), key.keyboardModifiers());
}
} // namespace

class MainFrameTest : public QObject
{
    Q_OBJECT

private:
    StubView *m_view = nullptr;
    CMainFrame *m_frame = nullptr;
    RecordingTarget m_app;

private slots:
    void init()
    {
        m_view = new StubView;
        m_frame = new CMainFrame(m_view, m_view);
        m_frame->AddCommandTarget(&m_app);
        m_app.seen.clear();
    }

    void cleanup() { delete m_frame; }

    void menuTree()
    {
        // Each top-level menu as "title: item=command, ..."; "-" is a separator.
        const QStringList expected = {
            "&Tisk: Vy&tisknout...\tCtrl+P=57607, Na&stavení tisku...=57606, -, "
            "&Písmo pro tisk=32775",
            "&Obálka: &Nová obálka=32774, &Upravit obálku=32776, &Smazat obálku=32779",
            "&Adresát: &Nový adresát=32772, &Upravit adresáta=32777, &Smazat adresáta=32779",
            "O&desílatel: &Nový odesílatel=32773, &Upravit odesílatele=32778, "
            "&Smazat odesílatele=32779",
            "Zálo&hování: &Odesílatelé=32781, &Adresáti=32782, O&bálky=32783, -, "
            "Ob&novit ze zálohy=32784",
            "&Zobrazit: &Panel nástrojů=59392",
            "Ná&stroje: &Hromadný tisk…=32812, &Náhled tisku=32822, -, &Importovat adresy…=32810, "
            "&Exportovat adresy…=32811, -, Přidat &standardní formáty obálek=32820, "
            "Nastavení &tiskárny pro obálky…=32821",
            "&Nápověda: &O aplikaci=57664",
        };
        QStringList actual;
        // One press of a menu's letter opens or runs one item: no two share it.
        const auto checkLetters = [](const QList<QAction *> &actions) {
            QStringList letters;
            for (const QAction *action : actions)
                if (!action->isSeparator())
                    letters << QKeySequence::mnemonic(action->text()).toString();
            QVERIFY2(!letters.contains(QString()) && letters.removeDuplicates() == 0,
                     qPrintable(letters.join(u' ')));
        };
        checkLetters(m_frame->menuBar()->actions());
        for (QAction *top : m_frame->menuBar()->actions()) {
            QStringList items;
            checkLetters(top->menu()->actions());
            for (QAction *item : top->menu()->actions())
                items << (item->isSeparator()
                              ? QStringLiteral("-")
                              : item->text() + QLatin1Char('=') + item->data().toString());
            actual << top->text() + QStringLiteral(": ") + items.join(QStringLiteral(", "));
        }
        QCOMPARE(actual, expected);
    }

    void toolbarOrder()
    {
        const QStringList expected = {
            "32774 Nová obálka",
            "32776 Upravit obálku",
            "-",
            "32772 Nový adresát",
            "32777 Upravit adresáta",
            "-",
            "32773 Nový odesílatel",
            "32778 Upravit odesílatele",
            "-",
            "32779 Smazat obálku, adresáta, odesílatele",
            "-",
            "32786 Třetí pole",
            "32788 Propojit 3. okno s adresátem",
            "-",
            "32775 Písmo pro tisk",
            "-",
            "57607 Tisk",
            "57606 Nastavení tisku",
            "-",
            "57664 O aplikaci",
        };
        QStringList actual;
        for (QAction *action : m_frame->toolBar()->actions()) {
            if (action->isSeparator()) {
                actual << QStringLiteral("-");
                continue;
            }
            QVERIFY2(!action->icon().pixmap(16, 16).isNull(), qPrintable(action->toolTip()));
            QVERIFY(!action->icon().pixmap(32, 32).isNull());
            actual << action->data().toString() + QLatin1Char(' ') + action->toolTip();
        }
        QCOMPARE(actual, expected);
        QCOMPARE(m_frame->toolBarArea(m_frame->toolBar()), Qt::TopToolBarArea);
        QCOMPARE(m_frame->toolBar()->allowedAreas(), Qt::AllToolBarAreas);
        QVERIFY(m_frame->toolBar()->isMovable());
        QVERIFY(m_frame->toolBar()->isFloatable());
    }

    void noStatusBar() { QVERIFY(!m_frame->findChild<QStatusBar *>()); }

    void captionAndMaximized()
    {
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("Tobrel - program pro tisk obálek"));
        m_frame->SetDocumentTitle(QStringLiteral("dopis.txt"));
        QCOMPARE(m_frame->windowTitle(), QStringLiteral("Tobrel - dopis.txt"));

        // Shown normally first, as start-up does; the posted notice maximizes it.
        m_frame->show();
        QVERIFY(!m_frame->isMaximized());
        QTRY_VERIFY(m_frame->isMaximized());
        auto *scroller = qobject_cast<QScrollArea *>(m_frame->centralWidget());
        QVERIFY(scroller);
        QCOMPARE(scroller->widget(), m_view);
        // Scroll bars only while the view needs more room than the window has.
        QVERIFY(!scroller->horizontalScrollBar()->isVisible());
        m_view->setMinimumSize(m_frame->size() * 2);
        QTRY_VERIFY(scroller->horizontalScrollBar()->isVisible());
        QVERIFY(scroller->verticalScrollBar()->isVisible());
    }

    void toolbarToggle()
    {
        m_frame->show();
        QAction *toggle = m_frame->menuBar()->actions().at(5)->menu()->actions().at(0);
        QVERIFY(toggle->isChecked());
        toggle->trigger();
        QVERIFY(m_frame->toolBar()->isHidden());
        QVERIFY(!toggle->isChecked());
        toggle->trigger();
        QVERIFY(!m_frame->toolBar()->isHidden());
        QVERIFY(toggle->isChecked());
        // Hidden another way (the floating bar's close box), the check follows.
        m_frame->toolBar()->hide();
        QVERIFY(!toggle->isChecked());
    }

    void commandsGoToTheViewFirst()
    {
        m_view->handles = {Command::NewEnvelope, Command::AppAbout};
        toolbarAction(*m_frame, Command::NewEnvelope)->trigger();
        QCOMPARE(m_view->seen, QList<int>{Command::NewEnvelope});
        QVERIFY(m_app.seen.isEmpty());

        // What the view leaves goes on, past the frame, to the application.
        m_view->handles.clear();
        m_view->seen.clear();
        QVERIFY(m_frame->OnCmdMsg(Command::AppAbout));
        QCOMPARE(m_view->seen, QList<int>{Command::AppAbout});
        QCOMPARE(m_app.seen, QList<int>{Command::AppAbout});
        QVERIFY(!m_frame->OnCmdMsg(Command::FilePrintPreview));
    }

    void accelerators_data()
    {
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("reachesTheApplication");
        QTest::newRow("Ctrl+N") << (Qt::CTRL | Qt::Key_N) << Command::FileNew << true;
        QTest::newRow("Ctrl+O") << (Qt::CTRL | Qt::Key_O) << Command::FileOpen << true;
        QTest::newRow("Ctrl+P") << (Qt::CTRL | Qt::Key_P) << Command::FilePrint << true;
        QTest::newRow("Ctrl+S") << (Qt::CTRL | Qt::Key_S) << Command::FileSave << true;
        QTest::newRow("F6") << QKeyCombination(Qt::Key_F6) << Command::NextPane << false;
        QTest::newRow("Shift+F6") << (Qt::SHIFT | Qt::Key_F6) << Command::PrevPane << false;
    }

    void accelerators()
    {
        QFETCH(QKeyCombination, key);
        QFETCH(int, command);
        QFETCH(bool, reachesTheApplication);
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
        m_view->setFocus();
        sendKey(m_view, key);
        QCOMPARE(m_view->seen, QList<int>{command});
        // The frame itself swallows the pane keys: there is one pane only.
        QCOMPARE(m_app.seen, reachesTheApplication ? QList<int>{command} : QList<int>{});
    }

    void thirdFieldButtonsFollowTheView()
    {
        QAction *thirdField = toolbarAction(*m_frame, Command::ThirdField);
        QAction *link = toolbarAction(*m_frame, Command::LinkThirdField);
        m_frame->UpdateCommandUI();
        QVERIFY(thirdField->isEnabled() && !thirdField->isChecked());
        QVERIFY(!link->isEnabled());

        m_view->thirdField.checked = true;
        m_view->link = {true, true};
        m_frame->UpdateCommandUI();
        QVERIFY(thirdField->isChecked());
        QVERIFY(link->isEnabled() && link->isChecked());

        // A click does not toggle the button by itself: the view's state decides.
        m_view->thirdField.checked = false;
        thirdField->trigger();
        QVERIFY(!thirdField->isChecked());
        QCOMPARE(m_view->seen, QList<int>{Command::ThirdField});
    }

    void aboutBox()
    {
        CAboutDlg about;
        QCOMPARE(about.windowTitle(), QStringLiteral("O aplikaci"));
        about.show();
        auto *title = about.findChild<QLabel *>(QStringLiteral("title"));
        auto *icon = about.findChild<QLabel *>(QStringLiteral("icon"));
        QVERIFY(title && icon);
        QVERIFY(title->text().endsWith(QStringLiteral("verze 2.4")));
        QVERIFY(title->text().startsWith(QStringLiteral("Tobrel")));
        QVERIFY(!icon->pixmap().isNull());
        QVERIFY(icon->x() > title->x() + title->width() - 1);
        QVERIFY(icon->y() <= title->y() + 5);
    }

    void aboutBoxCloses_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
        QTest::newRow("close box") << 0;
    }

    void aboutBoxCloses()
    {
        QFETCH(int, key);
        CAboutDlg about;
        QTimer::singleShot(0, this, [&] {
            if (key)
                QTest::keyClick(QApplication::activeModalWidget(), Qt::Key(key));
            else
                about.close();
        });
        about.exec();
        QVERIFY(!about.isVisible());
    }
};

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
