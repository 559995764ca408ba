// SPDX-License-Identifier: MIT
#include "history/RtfText.h"

#include <QHash>
#include <QList>
#include <QStringDecoder>

#include <algorithm>
#include <map>

namespace {

// Deeper nesting still balances its braces but shares the innermost tracked group's state.
constexpr int kMaxTrackedDepth = 512;
constexpr qint64 kMaxParameter = 0x7FFFFFFF;
constexpr int kMaxControlWordLength = 32;
constexpr int kDefaultCodePage = 1252;

const char* codecNameFor(int codePage) {
    switch (codePage) {
        case 437:
            return "IBM437";
        case 850:
            return "IBM850";
        case 852:
            return "IBM852";
        case 866:
            return "IBM866";
        case 874:
            return "windows-874";
        case 932:
            return "windows-31j";
        case 936:
            return "GBK";
        case 949:
            return "windows-949";
        case 950:
            return "Big5";
        case 1250:
            return "windows-1250";
        case 1251:
            return "windows-1251";
        case 1252:
            return "windows-1252";
        case 1253:
            return "windows-1253";
        case 1254:
            return "windows-1254";
        case 1255:
            return "windows-1255";
        case 1256:
            return "windows-1256";
        case 1257:
            return "windows-1257";
        case 1258:
            return "windows-1258";
        case 10000:
            return "macintosh";
        case 65001:
            return "UTF-8";
        default:
            return nullptr;
    }
}

// \fcharset values to code pages; 0 means "the document's code page".
int codePageForCharset(int charset) {
    switch (charset) {
        case 77:
            return 10000;
        case 128:
            return 932;
        case 129:
            return 949;
        case 134:
            return 936;
        case 136:
            return 950;
        case 161:
            return 1253;
        case 162:
            return 1254;
        case 163:
            return 1258;
        case 177:
            return 1255;
        case 178:
            return 1256;
        case 186:
            return 1257;
        case 204:
            return 1251;
        case 222:
            return 874;
        case 238:
            return 1250;
        case 254:
            return 437;
        case 255:
            return 850;
        default:
            return 0;
    }
}

// Groups whose content is not document text.
bool isIgnorableDestination(QByteArrayView word) {
    static const QList<QByteArrayView> kWords = {
        "fonttbl",
        "colortbl",
        "stylesheet",
        "info",
        "pict",
        "header",
        "headerl",
        "headerr",
        "headerf",
        "footer",
        "footerl",
        "footerr",
        "footerf",
        "object",
        "fldinst",
        "listtable",
        "listoverridetable",
        "rsidtbl",
        "generator",
        "xmlnstbl",
        "themedata",
        "colorschememapping",
        "datastore",
        "latentstyles",
        "filetbl",
        "revtbl",
        "userprops",
        "nonshppict",
        "template",
        "pgdsctbl",
        "xe",
        "tc",
        "bkmkstart",
        "bkmkend",
        "objdata",
    };
    return std::find(kWords.begin(), kWords.end(), word) != kWords.end();
}

struct GroupState {
    bool skip = false;
    bool inFontTable = false;
    int unicodeSkip = 1;
    int font = -1;
};

class Reader {
  public:
    explicit Reader(const QByteArray& rtf) : m_data(rtf) {}

    QString run(qsizetype start) {
        m_states.append(GroupState{});
        qsizetype i = start;
        const qsizetype size = m_data.size();
        while (i < size) {
            const char c = m_data.at(i);
            if (c == '{') {
                flushBytes();
                m_pendingSkip = 0;
                if (m_states.size() < kMaxTrackedDepth) {
                    m_states.append(m_states.last());
                } else {
                    ++m_untrackedDepth;
                }
                ++i;
            } else if (c == '}') {
                flushBytes();
                m_pendingSkip = 0;
                if (m_untrackedDepth > 0) {
                    --m_untrackedDepth;
                } else if (m_states.size() > 1) {
                    m_states.removeLast();
                }
                ++i;
            } else if (c == '\\') {
                i = readControl(i + 1);
            } else if (c == '\r' || c == '\n') {
                ++i;
            } else {
                textByte(c);
                ++i;
            }
        }
        flushBytes();
        flushSurrogate();
        return m_out;
    }

  private:
    GroupState& state() { return m_states.last(); }

    bool consumeFallback() {
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return true;
        }
        return false;
    }

    void textByte(char byte) {
        if (consumeFallback() || state().skip) {
            return;
        }
        flushSurrogate();
        m_bytes.append(byte);
    }

    void emitText(QStringView text) {
        flushBytes();
        flushSurrogate();
        m_out.append(text);
    }

