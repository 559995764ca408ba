// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <span>
#include <utility>

// One word of a query, prepared once to be looked for in many texts. Each search reads a text
// once, however repetitive the word and the text are: a held key types "aaaa…", against which
// the usual searchers (Qt's, the standard library's Boyer-Moore-Horspool) compare the word again
// at every offset.
class SearchWord {
  public:
    explicit SearchWord(QString word);

    // Where the word next occurs at or after `from`; -1 when it does not, or when it is empty.
    qsizetype indexIn(QStringView text, qsizetype from = 0) const;
    // Each place the word occurs, overlapping ones too, as its start; stops when `found`
    // returns false.
    template <typename Found>
    void forEachIn(QStringView text, Found found) const;

  private:
    QString m_word;
    // Per prefix of the word: the length of its longest proper prefix that is also its suffix.
    QList<qsizetype> m_border;
    std::array<qsizetype, 256> m_shift{};
};

// The form texts are compared in when the user searches: compatibility decomposition (a
// full-width Ａ is an A), no combining marks (é is e) and full case folding (ß is ss), so
// that what is typed finds what was copied however either was written. Joiners and variation
// selectors stay: they tell emoji sequences and Persian words apart.
class SearchText {
  public:
    static QString normalised(QStringView text);
    // The query's words, each normalised, without repeats; blank queries have none.
    static QStringList words(QStringView query);
    // Every word occurs in the normalised text, in any order.
    static bool matchesAll(QStringView normalisedText, std::span<const SearchWord> words);
    // Where the words occur in a text as shown: (start, length) in its own UTF-16 units, in
    // order, overlapping ones merged.
    static QList<std::pair<qsizetype, qsizetype>> matchRanges(QStringView shown,
                                                              const QStringList& words);
};

template <typename Found>
void SearchWord::forEachIn(QStringView text, Found found) const {
    const qsizetype length = m_word.size();
    if (length == 0) {
        return;
    }
    qsizetype matched = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (matched == 0) {
            // Nothing under way: skip straight to the word's first character.
            i = text.indexOf(m_word.front(), i);
            if (i < 0) {
                return;
            }
        }
        while (matched > 0 && text[i] != m_word[matched]) {
            matched = m_border[matched - 1];
        }
        if (text[i] == m_word[matched]) {
            ++matched;
        }
        if (matched == length) {
            if (!found(i + 1 - length)) {
                return;
            }
            matched = m_border[matched - 1];
        }
    }
}
