// lumora-cli: Lumora's computations without the window, for scripts.
#include "cli/commands.h"
#include "common/language.h"
#include "common/version.h"

#include <QCoreApplication>
#include <QFile>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {
const char *kUsage =
    "usage: lumora-cli position --date D/M/Y --ut HOURS [--lat LAT] [--lon LON] [WINDOW] [--horizon FILE]\n"
    "       lumora-cli survey --date D/M/Y --step 1|10|30|60 [--lat LAT] [--lon LON] [--out FILE]\n"
    "       lumora-cli search --date D/M/Y --ut HOURS WINDOW [--horizon FILE] [--exit] [--lat LAT] [--lon LON]\n"
    "       lumora-cli day --date D/M/Y WINDOW [--horizon FILE] [--lat LAT] [--lon LON]\n"
    "       lumora-cli hours --date D/M/Y [--days N] WINDOW [--horizon FILE] [--lat LAT] [--lon LON] [--out FILE]\n"
    "                  [--zone ZONE]\n"
    "       lumora-cli --help | --version\n"
    "LAT like 49N, 49:00N, 33.5S; LON like 2:20E, 1.5W (default 49:00N 2:20E).\n"
    "WINDOW is --frame HS1,HS2,VS1,VS2 or --window facing=F,tilt=T,width=W,height=H,sill=S,depth=D,\n"
    "distance=L,offset=O,eye=E (degrees and metres; tilt, depth, offset default to 90, 0, 0).\n"
    "--window-name NAME takes the site, WINDOW, skyline and zone of a window kept in Lumora,\n"
    "instead of --lat, --lon, WINDOW and --horizon. ZONE: a zone name such as America/Toronto\n"
    "for the local columns (default: the window's zone, else the computer's).\n";

// A standard descriptor the caller closed is held by /dev/null opened for
// reading: no file opened later takes its number, and writing to it still
// fails, as it should.
void holdClosedStandardDescriptors()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1)
            continue;
        const int held = ::open("/dev/null", O_RDONLY);
        if (held >= 0 && held != fd) {
            ::dup2(held, fd);
            ::close(held);
        }
    }
}

int runCommand(QByteArrayList words, QTextStream &out, QTextStream &err)
{
    if (words.isEmpty()) {
        err << "lumora-cli: missing command (position, survey, search, day or hours); see lumora-cli --help\n";
        return 2;
    }
    const QByteArray command = words.takeFirst();
    if (command == "position")
        return lumora::cli::runPosition(words, out, err);
    if (command == "survey")
        return lumora::cli::runSurvey(words, out, err);
    if (command == "search")
        return lumora::cli::runSearch(words, out, err);
    if (command == "day")
        return lumora::cli::runDay(words, out, err);
    if (command == "hours")
        return lumora::cli::runHours(words, out, err);
    if (command == "--version") {
        out << "lumora-cli " LUMORA_VERSION_STRING "\n";
        return 0;
    }
    if (command == "--help" || command == "help") {
        out << kUsage;
        return 0;
    }
    err << "lumora-cli: unknown command '" << QFile::decodeName(command) << "'; see lumora-cli --help\n";
    return 2;
}
} // namespace

int main(int argc, char *argv[])
{
    holdClosedStandardDescriptors();
    // Past the file size limit a write fails, and the survey says so.
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication app(argc, argv);
    // The tool speaks English, the shared file code's reasons included.
    lumora::setUiLanguage(lumora::UiLanguage::English);
    // The arguments as the bytes given (arguments() would replace bytes that
    // are not valid in the locale's encoding).
    QByteArrayList words;
    for (int i = 1; i < argc; ++i)
        words << QByteArray(argv[i]);

    // Unbuffered, so that a failed write is seen where it happens.
    QFile standardOutput;
    standardOutput.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    QTextStream out(&standardOutput);
    QTextStream err(stderr);
    int status = runCommand(words, out, err);
    out.flush();
    if (out.status() != QTextStream::Ok) {
        err << "lumora-cli: cannot write to standard output: " << standardOutput.errorString() << '\n';
        status = 1;
    }
    return status;
}
