#include "store/IniFile.h"

#include "store/AtomicFile.h"

#include <QFile>

namespace {

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString TrimBlanks(const QString &s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && IsBlank(s.at(begin)))
        ++begin;
    while (end > begin && IsBlank(s.at(end - 1)))
        --end;
    return s.mid(begin, end - begin);
}

// Names are compared without regard to letter case and outer blanks.
QString FoldName(const QString &name)
{
    return TrimBlanks(name).toCaseFolded();
}

bool IsQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

bool EnclosedInQuotes(const QString &s)
{
    return s.size() >= 2 && IsQuote(s.front()) && s.back() == s.front();
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF,
// no sequence cut at the end.
bool IsValidUtf8(const uchar *p, qsizetype n)
{
    qsizetype i = 0;
    while (i < n) {
        const uchar c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int len;
        uint cp;
        uint min;
        if ((c & 0xE0) == 0xC0) {
            len = 2, cp = c & 0x1F, min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3, cp = c & 0x0F, min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4, cp = c & 0x07, min = 0x10000;
        } else {
            return false;
        }
        if (n - i < len)
            return false;
        for (int k = 1; k < len; ++k) {
            const uchar cc = p[i + k];
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

// Windows-1252: Latin-1 except for 0x80-0x9F. The five codes the code page
// leaves unassigned map to the control character of the same number, as
// Windows itself converts them.
QString DecodeWindows1252(const uchar *p, qsizetype n)
{
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    QString out(n, Qt::Uninitialized);
    QChar *d = out.data();
    for (qsizetype i = 0; i < n; ++i)
        d[i] = (p[i] >= 0x80 && p[i] < 0xA0) ? QChar(high[p[i] - 0x80]) : QChar(p[i]);
    return out;
}

// UTF-16 without its byte-order mark; a last odd byte is dropped and a
// surrogate without its partner becomes U+FFFD, so that every text held in
// memory can be written back as UTF-8.
QString DecodeUtf16(const uchar *p, qsizetype n, bool bigEndian)
{
    const qsizetype count = n / 2;
    QString out(count, Qt::Uninitialized);
    QChar *d = out.data();
    for (qsizetype i = 0; i < count; ++i) {
        const uchar a = p[2 * i];
        const uchar b = p[2 * i + 1];
        d[i] = QChar(static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a)));
    }
    for (qsizetype i = 0; i < count; ++i) {
        if (d[i].isHighSurrogate() && i + 1 < count && d[i + 1].isLowSurrogate())
            ++i;
        else if (d[i].isSurrogate())
            d[i] = QChar(QChar::ReplacementCharacter);
    }
    return out;
}

} // namespace

QString CIniFile::DecodeText(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    qsizetype n = bytes.size();
    if (n >= 2 && p[0] == 0xFF && p[1] == 0xFE)
        return DecodeUtf16(p + 2, n - 2, false);
    if (n >= 2 && p[0] == 0xFE && p[1] == 0xFF)
        return DecodeUtf16(p + 2, n - 2, true);
    if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF)
        p += 3, n -= 3;
    if (IsValidUtf8(p, n))
        return QString::fromUtf8(reinterpret_cast<const char *>(p), n);
    return DecodeWindows1252(p, n);
}

QString CIniFile::EncodeValue(const QString &strValue)
{
    // A line break inside a value would end the line and could start a new
    // key or section; it is written as a blank instead.
    QString value = strValue;
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (!value.isEmpty() && (IsBlank(value.front()) || IsBlank(value.back()) || EnclosedInQuotes(value)))
        return QLatin1Char('"') + value + QLatin1Char('"');
    return value;
}

bool CIniFile::Load(const QString &strPath)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        Parse(QByteArray());
        return false;
    }
    Parse(file.readAll());
    return true;
}

