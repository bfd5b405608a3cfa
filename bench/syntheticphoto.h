// A synthetic photo as large and as hard to compress as a real one.
#pragma once

#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <cmath>

// Sky, rooftops and grain written as a JPEG of width × height into `dir`.
inline QString writeJpeg(const QTemporaryDir &dir, const char *name, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int roof = height / 2 + int(height / 8 * std::sin(x * 0.01)) + (x / 37 % 5) * 9;
            const int grain = (x * 7919 + y * 104729) % 41;
            line[x] = y < roof ? qRgb(90 + y * 100 / height + grain, 140 + grain, 230)
                               : qRgb(120 + grain * 2, 80 + (x ^ y) % 60, 60 + grain);
        }
    }
    const QString path = dir.filePath(QString::fromLatin1(name));
    image.save(path, "JPEG", 90);
    return path;
}
