#include "CMainFrame.h"

#include "AppIcons.h"
#include "PostedEvents.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QScrollArea>
#include <QToolBar>

namespace {
struct MenuItem
{
    const char *text; // nullptr: a separator
    int command;
};

struct Menu
{
    const char *title;
    std::vector<MenuItem> items;
};

struct ToolButton
{
    const char *icon; // nullptr: a separator
    const char *toolTip;
    int command;
};

struct Accelerator
{
    QKeyCombination key;
    int command;
};
} // namespace

CMainFrame::CMainFrame(QWidget *view, CCmdTarget *viewTarget, QWidget *parent)
    : QMainWindow(parent), m_viewTarget(viewTarget)
{
    setWindowIcon(appIcon("tobrel"));
    // A large envelope at a large scale, or on a small screen, scrolls.
    auto *scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("viewScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setWidgetResizable(true);
    scroller->setWidget(view);
    setCentralWidget(scroller);
    CreateMenu();
    CreateToolBar();
    CreateAccelerators();
    SetDocumentTitle(tr("program pro tisk obálek"));
    // Handled after start-up has shown the window, so the frame ends maximized whatever
    // show state it was started with.
    postControlEvent(this, WM_SHOW_MAXIMIZED, nullptr);
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    Q_EMIT closing();
    QMainWindow::closeEvent(event);
}

void CMainFrame::AddCommandTarget(CCmdTarget *target)
{
    m_commandTargets.push_back(target);
}

QAction *CMainFrame::CreateCommandAction(const QString &text, int id, QObject *owner)
{
    auto *action = new QAction(text, owner);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { OnCmdMsg(id); });
    return action;
}

void CMainFrame::CreateMenu()
{
    const Menu menus[] = {
        {QT_TR_NOOP("&Tisk"),
         {{QT_TR_NOOP("Vy&tisknout...\tCtrl+P"), Command::FilePrint},
          {QT_TR_NOOP("Na&stavení tisku..."), Command::FilePrintSetup},
          {nullptr, 0},
          {QT_TR_NOOP("&Písmo pro tisk"), Command::PrintFont}}},
        {QT_TR_NOOP("&Obálka"),
         {{QT_TR_NOOP("&Nová obálka"), Command::NewEnvelope},
          {QT_TR_NOOP("&Upravit obálku"), Command::EditEnvelope},
          {QT_TR_NOOP("&Smazat obálku"), Command::DeleteEntries}}},
        {QT_TR_NOOP("&Adresát"),
         {{QT_TR_NOOP("&Nový adresát"), Command::NewAddressee},
          {QT_TR_NOOP("&Upravit adresáta"), Command::EditAddressee},
          {QT_TR_NOOP("&Smazat adresáta"), Command::DeleteEntries}}},
        {QT_TR_NOOP("O&desílatel"),
         {{QT_TR_NOOP("&Nový odesílatel"), Command::NewSender},
          {QT_TR_NOOP("&Upravit odesílatele"), Command::EditSender},
          {QT_TR_NOOP("&Smazat odesílatele"), Command::DeleteEntries}}},
        {QT_TR_NOOP("Zálo&hování"),
         {{QT_TR_NOOP("&Odesílatelé"), Command::BackupSenders},
          {QT_TR_NOOP("&Adresáti"), Command::BackupAddressees},
          {QT_TR_NOOP("O&bálky"), Command::BackupEnvelopes},
          {nullptr, 0},
          {QT_TR_NOOP("Ob&novit ze zálohy"), Command::RestoreBackup}}},
        {QT_TR_NOOP("&Zobrazit"), {{QT_TR_NOOP("&Panel nástrojů"), Command::ViewToolbar}}},
        {QT_TR_NOOP("Ná&stroje"),
         {{QT_TR_NOOP("&Hromadný tisk…"), Command::BatchPrint},
          {QT_TR_NOOP("&Náhled tisku"), Command::PrintPreviewChecked},
          {nullptr, 0},
          {QT_TR_NOOP("&Importovat adresy…"), Command::ImportAddresses},
          {QT_TR_NOOP("&Exportovat adresy…"), Command::ExportAddresses},
          {nullptr, 0},
          {QT_TR_NOOP("Přidat &standardní formáty obálek"), Command::AddStandardEnvelopes},
          {QT_TR_NOOP("Nastavení &tiskárny pro obálky…"), Command::PrinterFeedSettings}}},
        {QT_TR_NOOP("&Nápověda"), {{QT_TR_NOOP("&O aplikaci"), Command::AppAbout}}},
    };
    for (const Menu &menu : menus) {
        QMenu *popup = menuBar()->addMenu(tr(menu.title));
        for (const MenuItem &item : menu.items) {
            if (!item.text) {
                popup->addSeparator();
                continue;
            }
            QAction *action = CreateCommandAction(tr(item.text), item.command, popup);
            popup->addAction(action);
            if (item.command == Command::ViewToolbar) {
                action->setCheckable(true);
                m_toolbarAction = action;
            }
        }
    }
}

