#pragma once

#include "model/text/StringTable.h"

#include <QString>
#include <QStringList>

class CReadNotes;

// How the page script reads a number (parseInt): blanks, a sign, digits up
// to the first other character, the size held at nLargest. False when there
// is no digit.
bool ReadScriptInt(QStringView text, qint64 nLargest, qint64 *pValue);

// The comma-cut fields of one param value, each read into a field of the
// configuration in the form the page writer writes it. A field that cannot
// be read leaves the configuration's field as it is (its default) and is
// told through the notes, with the param's name and what the field is.
class CParamFields {
public:
    CParamFields(const QString &strParam, const QString &value, CReadNotes &notes);

    qsizetype Count() const { return m_fields.size(); }
    QString Field(qsizetype n) const { return n < m_fields.size() ? m_fields[n] : QString(); }

    // Tells of fields missing before nFields and of fields after it (an
    // empty one right after it is allowed where the writer ends the value
    // with a comma).
    void Expect(qsizetype nFields, bool bTrailingComma);

    // Signed decimal ("%d"). A number with other text after it ("12px") is
    // read as far as its digits go, as the page script reads it, and told.
    void Number(qsizetype n, const QString &what, int *pField);
    // Six hexadecimal digits, red first (ColorToHex).
    void Colour(qsizetype n, const QString &what, int *pField);
    // A code of a string-table range: the index whose code it is (in any
    // letter case). An empty field is what the writer writes for an index
    // outside the range: it is read as -1, which writes it again.
    void Code(qsizetype n, const QString &what, const CStringRange &range, int *pField);
    // The fill style number followed by the border style number plus one
    // ("%d%d", "12" is fill 1 with border 1): split so that writing the two
    // again gives the same text.
    void FillAndBorder(qsizetype n, int *pFill, int *pBorder);

    // A value as a note quotes it: short, and whole when it is short.
    static QString Quoted(const QString &value);
    // The number a text writes in the form "%d" writes it (no blanks, no
    // leading zeros, no '+'), within [lowest, highest]; false otherwise.
    static bool PlainNumber(QStringView text, qint64 lowest, qint64 highest, qint64 *pValue);

    // A note of this param's (its name said first).
    void Note(const QString &note);

private:

    QString m_strParam;
    QStringList m_fields;
    CReadNotes &m_notes;
};
