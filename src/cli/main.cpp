// lumora-cli: Lumora's computations without the window, for scripts.
#include "cli/commands.h"

#include <QCoreApplication>
#include <cstdio>

namespace {
const char *kUsage =
    "usage: lumora-cli position --date D/M/Y --ut HOURS [--lat LAT] [--lon LON]\n";
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList words = app.arguments().mid(1);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (words.isEmpty()) {
        err << kUsage;
        return 2;
    }
    const QString command = words.takeFirst();
    if (command == QLatin1String("position"))
        return lumora::cli::runPosition(words, out, err);
    if (command == QLatin1String("--help") || command == QLatin1String("help")) {
        out << kUsage;
        return 0;
    }
    err << "lumora-cli: unknown command '" << command << "'\n" << kUsage;
    return 2;
}
