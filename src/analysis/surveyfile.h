// The sunshine file "Export.csv": an empty first line, then one line per
// daylight step, "date HH:MM;azimuth;elevation", in the user's locale (French:
// 21/06/2026 12:00;184,0;64,4), 8-bit text, CR LF line ends.
//
// A survey never destroys the file it replaces: the lines go to a temporary
// file beside it, which takes the file's place in one step when the survey is
// closed (also after a stop by the user). A kill, a crash or a full disk
// leaves the previous file whole.
#pragma once

#include "astro/solarposition.h"
#include "common/civildate.h"

#include <QByteArray>
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

// The file itself.
class SurveyFile : public SurveyLineWriter
{
public:
    // EachLine: every line is written to the file as soon as it is made (the
    // window). Batched: whole lines are gathered and written some 64 KiB at a
    // time (scripts, where only the finished file matters).
    enum class Writing { EachLine, Batched };
    // Why the file could not be written.
    enum class Failure {
        None,
        // The file or its folder cannot be written: protected, a folder in
        // its place, being written by another survey, or any other refusal of
        // the system.
        Refused,
        // No room left: the disk or the user's quota is full (ENOSPC,
        // EDQUOT), or the file size limit is reached (EFBIG).
        DiskFull,
    };

    explicit SurveyFile(const QLocale &locale = QLocale(), Writing writing = Writing::EachLine);
    // A file still open is abandoned: the previous file stays as it was.
    ~SurveyFile() override;
    SurveyFile(const SurveyFile &) = delete;
    SurveyFile &operator=(const SurveyFile &) = delete;

    // Starts a new file for `path` and writes its empty first line. The lines
    // go to `path` + ".part" (temporaryPath), locked while written; a stale
    // one left by a killed survey is taken over and emptied, one that another
    // running survey is writing refuses this one. An existing `path` that is
    // protected or a folder is refused at once. A `path` that exists and is
    // not a regular file (a device such as /dev/null, a pipe) cannot be
    // replaced and is written directly. False when the file cannot be
    // started (failure() and errorString() say why).
    bool create(const QString &path);
    // The same with the file name as the system's bytes, taken as they are
    // (names that are not valid in the locale's encoding included).
    bool create(const QByteArray &nativePath);
    // Writes directly on an already open descriptor (standard output for
    // scripts), which stays open; nothing is replaced.
    bool createOn(int fileDescriptor);
    bool writeLine(const CivilDate &date, double hourUT, const SunPosition &sun) override;
    // Ends the survey. When every write succeeded, writes what is pending,
    // puts it on the disk and replaces the file with it in one step (rename):
    // true. Otherwise, or when that fails, removes the temporary file and
    // leaves the previous file as it was: false.
    bool close();

    Failure failure() const { return failure_; }
    // The system's reason for the failure.
    QString errorString() const { return error_; }
    QString path() const;

    // Where the lines for `nativePath` are written until the survey closes.
    static QByteArray temporaryPath(const QByteArray &nativePath) { return nativePath + ".part"; }

private:
    bool start(int fileDescriptor, bool owned);
    bool writeRaw(const QByteArray &bytes);
    bool flush();
    bool fail(int errorNumber);
    bool fail(Failure failure, const QString &reason);
    void discard();

    int fd_ = -1;
    bool ownsFd_ = false;
    QByteArray path_;      // as given
    QByteArray target_;    // the file replaced (a symbolic link followed)
    QByteArray temporary_; // empty when written directly
    Writing writing_;
    QByteArray pending_;
    Failure failure_ = Failure::None;
    QString error_;
    SurveyLineFormat format_;
};


// Where "Export.csv" goes: the program's folder when it can be written there,
// else the user's Documents folder (an installed program's folder is not the
// user's). A program installed under a prefix (its folder "bin" with
// "share/lumora" beside it) always writes to Documents. The file name is
// always "Export.csv".
QString surveyFilePath(const QString &programFolder);

} // namespace lumora
