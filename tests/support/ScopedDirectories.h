#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A new temporary directory that is the current directory for as long as this lives; the
// stores are read and written there.
class ScopedCurrentDirectory
{
public:
    ScopedCurrentDirectory();
    ~ScopedCurrentDirectory();
    ScopedCurrentDirectory(const ScopedCurrentDirectory &) = delete;
    ScopedCurrentDirectory &operator=(const ScopedCurrentDirectory &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// XDG_CONFIG_HOME, where the profile files live, points at a new temporary directory for
// as long as this lives.
class ScopedConfigHome
{
public:
    ScopedConfigHome();
    ~ScopedConfigHome();
    ScopedConfigHome(const ScopedConfigHome &) = delete;
    ScopedConfigHome &operator=(const ScopedConfigHome &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    bool m_wasSet;
    QByteArray m_previous;
};
