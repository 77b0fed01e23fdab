#include "CTobrelDoc.h"

#include "Archive.h"
#include "CommonDialogs.h"
#include "MessageBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

CTobrelDoc::CTobrelDoc(QObject *parent) : QObject(parent), m_title(tr("program pro tisk obálek")) {}

void CTobrelDoc::SetOwnerWindow(QWidget *window)
{
    m_ownerWindow = window;
}

void CTobrelDoc::OnNewDocument()
{
    m_pathName.clear();
    SetTitle(tr("program pro tisk obálek"));
}

bool CTobrelDoc::OnOpenDocument(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        showMessageBox(m_ownerWindow,
                       tr("Soubor „%1“ nelze otevřít.").arg(QDir::toNativeSeparators(path)),
                       applicationCaption(), MessageIcon::Error);
        return false;
    }
    SetPathName(path);
    return true;
}

bool CTobrelDoc::OnSaveDocument(const QString &path)
{
    // The document holds nothing, so the saved file is empty.
    QString why;
    if (!writeFileSafely(path, QByteArrayView(), &why)) {
        showMessageBox(m_ownerWindow,
                       tr("Soubor „%1“ nelze uložit.").arg(QDir::toNativeSeparators(path)) +
                           QLatin1Char('\n') + tr("Důvod: %1").arg(why),
                       applicationCaption(), MessageIcon::Error);
        return false;
    }
    SetPathName(path);
    return true;
}

void CTobrelDoc::OnFileSave()
{
    // Always asks: saving straight over an opened file would empty it, since the document
    // holds nothing.
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.title = tr("Uložit jako");
    request.directory =
        m_pathName.isEmpty() ? QDir::currentPath() : QFileInfo(m_pathName).absolutePath();
    request.defaultName = m_pathName.isEmpty() ? m_title : QFileInfo(m_pathName).fileName();
    request.filter = tr("Všechny soubory (*.*)") + QStringLiteral("|*||");
    if (const auto path = runFileDialog(m_ownerWindow, request))
        OnSaveDocument(*path);
}

bool CTobrelDoc::OnCmdMsg(int id)
{
    if (id != Command::FileSave)
        return false;
    OnFileSave();
    return true;
}

void CTobrelDoc::SetPathName(const QString &path)
{
    m_pathName = QFileInfo(path).absoluteFilePath();
    SetTitle(QFileInfo(path).fileName());
}

void CTobrelDoc::SetTitle(const QString &title)
{
    m_title = title;
    Q_EMIT titleChanged(m_title);
}
