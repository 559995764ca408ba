// SPDX-License-Identifier: MIT
#include "history/SearchText.h"

#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <QRegularExpression>

#include <algorithm>

namespace {

// A mark that only changes how a letter looks; a variation selector is one by its category, but
// picks the emoji or text form of what it follows, so records and queries keep it.
bool isCombiningMark(char32_t c) {
    switch (QChar::category(c)) {
        case QChar::Mark_NonSpacing:
        case QChar::Mark_Enclosing:
            return !u_hasBinaryProperty(UChar32(c), UCHAR_VARIATION_SELECTOR);
        default:
            return false;
    }
}

QString folded(const QString& text) {
    icu::UnicodeString unicode(false, reinterpret_cast<const UChar*>(text.utf16()),
                               int32_t(text.size()));
    unicode.foldCase(U_FOLD_CASE_DEFAULT);
    return QString(reinterpret_cast<const QChar*>(unicode.getBuffer()), unicode.length());
}

}  // namespace

SearchWord::SearchWord(QString word) : m_word(std::move(word)), m_border(m_word.size(), 0) {
    // The failure table of Knuth, Morris and Pratt: after a mismatch the search goes on from
    // the longest part of the word already matched, never reading a character twice.
    for (qsizetype i = 1, border = 0; i < m_word.size(); ++i) {
        while (border > 0 && m_word[i] != m_word[border]) {
            border = m_border[border - 1];
        }
        if (m_word[i] == m_word[border]) {
            ++border;
        }
        m_border[i] = border;
    }
    // Horspool's shifts, by the low byte of the character under the word's last one.
    m_shift.fill(m_word.size());
    for (qsizetype i = 0; i + 1 < m_word.size(); ++i) {
        m_shift[m_word[i].unicode() & 0xff] = m_word.size() - 1 - i;
    }
}

qsizetype SearchWord::indexIn(QStringView text, qsizetype from) const {
    const qsizetype length = m_word.size();
    if (from < 0 || from > text.size() || length == 0) {
        return -1;
    }
    if (length == 1) {
        return text.indexOf(m_word.front(), from);
    }
    // Horspool skips most of an ordinary text, but compares again and again where the text
    // and the word repeat themselves; past a few readings of the text the rest goes to the
    // linear search.
    const QChar* const word = m_word.constData();
    qsizetype budget = 4 * (text.size() - from) + length;
    qsizetype at = from;
    while (at + length <= text.size()) {
        const QChar last = text[at + length - 1];
        if (last == word[length - 1]) {
            qsizetype i = length - 2;
            while (i >= 0 && text[at + i] == word[i]) {
                --i;
            }
            if (i < 0) {
                return at;
            }
            budget -= length - 1 - i;
        }
        if (--budget < 0) {
            break;
        }
        at += m_shift[last.unicode() & 0xff];
    }
    if (at + length > text.size()) {
        return -1;
    }
    qsizetype found = -1;
    forEachIn(text.sliced(at), [&found, at](qsizetype start) {
        found = at + start;
        return false;
    });
    return found;
}

QString SearchText::normalised(QStringView text) {
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    QString bare;
    bare.reserve(decomposed.size());
    for (const char32_t c : QStringView(decomposed).toUcs4()) {
        if (!isCombiningMark(c)) {
            bare.append(QChar::fromUcs4(c));
        }
    }
    return folded(bare);
}

QStringList SearchText::words(QStringView query) {
    static const QRegularExpression space(QStringLiteral("\\s+"));
    QStringList words = normalised(query).split(space, Qt::SkipEmptyParts);
    words.removeDuplicates();
    return words;
}

bool SearchText::matchesAll(QStringView normalisedText, std::span<const SearchWord> words) {
    return std::all_of(words.begin(), words.end(), [normalisedText](const SearchWord& word) {
        return word.indexIn(normalisedText) >= 0;
    });
}

QList<std::pair<qsizetype, qsizetype>> SearchText::matchRanges(QStringView shown,
                                                               const QStringList& words) {
    QList<std::pair<qsizetype, qsizetype>> ranges;
    if (words.isEmpty() || shown.isEmpty()) {
        return ranges;
    }
    // Normalised one code point at a time, remembering where each piece came from: a match in
    // the normalised form is then a span of the text shown. Decomposition and folding work on
    // single code points, so the pieces add up to the whole.
    QString text;
    // Per unit of `text`: the span of the shown text it came from.
    QList<std::pair<qsizetype, qsizetype>> origin;
    for (qsizetype i = 0; i < shown.size();) {
        const qsizetype width = shown[i].isHighSurrogate() && i + 1 < shown.size() ? 2 : 1;
        const QString piece = normalised(shown.mid(i, width));
        if (piece.isEmpty() && !origin.isEmpty()) {
            origin.last().second = i + width;  // a mark goes with the letter it sits on
        }
        text += piece;
        origin.insert(origin.size(), piece.size(), {i, i + width});
        i += width;
    }
    QList<std::pair<qsizetype, qsizetype>> spans;
    for (const QString& word : words) {
        SearchWord(word).forEachIn(text, [&](qsizetype at) {
            spans.append({origin.at(at).first, origin.at(at + word.size() - 1).second});
            return true;
        });
    }
    std::sort(spans.begin(), spans.end());
    for (const auto& [start, end] : spans) {
        if (!ranges.isEmpty() && start <= ranges.last().first + ranges.last().second) {
            auto& last = ranges.last();
            last.second = std::max(last.second, end - last.first);
        } else {
            ranges.append({start, end - start});
        }
    }
    return ranges;
}