void CMainFrame::CreateToolBar()
{
    const ToolButton buttons[] = {
        {"new_envelope", QT_TR_NOOP("Nová obálka"), Command::NewEnvelope},
        {"edit_envelope", QT_TR_NOOP("Upravit obálku"), Command::EditEnvelope},
        {nullptr, nullptr, 0},
        {"new_addressee", QT_TR_NOOP("Nový adresát"), Command::NewAddressee},
        {"edit_addressee", QT_TR_NOOP("Upravit adresáta"), Command::EditAddressee},
        {nullptr, nullptr, 0},
        {"new_sender", QT_TR_NOOP("Nový odesílatel"), Command::NewSender},
        {"edit_sender", QT_TR_NOOP("Upravit odesílatele"), Command::EditSender},
        {nullptr, nullptr, 0},
        {"delete_entries", QT_TR_NOOP("Smazat obálku, adresáta, odesílatele"),
         Command::DeleteEntries},
        {nullptr, nullptr, 0},
        {"third_field", QT_TR_NOOP("Třetí pole"), Command::ThirdField},
        {"link_third_field", QT_TR_NOOP("Propojit 3. okno s adresátem"), Command::LinkThirdField},
        {nullptr, nullptr, 0},
        {"print_font", QT_TR_NOOP("Písmo pro tisk"), Command::PrintFont},
        {nullptr, nullptr, 0},
        {"print", QT_TR_NOOP("Tisk"), Command::FilePrint},
        {"print_setup", QT_TR_NOOP("Nastavení tisku"), Command::FilePrintSetup},
        {nullptr, nullptr, 0},
        {"about", QT_TR_NOOP("O aplikaci"), Command::AppAbout},
    };

    m_wndToolBar = new QToolBar(tr("Panel nástrojů"), this);
    m_wndToolBar->setObjectName(QStringLiteral("toolbar"));
    m_wndToolBar->setIconSize(QSize(16, 16));
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_wndToolBar->setFloatable(true);
    m_wndToolBar->setMovable(true);
    for (const ToolButton &button : buttons) {
        if (!button.icon) {
            m_wndToolBar->addSeparator();
            continue;
        }
        QAction *action = CreateCommandAction(tr(button.toolTip), button.command, m_wndToolBar);
        action->setIcon(appIcon(button.icon));
        action->setToolTip(tr(button.toolTip));
        // These two show their panel's and link's state as a pressed button.
        if (button.command == Command::ThirdField || button.command == Command::LinkThirdField)
            action->setCheckable(true);
        m_wndToolBar->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    connect(m_wndToolBar, &QToolBar::visibilityChanged, this, &CMainFrame::UpdateToolbarCheck);
    UpdateToolbarCheck();
}

void CMainFrame::CreateAccelerators()
{
    const Accelerator accelerators[] = {
        {Qt::CTRL | Qt::Key_N, Command::FileNew},
        {Qt::CTRL | Qt::Key_O, Command::FileOpen},
        {Qt::CTRL | Qt::Key_P, Command::FilePrint},
        {Qt::CTRL | Qt::Key_S, Command::FileSave},
        {QKeyCombination(Qt::Key_F6), Command::NextPane},
        {Qt::SHIFT | Qt::Key_F6, Command::PrevPane},
    };
    for (const Accelerator &accelerator : accelerators) {
        QAction *action = CreateCommandAction(QString(), accelerator.command, this);
        action->setShortcut(QKeySequence(accelerator.key));
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
}

bool CMainFrame::OnCmdMsg(int id)
{
    bool handled = (m_viewTarget && m_viewTarget->OnCmdMsg(id)) || OnFrameCommand(id);
    for (auto it = m_commandTargets.begin(); !handled && it != m_commandTargets.end(); ++it)
        handled = (*it)->OnCmdMsg(id);
    UpdateCommandUI();
    return handled;
}

bool CMainFrame::OnFrameCommand(int id)
{
    switch (id) {
    case Command::ViewToolbar:
        OnViewToolbar();
        return true;
    case Command::NextPane:
    case Command::PrevPane:
        // There is one pane only.
        return true;
    default:
        return false;
    }
}

void CMainFrame::UpdateCommandUI()
{
    for (QAction *action : m_wndToolBar->actions()) {
        if (!action->isCheckable())
            continue;
        CCmdUI state;
        if (m_viewTarget)
            m_viewTarget->OnUpdateCmdUI(action->data().toInt(), state);
        action->setEnabled(state.enabled);
        action->setChecked(state.checked);
    }
}

void CMainFrame::SetDocumentTitle(const QString &title)
{
    setWindowTitle(tr("Tobrel") + QStringLiteral(" - ") + title);
}

bool CMainFrame::event(QEvent *event)
{
    if (event->type() == WM_SHOW_MAXIMIZED) {
        OnShowMaximized();
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::OnShowMaximized()
{
    showMaximized();
}

void CMainFrame::OnViewToolbar()
{
    m_wndToolBar->setVisible(m_wndToolBar->isHidden());
    UpdateToolbarCheck();
}

void CMainFrame::UpdateToolbarCheck()
{
    m_toolbarAction->setChecked(!m_wndToolBar->isHidden());
}
