#include "html/read/text/PageDecoding.h"

#include "html/read/text/CharacterReferences.h"
#include "store/site/SitePageText.h"

#include <cstring>

namespace {

// Names browsers read as UTF-8, and as Windows-1252 (the WHATWG list).
// A page whose bytes keep ASCII but declare UTF-16 is read as UTF-8, as
// browsers do.
bool IsUtf8Name(const QByteArray &name)
{
    for (const char *n : {"utf-8", "utf8", "unicode-1-1-utf-8", "unicode11utf8", "unicode20utf8", "x-unicode20utf8",
                          "utf-16", "utf-16le", "utf-16be", "unicode", "ucs-2", "unicodefeff", "unicodefffe",
                          "csunicode", "iso-10646-ucs-2"})
        if (name == n)
            return true;
    return false;
}

bool IsWindows1252Name(const QByteArray &name)
{
    for (const char *n : {"windows-1252", "cp1252", "x-cp1252", "iso-8859-1", "iso8859-1", "iso88591", "iso_8859-1",
                          "iso_8859-1:1987", "latin1", "l1", "us-ascii", "ascii", "ansi_x3.4-1968", "cp819",
                          "ibm819", "csisolatin1", "iso-ir-100"})
        if (name == n)
            return true;
    return false;
}

bool IsAscii(QByteArrayView bytes)
{
    // Eight bytes at a time, then the rest.
    const char *p = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 word;
        std::memcpy(&word, p + i, 8);
        if (word & 0x8080808080808080ull)
            return false;
    }
    for (; i < n; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return false;
    return true;
}

} // namespace

bool CPageDecoding::IsValidUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int more = 0;
        unsigned char low = 0x80, high = 0xBF; // the second byte's range
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            if (c == 0xE0)
                low = 0xA0; // no overlong form
            else if (c == 0xED)
                high = 0x9F; // no surrogate
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            if (c == 0xF0)
                low = 0x90;
            else if (c == 0xF4)
                high = 0x8F; // nothing beyond U+10FFFF
        } else {
            return false;
        }
        if (i + more >= n)
            return false;
        if (p[i + 1] < low || p[i + 1] > high)
            return false;
        for (int k = 2; k <= more; ++k)
            if (p[i + k] < 0x80 || p[i + k] > 0xBF)
                return false;
        i += more + 1;
    }
    return true;
}

CPageDecoding::CPageDecoding(const QByteArray &page)
{
    // Bytes of ASCII alone read the same in every charset that keeps ASCII
    // (an escape byte starts the sequences of the ISO-2022 ones, which do
    // not): the page need not be read for its charset.
    if (IsAscii(page) && !page.contains('\x1B')) {
        m_kind = EKind::Utf8;
        m_charset = "utf-8";
        return;
    }
    const QByteArray declared = PageCharset(page);
    if (!declared.isEmpty()) {
        if (IsUtf8Name(declared)) {
            m_kind = EKind::Utf8;
            m_charset = "utf-8";
            return;
        }
        if (IsWindows1252Name(declared)) {
            m_kind = EKind::Windows1252;
            m_charset = "windows-1252";
            return;
        }
        if (QStringDecoder(declared.constData()).isValid()) {
            m_kind = EKind::Other;
            m_charset = declared;
            return;
        }
        m_strProblem = QStringLiteral("the page's charset \"%1\" is not known here").arg(QString::fromLatin1(declared));
    }
    const bool utf8 = IsValidUtf8(page);
    m_kind = utf8 ? EKind::Utf8 : EKind::Windows1252;
    m_charset = utf8 ? "utf-8" : "windows-1252";
    if (!m_strProblem.isEmpty())
        m_strProblem += QStringLiteral("; it is read as %1").arg(QString::fromLatin1(m_charset));
}

QString CPageDecoding::Decode(QByteArrayView bytes) const
{
    if (IsAscii(bytes))
        return QString::fromLatin1(bytes);
    switch (m_kind) {
    case EKind::Utf8:
        return QString::fromUtf8(bytes);
    case EKind::Windows1252: {
        QString text;
        text.reserve(bytes.size());
        for (const char c : bytes)
            text += QChar(char16_t(Windows1252Character(static_cast<unsigned char>(c))));
        return text;
    }
    case EKind::Other:
        break;
    }
    QStringDecoder decoder(m_charset.constData());
    return decoder.decode(bytes);
}

QByteArray CPageDecoding::AsciiCompatible(const QByteArray &page)
{
    const int width = PageCodeUnitWidthOfBytes(page);
    if (width == 1)
        return page;
    // Which end the zero bytes of ASCII text are at, where no byte-order
    // mark tells it.
    bool little = true;
    if (page.startsWith("\xFE\xFF") || page.startsWith(QByteArrayView("\0\0\xFE\xFF", 4))) {
        little = false;
    } else if (!page.startsWith("\xFF\xFE")) {
        const qsizetype n = qMin<qsizetype>(page.size(), 512) / 4 * 4;
        qsizetype zerosFirst = 0, zerosLast = 0;
        for (qsizetype i = 0; i < n; i += width) {
            zerosFirst += page[i] == '\0';
            zerosLast += page[i + width - 1] == '\0';
        }
        little = zerosLast >= zerosFirst;
    }
    const QStringConverter::Encoding encoding =
        width == 4 ? (little ? QStringConverter::Utf32LE : QStringConverter::Utf32BE)
                   : (little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(page);
    return text.toUtf8();
}
