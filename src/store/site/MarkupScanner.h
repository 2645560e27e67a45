#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Reads a page's markup in one pass from start to end, the way a browser's
// tokenizer splits it, and hands over one piece at a time: text, start and
// end tags with their names and attributes, comments, CDATA sections, other
// markup declarations, and the text of the raw-text elements (script, style,
// textarea, title, xmp, iframe, noembed, noframes, plaintext), inside which
// nothing is markup. A tag written inside a comment, a script string, an
// attribute value or a textarea is therefore never taken for a tag, nor a
// comment inside those for a comment.
//
// Each byte is looked at a bounded number of times, so a page of any content
// is read in time linear in its size. The scanner works on the bytes as they
// are: it needs a charset that keeps ASCII as it is (UTF-8 and the
// single-byte charsets). Character references are not decoded.
class CMarkupScanner {
public:
    enum EKind {
        Text,         // text between markup
        StartTag,     // <name attr=value ...>
        EndTag,       // </name>
        Comment,      // <!-- ... -->
        CData,        // <![CDATA[ ... ]]>
        Declaration,  // <!DOCTYPE ...>, <?...>, </ ...>: what a browser takes as a bogus comment
        RawText,      // the text of a raw-text element, up to its end tag
    };

    // One attribute of a tag: byte ranges in the page.
    struct CAttribute {
        qsizetype nNameStart = 0;
        qsizetype nNameEnd = 0;
        qsizetype nValueStart = 0; // the value without its quotes
        qsizetype nValueEnd = 0;   // equal to nValueStart for an empty or absent value
        bool bHasValue = false;
    };

    explicit CMarkupScanner(QByteArrayView page);

    // Moves to the next piece; false at the end of the page.
    bool Next();

    EKind Kind() const { return m_kind; }
    // The piece's bytes: [Start(), End()). A comment that is not closed runs
    // to the end of the page, as in a browser.
    qsizetype Start() const { return m_nStart; }
    qsizetype End() const { return m_nEnd; }
    // What a comment, CDATA section or declaration holds (without "<!--" and
    // "-->" and the like); the text itself for Text and RawText.
    qsizetype InnerStart() const { return m_nInnerStart; }
    qsizetype InnerEnd() const { return m_nInnerEnd; }
    QByteArrayView Inner() const { return m_page.sliced(m_nInnerStart, m_nInnerEnd - m_nInnerStart); }
    QByteArrayView Bytes() const { return m_page.sliced(m_nStart, m_nEnd - m_nStart); }

    // Tags: the name in lower case; RawText: the element's name.
    const QByteArray &Name() const { return m_name; }
    // True for a start tag written <name ... />.
    bool SelfClosing() const { return m_bSelfClosing; }
    // The attributes of a tag, in the order written (an end tag's too): its
    // first kMaxAttributes; the others are read past, as a tag of a real
    // page has far fewer.
    const QList<CAttribute> &Attributes() const { return m_attributes; }
    static constexpr qsizetype kMaxAttributes = 256;
    // The value of the first attribute named `lowerName` (compared without
    // regard to letter case), as written; `found` tells an empty value from
    // none.
    QByteArrayView Attribute(const char *lowerName, bool *found = nullptr) const;

    // True when `c` is a blank of markup: space, tab, line feed, form feed,
    // carriage return.
    static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
    // True when `name` (lower case) is an element whose text is not markup.
    static bool IsRawTextElement(QByteArrayView name);

private:
    bool ReadTag(qsizetype lt, bool endTag);
    void ReadRawText();
    qsizetype ScriptTextEnd(qsizetype from) const;
    void Set(EKind kind, qsizetype start, qsizetype end, qsizetype innerStart, qsizetype innerEnd);

    QByteArrayView m_page;
    qsizetype m_nAt = 0;
    // After a raw-text element's start tag: its name; the next piece is
    // its text.
    QByteArray m_rawTextOf;

    EKind m_kind = Text;
    qsizetype m_nStart = 0;
    qsizetype m_nEnd = 0;
    qsizetype m_nInnerStart = 0;
    qsizetype m_nInnerEnd = 0;
    QByteArray m_name;
    bool m_bSelfClosing = false;
    QList<CAttribute> m_attributes;
};
