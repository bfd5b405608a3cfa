// The sunshine file "Export.csv": an empty first line, then one line per
// daylight step, "date HH:MM;azimuth;elevation", in the user's locale (French:
// 21/06/2026 12:00;184,0;64,4), 8-bit text, CR LF line ends. Each line reaches
// the file with its own write, so a survey stopped or killed midway leaves
// only whole lines.
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

private:
    QLocale locale_;
    QString timeSeparator_;
    QDate lastDate_;
    QString lastDateText_;
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
    explicit SurveyFile(const QLocale &locale = QLocale());
    // Creates or empties the file and writes the empty first line. False when
    // it cannot (errorString() says why).
    bool create(const QString &path);
    // The same on an already open descriptor (standard output for scripts).
    bool createOn(int fileDescriptor);
    bool writeLine(const QDate &date, double hourUT, const SunPosition &sun) override;
    void close();
    QString errorString() const { return file_.errorString(); }
    QString path() const { return file_.fileName(); }

private:
    bool writeRaw(const QByteArray &bytes);
    QFile file_;
    SurveyLineFormat format_;
};

// Where "Export.csv" goes: the program's folder when it can be written there,
// else the user's Documents folder (an installed program's folder is not the
// user's). The file name is always "Export.csv".
QString surveyFilePath(const QString &programFolder);

} // namespace lumora
