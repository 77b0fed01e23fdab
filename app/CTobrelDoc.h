#pragma once

#include "CommandTarget.h"

#include <QObject>
#include <QString>

class QWidget;

// The document of the one-document window. It holds no data: the lists live in the view.
// It keeps the title shown in the caption and answers Save with an empty file.
class CTobrelDoc : public QObject, public CCmdTarget
{
    Q_OBJECT
public:
    explicit CTobrelDoc(QObject *parent = nullptr);

    // The window that owns the document's dialogs and messages.
    void SetOwnerWindow(QWidget *window);

    QString GetTitle() const { return m_title; }
    QString GetPathName() const { return m_pathName; }

    void OnNewDocument();
    // false (after telling the user) when the file cannot be read.
    bool OnOpenDocument(const QString &path);
    // false (after telling the user) when the file cannot be written.
    bool OnSaveDocument(const QString &path);
    void OnFileSave();

    bool OnCmdMsg(int id) override;

Q_SIGNALS:
    void titleChanged(const QString &title);

private:
    void SetPathName(const QString &path);
    void SetTitle(const QString &title);

    QWidget *m_ownerWindow = nullptr;
    QString m_title;
    QString m_pathName;
};
