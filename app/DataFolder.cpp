#include "DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <cstring>

bool DataFolder::enterIfAsked(int &argc, char **argv)
{
    if (argc < 2)
        return true;
    const auto is = [](const char *text) {
        return [text](const char *argument) { return std::strcmp(argument, text) == 0; };
    };
    char **const end = argv + argc;
    char **const optionsEnd = std::find_if(argv + 1, end, is("--"));
    char **const kept = std::remove_if(argv + 1, optionsEnd, is("--data-folder"));
    if (kept == optionsEnd)
        return true;
    // The rest moves up together with the null pointer that ends argv, so the option never
    // reaches the command-line parser.
    argc = int(std::copy(optionsEnd, end + 1, kept) - argv) - 1;

    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QLatin1String("/tobrel");
    if (QDir().mkpath(folder) && QDir::setCurrent(folder))
        return true;
    std::fprintf(stderr, "%s\n",
                 qPrintable(QCoreApplication::translate(
                                "DataFolder", "Složku se seznamy „%1“ nelze vytvořit ani otevřít.")
                                .arg(QDir::toNativeSeparators(folder))));
    return false;
}
