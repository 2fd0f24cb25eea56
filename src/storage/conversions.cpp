#include "storage/conversions.h"

#include <cmath>
#include <limits>

namespace lanceron {

namespace {

std::optional<double> lireNombre(const QString& texte)
{
    QString t = texte.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace

qint64 arrondirPair(double valeur, qint64 min, qint64 max)
{
    if (std::isnan(valeur))
        return min;
    const double r = std::nearbyint(valeur); // the default rounding mode: halves to even
    if (r <= static_cast<double>(min))
        return min;
    if (r >= static_cast<double>(max))
        return max;
    return static_cast<qint64>(r);
}

std::optional<qint64> convertirEntier(const QString& texte, qint64 min, qint64 max)
{
    const auto v = lireNombre(texte);
    if (!v)
        return std::nullopt;
    const double r = std::nearbyint(*v);
    if (r < static_cast<double>(min) || r > static_cast<double>(max))
        return std::nullopt;
    return static_cast<qint64>(r);
}

std::optional<qint16> convertirEntier16(const QString& texte)
{
    const auto v = convertirEntier(texte, std::numeric_limits<qint16>::min(),
                                   std::numeric_limits<qint16>::max());
    return v ? std::optional<qint16>(static_cast<qint16>(*v)) : std::nullopt;
}

std::optional<qint32> convertirEntier32(const QString& texte)
{
    const auto v = convertirEntier(texte, std::numeric_limits<qint32>::min(),
                                   std::numeric_limits<qint32>::max());
    return v ? std::optional<qint32>(static_cast<qint32>(*v)) : std::nullopt;
}

std::optional<float> convertirReel(const QString& texte)
{
    const auto v = lireNombre(texte);
    if (!v || std::fabs(*v) > static_cast<double>(std::numeric_limits<float>::max()))
        return std::nullopt;
    return static_cast<float>(*v);
}

} // namespace lanceron
