#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstring>

// The page text as it is made: bytes appended to one buffer, sized up front
// from what the page will hold, so that it grows rarely if ever. Everything
// the page writer appends is ASCII (inserted texts are escaped), so the
// bytes are the page's UTF-8 as they are saved.
//
// Made as a QString, or when the page is large, the bytes go through a small
// buffer that stays in the cache and is handed on (widened into the string)
// whenever it fills: the page is written to memory once, past the caches
// when it is large, rather than as bytes first and again as their
// conversion.
class CPageText {
public:
    enum class Form { Bytes, Text };

    explicit CPageText(qsizetype nExpected, Form form = Form::Bytes);

    // Writing in place, for runs of several parts: Claim makes room for n
    // bytes and returns where they go; Commit takes the end of what was
    // written there. The pointer stays in a register meanwhile, which
    // appending part by part through the object does not allow.
    char *Claim(qsizetype n)
    {
        Room(n);
        return m_p;
    }
    void Commit(char *pEnd) { m_p = pEnd; }

    // Fixed text.
    template <size_t N>
    void Put(const char (&text)[N])
    {
        Put(text, static_cast<qsizetype>(N - 1));
    }
    void Put(char c)
    {
        Room(1);
        *m_p++ = c;
    }
    // Fixed text: ASCII (only PutText writes UTF-8 beyond it, and says so).
    void Put(const char *pText, qsizetype nLength)
    {
        Room(nLength);
        std::memcpy(m_p, pText, static_cast<size_t>(nLength));
        m_p += nLength;
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
    // Writes the digits of PutNumber (at most 20 bytes) at pOut; returns the
    // end.
    static char *WriteNumber(char *pOut, qint64 nValue);
    // Writes fixed text at pOut; returns the end.
    template <size_t N>
    static char *WriteText(char *pOut, const char (&text)[N])
    {
        std::memcpy(pOut, text, N - 1);
        return pOut + N - 1;
    }

    // What was written, made as Form::Bytes (the bytes) or Form::Text (the
    // text); the object is empty afterwards.
    QByteArray Take();
    QString TakeText();

private:
    void Room(qsizetype n)
    {
        if (m_end - m_p < n)
            Grow(n);
    }
    void Grow(qsizetype n);
    // Hands the small buffer's bytes on to the page (m_bBuffered).
    void Flush();
    void Finish();

    // Where the bytes are written: the page itself, or (m_bBuffered) a small
    // buffer handed on to m_bytes or m_text whenever it fills.
    QByteArray m_buffer;
    char *m_p = nullptr;
    char *m_end = nullptr;
    bool m_bText = false;
    // A large page: handed on past the caches.
    bool m_bStream = false;
    bool m_bBuffered = false;
    // The bytes since the last Flush hold UTF-8 beyond ASCII.
    bool m_bUtf8 = false;
    QByteArray m_bytes;
    QString m_text;
};
