// The sunshine file "Export.csv": an empty first line, then one line per
// daylight step, "date HH:MM;azimuth;elevation", in the user's locale (French:
// 21/06/2026 12:00;184,0;64,4), 8-bit text, CR LF line ends.
//
// A survey never destroys the file it replaces: the lines go to a temporary
// file beside it, which takes the file's place in one step when the survey is
// closed (also after a stop by the user). A kill, a crash or a full disk
// leaves the previous file whole.
#pragma once

#include "analysis/replacedfile.h"
#include "astro/solarposition.h"
#include "common/civildate.h"

#include <QByteArray>
#include <QFile>
#include <QLocale>
#include <QString>
#include <optional>

namespace lumora {

// Builds the lines. Keeps the locale's separators and the last date's text,
// since a survey writes hundreds of thousands of lines.
class SurveyLineFormat
{
public:
    explicit SurveyLineFormat(const QLocale &locale = QLocale());
    // date: the UT date surveyed, written as the locale's short date (see
    // formatShortDate: the year's own number, at least four digits); hourUT:
    // the UT hour of the step (rounded to the nearest second, reduced into the
    // day); sun: its azimuth ("###.0") and elevation ("00.0").
    QString line(const CivilDate &date, double hourUT, const SunPosition &sun);
    // The same line in the system's 8-bit encoding, appended to `out`.
    void appendLine(QByteArray &out, const CivilDate &date, double hourUT, const SunPosition &sun);

private:
    void appendNumber(QByteArray &out, double value, int minIntegerDigits);
    QLocale locale_;
    QByteArray timeSeparator_;
    QByteArray decimalPoint_;
    std::optional<CivilDate> lastDate_;
    QByteArray lastDateText_;
};

// Where survey lines go.
class SurveyLineWriter
{
public:
    virtual ~SurveyLineWriter() = default;
    // False when the line could not be written.
    virtual bool writeLine(const CivilDate &date, double hourUT, const SunPosition &sun) = 0;
};

// The file itself, replaced in one step when the survey is closed (see
// ReplacedFile).
class SurveyFile : public SurveyLineWriter
{
public:
    // EachLine: every line is written to the file as soon as it is made (the
    // window). Batched: whole lines are gathered and written some 64 KiB at a
    // time (scripts, where only the finished file matters).
    enum class Writing { EachLine, Batched };
    using Failure = ReplacedFile::Failure;

    explicit SurveyFile(const QLocale &locale = QLocale(), Writing writing = Writing::EachLine);

    // Starts a new file for `path` and writes its empty first line; see
    // ReplacedFile::create for where the lines go until the survey closes and
    // which files are refused. False when the file cannot be started
    // (failure() and errorString() say why).
    bool create(const QString &path) { return create(QFile::encodeName(path)); }
    bool create(const QByteArray &nativePath);
    // Writes directly on an already open descriptor (standard output for
    // scripts), which stays open; nothing is replaced.
    bool createOn(int fileDescriptor);
    bool writeLine(const CivilDate &date, double hourUT, const SunPosition &sun) override;
    // Ends the survey: see ReplacedFile::close.
    bool close() { return file_.close(); }

    Failure failure() const { return file_.failure(); }
    QString errorString() const { return file_.errorString(); }
    QString path() const { return file_.path(); }

    static QByteArray temporaryPath(const QByteArray &nativePath) { return ReplacedFile::temporaryPath(nativePath); }

private:
    bool writeFirstLine(bool started);

    ReplacedFile file_;
    SurveyLineFormat format_;
    QByteArray line_;
};


// Where "Export.csv" goes: the program's folder when it can be written there,
// else the user's Documents folder (an installed program's folder is not the
// user's). A program installed under a prefix (its folder "bin" with
// "share/lumora" beside it) always writes to Documents. The file name is
// always "Export.csv".
QString surveyFilePath(const QString &programFolder);

} // namespace lumora