    // Text produced by a control symbol counts as one fallback character after \uN.
    void emitSymbol(char16_t ch) {
        if (consumeFallback() || state().skip) {
            return;
        }
        emitText(QStringView(&ch, 1));
    }

    void emitWordText(QStringView text) {
        if (!state().skip) {
            emitText(text);
        }
    }

    void emitUnicode(qint64 value) {
        m_pendingSkip = state().unicodeSkip;
        if (state().skip) {
            return;
        }
        flushBytes();
        if (value < 0) {
            value += 65536;
        }
        if (value < 0 || value > 0xFFFF) {
            flushSurrogate();
            m_out.append(QChar::ReplacementCharacter);
            return;
        }
        const auto unit = static_cast<char16_t>(value);
        if (QChar::isHighSurrogate(unit)) {
            flushSurrogate();
            m_highSurrogate = unit;
        } else if (QChar::isLowSurrogate(unit)) {
            if (m_highSurrogate != 0) {
                m_out.append(QChar(m_highSurrogate));
                m_out.append(QChar(unit));
                m_highSurrogate = 0;
            } else {
                m_out.append(QChar::ReplacementCharacter);
            }
        } else {
            flushSurrogate();
            m_out.append(QChar(unit));
        }
    }

    void flushSurrogate() {
        if (m_highSurrogate != 0) {
            m_out.append(QChar::ReplacementCharacter);
            m_highSurrogate = 0;
        }
    }

    int currentCodePage() const {
        const GroupState& s = m_states.last();
        const int font = s.font >= 0 ? s.font : m_defaultFont;
        const int fontCodePage = m_fontCodePages.value(font, 0);
        return fontCodePage != 0 ? fontCodePage : m_codePage;
    }

    QStringDecoder& decoderFor(int codePage) {
        auto found = m_decoders.find(codePage);
        if (found != m_decoders.end()) {
            return found->second;
        }
        const char* name = codecNameFor(codePage);
        QStringDecoder decoder(name ? name : "windows-1252", QStringDecoder::Flag::Stateless);
        if (!decoder.isValid()) {
            decoder = QStringDecoder("windows-1252", QStringDecoder::Flag::Stateless);
        }
        if (!decoder.isValid()) {
            decoder = QStringDecoder(QStringDecoder::Latin1, QStringDecoder::Flag::Stateless);
        }
        return m_decoders.emplace(codePage, std::move(decoder)).first->second;
    }

    // Bytes are collected until something else happens so that multibyte code pages decode
    // whole characters.
    void flushBytes() {
        if (m_bytes.isEmpty()) {
            return;
        }
        QStringDecoder& decoder = decoderFor(currentCodePage());
        m_out.append(decoder.decode(m_bytes));
        m_bytes.clear();
    }

    static int hexValue(char c) {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        return -1;
    }

    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    // i points after the backslash; returns the index after the control.
    qsizetype readControl(qsizetype i) {
        const qsizetype size = m_data.size();
        if (i >= size) {
            return i;
        }
        const char c = m_data.at(i);
        if (c == '\'') {
            const int high = i + 1 < size ? hexValue(m_data.at(i + 1)) : -1;
            const int low = i + 2 < size ? hexValue(m_data.at(i + 2)) : -1;
            if (high >= 0 && low >= 0) {
                textByte(static_cast<char>(high * 16 + low));
                return i + 3;
            }
            // A broken escape is dropped; the characters after it are read normally.
            return i + 1;
        }
        if (!isLetter(c)) {
            controlSymbol(c);
            return i + 1;
        }
        const qsizetype wordStart = i;
        while (i < size && isLetter(m_data.at(i))) {
            ++i;
        }
        const QByteArrayView word = QByteArrayView(m_data).sliced(
            wordStart, std::min<qsizetype>(i - wordStart, kMaxControlWordLength));
        bool hasParameter = false;
        bool negative = false;
        qint64 parameter = 0;
        if (i < size && m_data.at(i) == '-' && i + 1 < size && isDigit(m_data.at(i + 1))) {
            negative = true;
            ++i;
        }
        while (i < size && isDigit(m_data.at(i))) {
            hasParameter = true;
            parameter = std::min(kMaxParameter, parameter * 10 + (m_data.at(i) - '0'));
            ++i;
        }
        if (negative) {
            parameter = -parameter;
        }
        if (i < size && m_data.at(i) == ' ') {
            ++i;
        }
        if (word == "bin") {
            // Raw binary data of the given length follows; it may hold any byte, braces included.
            const qint64 length = hasParameter ? std::max<qint64>(0, parameter) : 0;
            return std::min<qint64>(size, i + length);
        }
        controlWord(word, hasParameter, parameter);
        return i;
    }

