#pragma once
// Conversions of the decimal texts kept in the settings and rubrique files.

#include <QString>

#include <optional>

namespace lanceron {

// A whole number in [min, max] from text: blanks around it are allowed, a fraction (with '.'
// or ',') is rounded to the nearest whole number, halves to even. nullopt when the text is
// empty, not a number, or out of range.
std::optional<qint64> convertirEntier(const QString& texte, qint64 min, qint64 max);

std::optional<qint16> convertirEntier16(const QString& texte);
std::optional<qint32> convertirEntier32(const QString& texte);

// A single-precision number; nullopt when empty, not a number or not finite.
std::optional<float> convertirReel(const QString& texte);

// Rounds to the nearest whole number, halves to even, clamped to [min, max].
qint64 arrondirPair(double valeur, qint64 min, qint64 max);

} // namespace lanceron
