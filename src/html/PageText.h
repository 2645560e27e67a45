#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstring>

// The page text as it is made: bytes appended to one buffer, sized up front
// from what the page will hold, so that it grows rarely if ever. Everything
// the page writer appends is ASCII (inserted texts are escaped), so the
// bytes are the page's UTF-8 as they are saved.
class CPageText {
public:
    explicit CPageText(qsizetype nExpected);

    // Makes sure n more bytes fit without growing.
    void Reserve(qsizetype n) { Room(n); }

    // Fixed text.
    template <size_t N>
    void Put(const char (&text)[N])
    {
        Put(text, static_cast<qsizetype>(N - 1));
    }
    void Put(const char *pText, qsizetype nLength)
    {
        Room(nLength);
        std::memcpy(m_p, pText, static_cast<size_t>(nLength));
        m_p += nLength;
    }
    void Put(char c)
    {
        Room(1);
        *m_p++ = c;
    }
    // A text written as it is, such as a code from the string table.
    void PutText(const QString &strText);
    // Signed decimal ("%d").
    void PutNumber(qint64 nValue);
    // The six lower-case hexadecimal digits of a colour, red first.
    void PutColor(int nColor);
    // A text escaped for HTML (see HtmlEscape.h).
    void PutEscaped(QStringView text);

    // Writes the six digits of PutColor at pOut; returns the end.
    static char *WriteColor(char *pOut, int nColor);

    // The bytes written; the object is empty afterwards.
    QByteArray Take();

private:
    void Room(qsizetype n)
    {
        if (m_end - m_p < n)
            Grow(n);
    }
    void Grow(qsizetype n);

    QByteArray m_bytes;
    char *m_p = nullptr;
    char *m_end = nullptr;
};
