// lumora-cli: Lumora's computations without the window, for scripts.
#include "cli/commands.h"
#include "common/version.h"

#include <QCoreApplication>
#include <cstdio>

namespace {
const char *kUsage =
    "usage: lumora-cli position --date D/M/Y --ut HOURS [--lat LAT] [--lon LON]\n"
    "       lumora-cli survey --date D/M/Y --step 1|10|30|60 [--lat LAT] [--lon LON] [--out FILE]\n"
    "       lumora-cli search --date D/M/Y --ut HOURS --frame HS1,HS2,VS1,VS2 [--exit] [--lat LAT] [--lon LON]\n"
    "       lumora-cli day --date D/M/Y --frame HS1,HS2,VS1,VS2 [--lat LAT] [--lon LON]\n"
    "       lumora-cli --help | --version\n"
    "LAT like 49N, 49:00N, 33.5S; LON like 2:20E, 1.5W (default 49:00N 2:20E).\n";
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList words = app.arguments().mid(1);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (words.isEmpty()) {
        err << "lumora-cli: missing command (position, survey, search or day); see lumora-cli --help\n";
        return 2;
    }
    const QString command = words.takeFirst();
    if (command == QLatin1String("position"))
        return lumora::cli::runPosition(words, out, err);
    if (command == QLatin1String("survey"))
        return lumora::cli::runSurvey(words, out, err);
    if (command == QLatin1String("search"))
        return lumora::cli::runSearch(words, out, err);
    if (command == QLatin1String("day"))
        return lumora::cli::runDay(words, out, err);
    if (command == QLatin1String("--version")) {
        out << "lumora-cli " LUMORA_VERSION_STRING "\n";
        return 0;
    }
    if (command == QLatin1String("--help") || command == QLatin1String("help")) {
        out << kUsage;
        return 0;
    }
    err << "lumora-cli: unknown command '" << command << "'; see lumora-cli --help\n";
    return 2;
}
