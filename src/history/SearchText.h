#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <utility>

// The form texts are compared in when the user searches: compatibility decomposition (a
// full-width Ａ is an A), no combining marks (é is e) and full case folding (ß is ss), so
// that what is typed finds what was copied however either was written.
class SearchText {
  public:
    static QString normalised(QStringView text);
    // The query's words, each normalised; blank queries have none.
    static QStringList words(QStringView query);
    // Every word occurs in the normalised text, in any order.
    static bool matchesAll(QStringView normalisedText, const QStringList& words);
    // Where the words occur in a text as shown: (start, length) in its own UTF-16 units, in
    // order, overlapping ones merged.
    static QList<std::pair<qsizetype, qsizetype>> matchRanges(QStringView shown,
                                                              const QStringList& words);
};