void CIniFile::Parse(const QByteArray &bytes)
{
    m_sections.clear();
    m_sectionIndex.clear();
    const QString text = DecodeText(bytes);

    CSection *current = nullptr;
    const qsizetype n = text.size();
    qsizetype pos = 0;
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && text.at(end) != QLatin1Char('\r') && text.at(end) != QLatin1Char('\n'))
            ++end;
        const QString line = TrimBlanks(text.mid(pos, end - pos));
        // CR LF is one line end; a lone CR or LF is one as well.
        pos = end + ((end + 1 < n && text.at(end) == QLatin1Char('\r')
                      && text.at(end + 1) == QLatin1Char('\n')) ? 2 : 1);

        if (line.isEmpty() || line.front() == QLatin1Char(';'))
            continue;
        if (line.front() == QLatin1Char('[')) {
            const qsizetype close = line.lastIndexOf(QLatin1Char(']'));
            if (close > 0) {
                CSection section;
                section.strName = TrimBlanks(line.mid(1, close - 1));
                const QString folded = section.strName.toCaseFolded();
                if (!m_sectionIndex.contains(folded))
                    m_sectionIndex.insert(folded, static_cast<int>(m_sections.size()));
                m_sections.push_back(std::move(section));
                current = &m_sections.back();
                continue;
            }
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        if (!current) {
            CSection loose;
            loose.bNamed = false;
            m_sections.push_back(std::move(loose));
            current = &m_sections.back();
        }
        CEntry entry{TrimBlanks(line.left(eq)), TrimBlanks(line.mid(eq + 1))};
        const QString folded = entry.strKey.toCaseFolded();
        if (!current->keyIndex.contains(folded))
            current->keyIndex.insert(folded, static_cast<int>(current->entries.size()));
        current->entries.push_back(std::move(entry));
    }
}

const CIniFile::CSection *CIniFile::FindSection(const QString &strSection) const
{
    const auto it = m_sectionIndex.constFind(FoldName(strSection));
    return it == m_sectionIndex.cend() ? nullptr : &m_sections[static_cast<size_t>(*it)];
}

QString CIniFile::Value(const QString &strSection, const QString &strKey,
                        const QString &strDefault) const
{
    const CSection *section = FindSection(strSection);
    if (!section)
        return strDefault;
    const auto it = section->keyIndex.constFind(FoldName(strKey));
    if (it == section->keyIndex.cend())
        return strDefault;
    const QString &raw = section->entries[static_cast<size_t>(*it)].strValue;
    return EnclosedInQuotes(raw) ? raw.mid(1, raw.size() - 2) : raw;
}

bool CIniFile::Contains(const QString &strSection, const QString &strKey) const
{
    const CSection *section = FindSection(strSection);
    return section && section->keyIndex.contains(FoldName(strKey));
}

CIniFile::CSection &CIniFile::SectionForWrite(const QString &strSection)
{
    const QString folded = FoldName(strSection);
    const auto it = m_sectionIndex.constFind(folded);
    if (it != m_sectionIndex.cend())
        return m_sections[static_cast<size_t>(*it)];
    CSection section;
    section.strName = TrimBlanks(strSection);
    m_sections.push_back(std::move(section));
    m_sectionIndex.insert(folded, static_cast<int>(m_sections.size() - 1));
    return m_sections.back();
}

void CIniFile::AddSection(const QString &strSection)
{
    SectionForWrite(strSection);
}

void CIniFile::SetValue(const QString &strSection, const QString &strKey, const QString &strValue)
{
    CSection &section = SectionForWrite(strSection);
    const QString folded = FoldName(strKey);
    const QString stored = EncodeValue(strValue);
    const auto it = section.keyIndex.constFind(folded);
    if (it != section.keyIndex.cend()) {
        section.entries[static_cast<size_t>(*it)].strValue = stored;
        return;
    }
    section.keyIndex.insert(folded, static_cast<int>(section.entries.size()));
    section.entries.push_back(CEntry{TrimBlanks(strKey), stored});
}

QByteArray CIniFile::ToBytes() const
{
    QString text;
    bool first = true;
    for (const CSection &section : m_sections) {
        if (section.bNamed) {
            if (!first)
                text += QLatin1String("\r\n");
            text += QLatin1Char('[') + section.strName + QLatin1String("]\r\n");
        }
        first = false;
        for (const CEntry &entry : section.entries)
            text += entry.strKey + QLatin1Char('=') + entry.strValue + QLatin1String("\r\n");
    }
    return text.toUtf8();
}

bool CIniFile::Save(const QString &strPath, QString *pError) const
{
    return WriteFileAtomically(strPath, ToBytes(), pError);
}
