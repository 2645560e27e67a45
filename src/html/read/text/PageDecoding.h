#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

// How the bytes of a page become text, as a browser would read them: by a
// byte-order mark, else by the charset the page declares (<meta charset>,
// or that of a <meta http-equiv="Content-Type">), else as UTF-8 when the
// whole page is valid UTF-8 and as Windows-1252 when it is not (the 8-bit
// text of pages written on Windows without a declaration). Names that
// browsers read as Windows-1252 (ISO-8859-1, ASCII) are read so here too;
// other charsets as the system's converters know them.
class CPageDecoding {
public:
    // `page` as the markup scanner reads it: in a charset that keeps ASCII
    // (see AsciiCompatible).
    explicit CPageDecoding(const QByteArray &page);

    // Bytes of the page (an attribute value, a title) as text.
    QString Decode(QByteArrayView bytes) const;
    // The charset read with, lower case ("utf-8", "windows-1252", ...).
    QByteArray Charset() const { return m_charset; }
    // Why a declared charset was not used (unknown to the system); empty
    // when it was, or none was declared.
    QString Problem() const { return m_strProblem; }

    // The page as bytes the markup scanner can read: a page in UTF-16 or
    // UTF-32 (by its byte-order mark or the zero bytes of its ASCII text)
    // as UTF-8, every other page as it is.
    static QByteArray AsciiCompatible(const QByteArray &page);
    // True when `bytes` are valid UTF-8.
    static bool IsValidUtf8(QByteArrayView bytes);

private:
    enum class EKind { Utf8, Windows1252, Other };
    EKind m_kind = EKind::Utf8;
    QByteArray m_charset;
    QString m_strProblem;
};