    void controlSymbol(char c) {
        switch (c) {
            case '\\':
            case '{':
            case '}':
                emitSymbol(static_cast<char16_t>(c));
                break;
            case '~':
                emitSymbol(u'\u00A0');
                break;
            case '_':
                emitSymbol(u'\u2011');
                break;
            case '*':
                flushBytes();
                state().skip = true;
                break;
            case '\r':
            case '\n':
                flushBytes();
                emitWordText(u"\n");
                break;
            case '-':
            default:
                // Optional hyphen and unknown symbols carry no text.
                break;
        }
    }

    void controlWord(QByteArrayView word, bool hasParameter, qint64 parameter) {
        flushBytes();
        GroupState& s = state();
        const int value =
            static_cast<int>(std::clamp<qint64>(parameter, -kMaxParameter, kMaxParameter));
        if (s.inFontTable) {
            if (word == "f" && hasParameter) {
                m_fontBeingDefined = value;
            } else if (word == "fcharset" && hasParameter) {
                const int codePage = codePageForCharset(value);
                if (codePage != 0 && !m_fontCodePages.contains(m_fontBeingDefined)) {
                    m_fontCodePages.insert(m_fontBeingDefined, codePage);
                }
            } else if (word == "cpg" && hasParameter && codecNameFor(value)) {
                m_fontCodePages.insert(m_fontBeingDefined, value);
            }
            return;
        }
        if (word == "fonttbl") {
            s.skip = true;
            s.inFontTable = true;
        } else if (isIgnorableDestination(word)) {
            s.skip = true;
        } else if (word == "u" && hasParameter) {
            emitUnicode(parameter);
        } else if (word == "uc" && hasParameter) {
            s.unicodeSkip = std::clamp(value, 0, 255);
        } else if (word == "ansicpg" && hasParameter) {
            m_codePage = codecNameFor(value) ? value : kDefaultCodePage;
        } else if (word == "ansi") {
            m_codePage = kDefaultCodePage;
        } else if (word == "mac") {
            m_codePage = 10000;
        } else if (word == "pc") {
            m_codePage = 437;
        } else if (word == "pca") {
            m_codePage = 850;
        } else if (word == "deff" && hasParameter) {
            m_defaultFont = value;
        } else if (word == "f" && hasParameter) {
            s.font = value;
        } else if (word == "plain") {
            s.font = -1;
        } else if (word == "par" || word == "line" || word == "row" || word == "nestrow" ||
                   word == "sect" || word == "page") {
            emitWordText(u"\n");
        } else if (word == "tab" || word == "cell" || word == "nestcell") {
            emitWordText(u"\t");
        } else if (const char16_t mapped = specialCharacter(word)) {
            emitWordText(QStringView(&mapped, 1));
        }
    }

    static char16_t specialCharacter(QByteArrayView word) {
        static const QList<std::pair<QByteArrayView, char16_t>> kMap = {
            {"emdash", u'\u2014'},    {"endash", u'\u2013'},  {"emspace", u'\u2003'},
            {"enspace", u'\u2002'},   {"qmspace", u'\u2005'}, {"bullet", u'\u2022'},
            {"lquote", u'\u2018'},    {"rquote", u'\u2019'},  {"ldblquote", u'\u201C'},
            {"rdblquote", u'\u201D'}, {"zwj", u'\u200D'},     {"zwnj", u'\u200C'},
            {"ltrmark", u'\u200E'},   {"rtlmark", u'\u200F'},
        };
        for (const auto& [name, ch] : kMap) {
            if (name == word) {
                return ch;
            }
        }
        return 0;
    }

    const QByteArray& m_data;
    QList<GroupState> m_states;
    int m_untrackedDepth = 0;
    int m_pendingSkip = 0;
    int m_codePage = kDefaultCodePage;
    int m_defaultFont = -1;
    int m_fontBeingDefined = -1;
    QHash<int, int> m_fontCodePages;
    std::map<int, QStringDecoder> m_decoders;
    QByteArray m_bytes;
    char16_t m_highSurrogate = 0;
    QString m_out;
};

}  // namespace

namespace RtfText {

std::optional<QString> toPlainText(const QByteArray& rtf) {
    qsizetype start = 0;
    while (start < rtf.size() && (rtf.at(start) == ' ' || rtf.at(start) == '\t' ||
                                  rtf.at(start) == '\r' || rtf.at(start) == '\n')) {
        ++start;
    }
    if (!QByteArrayView(rtf).sliced(start).startsWith("{\\rtf")) {
        return std::nullopt;
    }
    return Reader(rtf).run(start);
}

}  // namespace RtfText
