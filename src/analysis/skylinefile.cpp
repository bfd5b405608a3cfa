// Skyline files: the two-column list, the PVGIS horizon CSV and Stellarium's
// polygonal horizon list read; the two-column list written.
#include "analysis/skylinefile.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <cmath>

namespace lumora {

namespace {
std::optional<double> number(QString text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok); // C locale: "." decimals only
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A line's two numbers, or nullopt. `pvgis`: the first two of its columns.
std::optional<SkyPoint> pointOfLine(const QString &line, bool pvgis)
{
    QStringList fields;
    if (pvgis)
        fields = line.split(QRegularExpression(QStringLiteral("[\\s;,]+")), Qt::SkipEmptyParts);
    else if (line.contains(QLatin1Char(';')))
        fields = line.split(QLatin1Char(';')).replaceInStrings(QStringLiteral(","), QStringLiteral("."));
    else if (line.contains(QLatin1Char(',')))
        fields = line.split(QLatin1Char(','));
    else
        fields = line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (pvgis ? fields.size() < 2 : fields.size() != 2)
        return std::nullopt;
    const auto azimuth = number(fields[0]), elevation = number(fields[1]);
    if (!azimuth || !elevation)
        return std::nullopt;
    return SkyPoint{*azimuth, *elevation};
}

struct Line {
    int number; // 1-based
    QString text;
};

SkylineRead failure(const QString &message) { return {std::nullopt, message}; }

// Points collected with the line each came from; a repeated azimuth (360
// after 0, PVGIS' 180 after −180) with the same elevation is dropped.
class Collector
{
public:
    std::optional<QString> add(SkyPoint point, int line)
    {
        if (std::fabs(point.elevation) > 90)
            return QCoreApplication::translate("SkylineFile", "Ligne %1 : l'élévation %2° n'est pas comprise entre -90° et 90°.").arg(line).arg(point.elevation);
        point.azimuth = std::fmod(point.azimuth, 360.0);
        if (point.azimuth < 0)
            point.azimuth += 360;
        if (point.azimuth >= 360)
            point.azimuth = 0;
        for (const SkyPoint &earlier : points_)
            if (earlier.azimuth == point.azimuth) {
                if (earlier.elevation == point.elevation)
                    return std::nullopt;
                return QCoreApplication::translate("SkylineFile", "Ligne %1 : l'azimut %2° est déjà donné avec une autre élévation.").arg(line).arg(point.azimuth);
            }
        points_.push_back(point);
        return std::nullopt;
    }
    SkylineRead finish(const QString &whenEmpty) const
    {
        if (points_.empty())
            return failure(whenEmpty);
        return {Skyline::fromPoints(points_), {}};
    }

private:
    std::vector<SkyPoint> points_;
};

QString notAPoint(const Line &line)
{
    return QCoreApplication::translate("SkylineFile", "Ligne %1 : « %2 » n'est pas un point (azimut et élévation en degrés).")
        .arg(line.number)
        .arg(line.text.left(60));
}

SkylineRead parsePvgis(const std::vector<Line> &lines, size_t header)
{
    Collector points;
    for (size_t i = header + 1; i < lines.size(); ++i) {
        const auto point = pointOfLine(lines[i].text, true);
        if (!point) {
            if (lines[i].text.trimmed().isEmpty() && i == header + 1)
                continue;
            break; // the legend after the rows
        }
        // PVGIS counts from south, positive to the west.
        if (auto error = points.add({point->azimuth + 180, point->elevation}, lines[i].number))
            return failure(*error);
    }
    return points.finish(QCoreApplication::translate("SkylineFile", "Ligne %1 : aucune ligne de valeurs sous l'en-tête.").arg(lines[header].number));
}
} // namespace

SkylineRead parseSkyline(const QByteArray &content)
{
    std::vector<Line> lines;
    {
        const QString text = QString::fromUtf8(content);
        const QStringList split = text.split(QRegularExpression(QStringLiteral("\\r\\n|\\r|\\n")));
        for (qsizetype i = 0; i < split.size(); ++i)
            lines.push_back({int(i + 1), split[i]});
    }
    // The PVGIS horizon CSV: its header names the columns A and H_hor.
    static const QRegularExpression pvgisHeader(QStringLiteral("^\\s*A[\\s;,]+H_hor(\\s|[;,]|$)"));
    for (size_t i = 0; i < lines.size(); ++i)
        if (pvgisHeader.match(lines[i].text).hasMatch())
            return parsePvgis(lines, i);

    // Stellarium's rotation, in a comment or on a line of its own.
    static const QRegularExpression rotation(QStringLiteral("^\\s*#?\\s*polygonal_angle_rotatez\\s*=\\s*(\\S+)\\s*$"));
    double rotateBy = 0;
    Collector points;
    bool headerAllowed = true;
    for (const Line &line : lines) {
        const QRegularExpressionMatch rotationMatch = rotation.match(line.text);
        if (rotationMatch.hasMatch()) {
            const auto angle = number(rotationMatch.captured(1));
            if (!angle)
                return failure(notAPoint(line));
            rotateBy = *angle;
            continue;
        }
        const QString trimmed = line.text.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        const QString data = trimmed.section(QLatin1Char('#'), 0, 0).trimmed();
        const auto point = pointOfLine(data, false);
        if (!point) {
            // A header: the first line, if it does not start with a number.
            if (headerAllowed && !number(data.section(QRegularExpression(QStringLiteral("[;,\\s]")), 0, 0))) {
                headerAllowed = false;
                continue;
            }
            return failure(notAPoint(line));
        }
        headerAllowed = false;
        if (auto error = points.add(*point, line.number))
            return failure(*error);
    }
    SkylineRead read = points.finish(QCoreApplication::translate("SkylineFile", "Aucun point d'horizon dans ce fichier."));
    if (read.skyline && rotateBy != 0) {
        std::vector<SkyPoint> turned = read.skyline->points();
        for (SkyPoint &point : turned)
            point.azimuth += rotateBy;
        read.skyline = Skyline::fromPoints(turned);
        if (!read.skyline)
            read.error = QCoreApplication::translate("SkylineFile", "Aucun point d'horizon dans ce fichier.");
    }
    return read;
}

SkylineRead readSkylineFile(const QString &path)
{
    QFile file(path);
    constexpr qint64 kMaxBytes = 16 * 1024 * 1024;
    if (!file.open(QIODevice::ReadOnly))
        return failure(QCoreApplication::translate("SkylineFile", "Impossible de lire le fichier %1.").arg(path));
    if (file.size() > kMaxBytes)
        return failure(QCoreApplication::translate("SkylineFile", "Le fichier %1 est trop gros pour un horizon.").arg(path));
    const QByteArray content = file.read(kMaxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return failure(QCoreApplication::translate("SkylineFile", "Impossible de lire le fichier %1.").arg(path));
    return parseSkyline(content);
}

namespace {
QString shortest(double value) { return QString::number(value, 'g', QLocale::FloatingPointShortest); }
} // namespace

QByteArray skylineCsv(const Skyline &skyline)
{
    QByteArray csv = "azimuth;elevation\n";
    for (const SkyPoint &point : skyline.points())
        csv += (shortest(point.azimuth) + QLatin1Char(';') + shortest(point.elevation) + QLatin1Char('\n')).toUtf8();
    return csv;
}

QString skylineSettingsText(const Skyline &skyline)
{
    QStringList parts;
    for (const SkyPoint &point : skyline.points())
        parts << shortest(point.azimuth) + QLatin1Char(':') + shortest(point.elevation);
    return parts.join(QLatin1Char(' '));
}

std::optional<Skyline> skylineFromSettingsText(const QString &text)
{
    std::vector<SkyPoint> points;
    for (const QString &part : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList fields = part.split(QLatin1Char(':'));
        const auto azimuth = fields.size() == 2 ? number(fields[0]) : std::nullopt;
        const auto elevation = fields.size() == 2 ? number(fields[1]) : std::nullopt;
        if (!azimuth || !elevation)
            return std::nullopt;
        points.push_back({*azimuth, *elevation});
    }
    return Skyline::fromPoints(points);
}

} // namespace lumora
