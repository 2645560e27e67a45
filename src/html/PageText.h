#pragma once

#include <QString>
#include <QStringView>

#include <string>

// The page text as it is made: bytes appended to one buffer that grows as
// needed. Everything but PutText is ASCII (inserted texts are escaped), so
// the bytes are the page's UTF-8 as it is saved.
class CPageText {
public:
    // Fixed text.
    void Put(const char *text) { m_bytes += text; }
    void Put(char c) { m_bytes += c; }
    // A text written as it is (UTF-8), such as a code from the string table.
    void PutText(const QString &text);
    // Signed decimal ("%d").
    void PutNumber(qint64 value);
    // The six lower-case hexadecimal digits of a colour, red first.
    void PutColor(int color);
    // A text escaped for HTML (see HtmlEscape.h).
    void PutEscaped(QStringView text);

    const std::string &Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};
