// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <limits>
#include <optional>

// Where to cut a text after at most `clusters` grapheme clusters and at most `maxUnits` UTF-16
// units, so an emoji or an accented letter is never split; nothing when the whole text fits.
// A single cluster longer than `maxUnits` is cut at the bound, never inside a surrogate pair.
// Only a growing prefix is segmented, so a long text costs no more than a short one.
std::optional<qsizetype> graphemeCut(const QString& text, int clusters,
                                     qsizetype maxUnits = std::numeric_limits<qsizetype>::max());
