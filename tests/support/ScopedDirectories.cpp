#include "ScopedDirectories.h"

#include <QDir>
#include <QFile>

ScopedCurrentDirectory::ScopedCurrentDirectory() : m_previous(QDir::currentPath())
{
    QDir::setCurrent(m_dir.path());
}

ScopedCurrentDirectory::~ScopedCurrentDirectory()
{
    QDir::setCurrent(m_previous);
}

ScopedConfigHome::ScopedConfigHome()
    : m_wasSet(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")), m_previous(qgetenv("XDG_CONFIG_HOME"))
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
}

ScopedConfigHome::~ScopedConfigHome()
{
    if (m_wasSet)
        qputenv("XDG_CONFIG_HOME", m_previous);
    else
        qunsetenv("XDG_CONFIG_HOME");
}
