#include "icons/contenu_image.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <limits>

namespace lanceron {

QByteArray formatImage(QByteArrayView octets)
{
    if (octets.startsWith("\x89PNG\r\n\x1A\n"))
        return "png";
    if (octets.startsWith(QByteArrayView("\0\0\1\0", 4)))
        return "ico";
    if (octets.startsWith("BM"))
        return "bmp";
    const QByteArrayView debut = octets.first(std::min<qsizetype>(octets.size(), 4096));
    if (debut.contains("/* XPM */"))
        return "xpm";
    if (debut.contains("<svg"))
        return "svg";
    return {};
}

qint64 pixelsIncorpores(const QByteArray& svg, int profondeur)
{
    // An SVG document embedded in another is counted through its own embedded pictures; one
    // compressed, or nested too deep, cannot be counted.
    constexpr qint64 Incomptable = std::numeric_limits<qint64>::max() / 4;
    qint64 total = 0;
    const auto base64 = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '+' || c == '/' || c == '=' || c == ' ' || c == '\t' || c == '\r' ||
               c == '\n';
    };
    for (qsizetype i = svg.indexOf("base64,"); i >= 0; i = svg.indexOf("base64,", i)) {
        i += 7;
        qsizetype fin = i;
        while (fin < svg.size() && base64(svg[fin]))
            ++fin;
        QByteArray octets = QByteArray::fromBase64(svg.sliced(i, fin - i));
        QBuffer tampon(&octets);
        tampon.open(QIODevice::ReadOnly);
        const QByteArray format = QImageReader::imageFormat(&tampon);
        if (format == "svgz" || (format == "svg" && profondeur >= 4))
            return Incomptable;
        if (format == "svg") {
            total = std::min(Incomptable, total + pixelsIncorpores(octets, profondeur + 1));
        } else {
            tampon.seek(0);
            const QSize taille = QImageReader(&tampon, format).size();
            if (taille.isValid())
                total = std::min(Incomptable, total + qint64(taille.width()) * taille.height());
        }
        i = fin;
    }
    return total;
}

} // namespace lanceron
