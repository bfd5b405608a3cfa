#include "analysis/surveyfile.h"

#include "common/formats.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cmath>

namespace lumora {

SurveyLineFormat::SurveyLineFormat(const QLocale &locale)
    : locale_(locale), timeSeparator_(timeSeparator(locale).toLocal8Bit()),
      decimalPoint_(locale.decimalPoint().toLocal8Bit())
{
}

namespace {
void appendTwoDigits(QByteArray &out, long long value)
{
    out += char('0' + value / 10 % 10);
    out += char('0' + value % 10);
}
} // namespace

void SurveyLineFormat::appendNumber(QByteArray &out, double value, int minIntegerDigits)
{
    // One decimal: "###.0" for the azimuth, "00.0" for the elevation.
    unsigned long long units = 0;
    if (!std::isfinite(value) || !roundedUnits(std::fabs(value), 1, units)) {
        out += formatNumber(value, {minIntegerDigits, 1}, locale_).toLocal8Bit();
        return;
    }
    if (value < 0 && units != 0)
        out += '-';
    char digits[24];
    int n = 0;
    for (unsigned long long whole = units / 10; whole != 0; whole /= 10)
        digits[n++] = char('0' + whole % 10);
    for (int i = n; i < minIntegerDigits; ++i)
        out += '0';
    while (n > 0)
        out += digits[--n];
    out += decimalPoint_;
    out += char('0' + units % 10);
}

void SurveyLineFormat::appendLine(QByteArray &out, const CivilDate &date, double hourUT, const SunPosition &sun)
{
    if (!lastDate_ || date != *lastDate_) {
        lastDate_ = date;
        lastDateText_ = formatShortDate(date, locale_).toLocal8Bit();
    }
    // HH:MM of the time rounded to the nearest second, within the day.
    long long seconds = std::llround(hourUT * 3600.0) % 86400;
    if (seconds < 0)
        seconds += 86400;
    out += lastDateText_;
    out += ' ';
    appendTwoDigits(out, seconds / 3600);
    out += timeSeparator_;
    appendTwoDigits(out, seconds / 60 % 60);
    out += ';';
    appendNumber(out, sun.azimuth, 0);
    out += ';';
    appendNumber(out, sun.elevation, 2);
}

QString SurveyLineFormat::line(const CivilDate &date, double hourUT, const SunPosition &sun)
{
    QByteArray bytes;
    appendLine(bytes, date, hourUT, sun);
    return QString::fromLocal8Bit(bytes);
}

SurveyFile::SurveyFile(const QLocale &locale, Writing writing)
    : file_(writing == Writing::EachLine ? ReplacedFile::Writing::EachWrite : ReplacedFile::Writing::Batched),
      format_(locale)
{
}

bool SurveyFile::writeFirstLine(bool started)
{
    // The file opens with an empty line.
    if (started && file_.write(QByteArrayLiteral("\r\n")))
        return true;
    file_.close();
    return false;
}

bool SurveyFile::create(const QByteArray &nativePath) { return writeFirstLine(file_.create(nativePath)); }

bool SurveyFile::createOn(int fileDescriptor) { return writeFirstLine(file_.createOn(fileDescriptor)); }

bool SurveyFile::writeLine(const CivilDate &date, double hourUT, const SunPosition &sun)
{
    line_.resize(0);
    format_.appendLine(line_, date, hourUT, sun);
    line_ += "\r\n";
    return file_.write(line_);
}

QString surveyFilePath(const QString &programFolder)
{
    const QFileInfo folder(programFolder);
    const QString inProgramFolder = QDir(programFolder).filePath(QStringLiteral("Export.csv"));
    // An installed program (bin/ beside share/lumora/) never writes into the
    // system's folders, even for a user who could (root). Otherwise only the
    // folder decides: a file there that cannot be written (held by a
    // spreadsheet) is reported to the user, who can close it.
    const bool installed = folder.fileName() == u"bin"
        && QFileInfo(QDir(programFolder).filePath(QStringLiteral("../share/lumora"))).isDir();
    if (!installed && folder.isDir() && folder.isWritable())
        return inProgramFolder;
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    QDir().mkpath(documents);
    return QDir(documents).filePath(QStringLiteral("Export.csv"));
}

} // namespace lumora
