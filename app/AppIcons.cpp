#include "AppIcons.h"

#include <QString>

#include <mutex>

// Outside any namespace, as Q_INIT_RESOURCE requires. The resource lives in a static
// library, and nothing else would pull it into the link.
static void initIconResources()
{
    Q_INIT_RESOURCE(resources);
}

QIcon appIcon(const char *name)
{
    static std::once_flag once;
    std::call_once(once, initIconResources);
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}
