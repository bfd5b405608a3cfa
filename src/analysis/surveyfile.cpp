#include "analysis/surveyfile.h"

#include "common/formats.h"

#include <QDir>
#include <cerrno>
#include <cmath>
#include <QFileInfo>
#include <QStandardPaths>

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

void SurveyLineFormat::appendLine(QByteArray &out, const QDate &date, double hourUT, const SunPosition &sun)
{
    if (date != lastDate_) {
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

QString SurveyLineFormat::line(const QDate &date, double hourUT, const SunPosition &sun)
{
    QByteArray bytes;
    appendLine(bytes, date, hourUT, sun);
    return QString::fromLocal8Bit(bytes);
}

SurveyFile::SurveyFile(const QLocale &locale, Writing writing) : writing_(writing), format_(locale) {}

bool SurveyFile::create(const QString &path)
{
    file_.close();
    file_.setFileName(path);
    whole_ = 0;
    error_.clear();
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    return writeRaw(QByteArrayLiteral("\r\n"));
}

bool SurveyFile::createOn(int fileDescriptor)
{
    file_.close();
    whole_ = 0;
    error_.clear();
    if (!file_.open(fileDescriptor, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    return writeRaw(QByteArrayLiteral("\r\n"));
}

bool SurveyFile::writeRaw(const QByteArray &bytes)
{
    if (!file_.isOpen())
        return false;
    errno = 0;
    if (file_.write(bytes) == bytes.size()) {
        whole_ += bytes.size();
        return true;
    }
    // A short write leaves Qt without a reason; the system's is the one to show.
    const int reason = errno;
    error_ = reason != 0 ? qt_error_string(reason) : file_.errorString();
    // Keep the lines already written, without the broken one.
    if (!file_.isSequential())
        file_.resize(whole_);
    return false;
}

bool SurveyFile::writeLine(const QDate &date, double hourUT, const SunPosition &sun)
{
    if (!file_.isOpen())
        return false;
    format_.appendLine(pending_, date, hourUT, sun);
    pending_ += "\r\n";
    if (writing_ == Writing::EachLine || pending_.size() >= 64 * 1024)
        return flush();
    return true;
}

bool SurveyFile::flush()
{
    if (pending_.isEmpty())
        return true;
    const bool written = writeRaw(pending_);
    pending_.resize(0); // keeps the buffer for the next lines
    return written;
}

bool SurveyFile::close()
{
    const bool written = flush();
    file_.close();
    return written;
}

QString surveyFilePath(const QString &programFolder)
{
    const QFileInfo folder(programFolder);
    const QString inProgramFolder = QDir(programFolder).filePath(QStringLiteral("Export.csv"));
    // Only the folder decides: a file there that cannot be written (held by
    // a spreadsheet) is reported to the user, who can close it.
    if (folder.isDir() && folder.isWritable())
        return inProgramFolder;
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    QDir().mkpath(documents);
    return QDir(documents).filePath(QStringLiteral("Export.csv"));
}

} // namespace lumora
