// The sunshine file "Export.csv": an empty first line, then one line per
// daylight step, "date HH:MM;azimuth;elevation", in the user's locale (French:
// 21/06/2026 12:00;184,0;64,4), 8-bit text, CR LF line ends. Each line reaches
// the file with its own write, so a survey stopped or killed midway leaves
// only whole lines; a line that fails half written (disk full) is cut off.
#pragma once

#include "astro/solarposition.h"

#include <QDate>
#include <QFile>
#include <QLocale>
#include <QString>
#include <memory>

namespace lumora {

// Builds the lines. Keeps the locale's separators and the last date's text,
// since a survey writes hundreds of thousands of lines.
class SurveyLineFormat
{
public:
    explicit SurveyLineFormat(const QLocale &locale = QLocale());
    // date: the UT date surveyed; hourUT: the UT hour of the step (rounded to
    // the nearest second, reduced into the day); sun: its azimuth ("###.0")
    // and elevation ("00.0").
    QString line(const QDate &date, double hourUT, const SunPosition &sun);
    // The same line in the system's 8-bit encoding, appended to `out`.
    void appendLine(QByteArray &out, const QDate &date, double hourUT, const SunPosition &sun);

private:
    void appendNumber(QByteArray &out, double value, int minIntegerDigits);
    QLocale locale_;
    QByteArray timeSeparator_;
    QByteArray decimalPoint_;
    QDate lastDate_;
    QByteArray lastDateText_;
};

// Where survey lines go.
class SurveyLineWriter
{
public:
    virtual ~SurveyLineWriter() = default;
    // False when the line could not be written.
    virtual bool writeLine(const QDate &date, double hourUT, const SunPosition &sun) = 0;
};

// The file itself.
class SurveyFile : public SurveyLineWriter
{
public:
    // EachLine: every line is written to the file as soon as it is made (the
    // window). Batched: whole lines are gathered and written some 64 KiB at a
    // time (scripts, where only the finished file matters).
    enum class Writing { EachLine, Batched };
    explicit SurveyFile(const QLocale &locale = QLocale(), Writing writing = Writing::EachLine);
    // Creates or empties the file and writes the empty first line. False when
    // it cannot (errorString() says why).
    bool create(const QString &path);
    // The same on an already open descriptor (standard output for scripts).
    bool createOn(int fileDescriptor);
    bool writeLine(const QDate &date, double hourUT, const SunPosition &sun) override;
    // Writes what is pending and closes; false when the pending lines could
    // not be written.
    bool close();
    QString errorString() const { return error_.isEmpty() ? file_.errorString() : error_; }
    QString path() const { return file_.fileName(); }

private:
    bool writeRaw(const QByteArray &bytes);
    bool flush();
    QFile file_;
    Writing writing_;
    QByteArray pending_;
    qint64 whole_ = 0; // bytes of whole lines written
    QString error_;    // why the last write failed, when Qt could not tell
    SurveyLineFormat format_;
};

// Where "Export.csv" goes: the program's folder when it can be written there,
// else the user's Documents folder (an installed program's folder is not the
// user's). The file name is always "Export.csv".
QString surveyFilePath(const QString &programFolder);

} // namespace lumora
