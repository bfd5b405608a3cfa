#include "analysis/surveyfile.h"

#include "common/formats.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace lumora {

SurveyLineFormat::SurveyLineFormat(const QLocale &locale)
    : locale_(locale), timeSeparator_(timeSeparator(locale))
{
}

QString SurveyLineFormat::line(const QDate &date, double hourUT, const SunPosition &sun)
{
    if (date != lastDate_) {
        lastDate_ = date;
        lastDateText_ = formatShortDate(date, locale_);
    }
    // HH:MM of the time rounded to the nearest second, within the day.
    long long seconds = std::llround(hourUT * 3600.0) % 86400;
    if (seconds < 0)
        seconds += 86400;
    QString text;
    text.reserve(32);
    text += lastDateText_;
    text += u' ';
    text += QString::number(seconds / 3600).rightJustified(2, u'0');
    text += timeSeparator_;
    text += QString::number(seconds / 60 % 60).rightJustified(2, u'0');
    text += u';';
    text += formatNumber(sun.azimuth, kPatternHash_0, locale_);
    text += u';';
    text += formatNumber(sun.elevation, kPattern00_0, locale_);
    return text;
}

SurveyFile::SurveyFile(const QLocale &locale) : format_(locale) {}

bool SurveyFile::create(const QString &path)
{
    file_.close();
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    return writeRaw(QByteArrayLiteral("\r\n"));
}

bool SurveyFile::createOn(int fileDescriptor)
{
    file_.close();
    if (!file_.open(fileDescriptor, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    return writeRaw(QByteArrayLiteral("\r\n"));
}

bool SurveyFile::writeRaw(const QByteArray &bytes)
{
    return file_.isOpen() && file_.write(bytes) == bytes.size();
}

bool SurveyFile::writeLine(const QDate &date, double hourUT, const SunPosition &sun)
{
    QByteArray bytes = format_.line(date, hourUT, sun).toLocal8Bit();
    bytes += "\r\n";
    return writeRaw(bytes);
}

void SurveyFile::close() { file_.close(); }

QString surveyFilePath(const QString &programFolder)
{
    const QFileInfo folder(programFolder);
    const QString inProgramFolder = QDir(programFolder).filePath(QStringLiteral("Export.csv"));
    const QFileInfo existing(inProgramFolder);
    const bool writable = existing.exists() ? existing.isWritable() : (folder.isDir() && folder.isWritable());
    if (writable)
        return inProgramFolder;
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    QDir().mkpath(documents);
    return QDir(documents).filePath(QStringLiteral("Export.csv"));
}

} // namespace lumora
