#include "html/read/params/ParamFields.h"

#include "html/read/params/ReadNotes.h"

#include <climits>

bool ReadScriptInt(QStringView text, qint64 nLargest, qint64 *pValue)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    const qsizetype digits = i;
    qint64 value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        value = qMin<qint64>(value * 10 + (text[i].unicode() - u'0'), nLargest);
    if (i == digits)
        return false;
    *pValue = negative ? -value : value;
    return true;
}

namespace {

// How the page script reads a number (parseInt), as ReadScriptInt. False
// when there is no digit or the number is beyond int.
bool ScriptNumber(QStringView text, int *pValue)
{
    // Held one past int's reach on either side, so that a number beyond
    // stays beyond.
    qint64 value = 0;
    if (!ReadScriptInt(text, qint64(INT_MAX) + 2, &value))
        return false;
    if (value < INT_MIN || value > INT_MAX)
        return false;
    *pValue = int(value);
    return true;
}

} // namespace

CParamFields::CParamFields(const QString &strParam, const QString &value, CReadNotes &notes)
    : m_strParam(strParam), m_fields(value.split(QLatin1Char(','))), m_notes(notes)
{
}

void CParamFields::Note(const QString &note)
{
    m_notes.AddFor(m_strParam, note);
}

QString CParamFields::Quoted(const QString &value)
{
    constexpr qsizetype kShown = 40;
    if (value.size() <= kShown)
        return QLatin1Char('"') + value + QLatin1Char('"');
    return QLatin1Char('"') + value.left(kShown) + QStringLiteral("...\" (%1 characters)").arg(value.size());
}

bool CParamFields::PlainNumber(QStringView text, qint64 lowest, qint64 highest, qint64 *pValue)
{
    qsizetype i = 0;
    const bool negative = !text.isEmpty() && text[0] == u'-';
    if (negative)
        ++i;
    const qsizetype digits = text.size() - i;
    if (digits < 1 || digits > 11 || (digits > 1 && text[i] == u'0') || (negative && text[i] == u'0'))
        return false;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return false;
        value = value * 10 + (text[i].unicode() - u'0');
    }
    value = negative ? -value : value;
    if (value < lowest || value > highest)
        return false;
    *pValue = value;
    return true;
}

void CParamFields::Expect(qsizetype nFields, bool bTrailingComma)
{
    if (m_fields.size() < nFields) {
        Note(QStringLiteral("has %1 of its %2 fields; the missing ones keep their defaults")
                 .arg(m_fields.size()).arg(nFields));
        return;
    }
    const qsizetype allowed = bTrailingComma && m_fields.size() > nFields && m_fields[nFields].isEmpty() ? nFields + 1
                                                                                                         : nFields;
    if (m_fields.size() > allowed)
        Note(QStringLiteral("what follows its %1 fields is ignored: %2")
                 .arg(nFields)
                 .arg(Quoted(m_fields.mid(nFields).join(QLatin1Char(',')))));
}

void CParamFields::Number(qsizetype n, const QString &what, int *pField)
{
    if (n >= m_fields.size())
        return;
    const QString &text = m_fields[n];
    qint64 value = 0;
    if (PlainNumber(text, INT_MIN, INT_MAX, &value)) {
        *pField = int(value);
        return;
    }
    int read = 0;
    if (ScriptNumber(text, &read)) {
        *pField = read;
        Note(QStringLiteral("%1 %2 is read as %3").arg(what, Quoted(text)).arg(read));
        return;
    }
    Note(QStringLiteral("%1 %2 is not a number; %3 kept").arg(what, Quoted(text)).arg(*pField));
}

void CParamFields::Colour(qsizetype n, const QString &what, int *pField)
{
    if (n >= m_fields.size())
        return;
    const QString &text = m_fields[n];
    bool ok = text.size() == 6;
    int rgb = 0;
    for (qsizetype i = 0; ok && i < 6; ++i) {
        const char16_t c = text[i].unicode();
        int digit = -1;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        ok = digit >= 0;
        rgb = rgb * 16 + digit;
    }
    if (!ok) {
        Note(QStringLiteral("%1 %2 is not six hexadecimal digits; %3 kept")
                 .arg(what, Quoted(text), QString::asprintf("%06x", unsigned(*pField) & 0xFFFFFFu)));
        return;
    }
    // Red first on the page, red in the low byte in the configuration.
    *pField = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

void CParamFields::Code(qsizetype n, const QString &what, const CStringRange &range, int *pField)
{
    if (n >= m_fields.size())
        return;
    const QString &text = m_fields[n];
    if (text.isEmpty()) {
        *pField = -1;
        return;
    }
    int caseless = -1;
    QStringList codes;
    for (int i = 0; i < range.count; ++i) {
        const QString code = LoadString(range, i);
        if (code == text) {
            *pField = i;
            return;
        }
        if (caseless < 0 && code.compare(text, Qt::CaseInsensitive) == 0)
            caseless = i;
        codes.append(code);
    }
    if (caseless >= 0) {
        *pField = caseless;
        return;
    }
    Note(QStringLiteral("%1 %2 is none of %3; %4 kept")
             .arg(what, Quoted(text), codes.join(QStringLiteral(", ")), LoadString(range, *pField)));
}

void CParamFields::FillAndBorder(qsizetype n, int *pFill, int *pBorder)
{
    if (n >= m_fields.size())
        return;
    const QString &text = m_fields[n];
    // The border's number is the last part: try the shortest first, as the
    // writer's own values (fill 0-9, border 1-3) have it one digit long.
    for (qsizetype k = text.size() - 1; k >= 1; --k) {
        qint64 fill = 0, border = 0;
        if (PlainNumber(QStringView(text).left(k), INT_MIN, INT_MAX, &fill)
            && PlainNumber(QStringView(text).mid(k), qint64(INT_MIN) + 1, qint64(INT_MAX) + 1, &border)) {
            *pFill = int(fill);
            *pBorder = int(border - 1);
            return;
        }
    }
    Note(QStringLiteral("the fill and border styles %1 are not two numbers; %2 and %3 kept")
             .arg(Quoted(text)).arg(*pFill).arg(*pBorder + qint64(1)));
}
