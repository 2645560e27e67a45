#include "store/ini/IniFile.h"

#include "store/files/AtomicFile.h"

#include <QFile>

namespace {

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QStringView TrimBlanks(QStringView s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && IsBlank(s[begin]))
        ++begin;
    while (end > begin && IsBlank(s[end - 1]))
        --end;
    return s.mid(begin, end - begin);
}

// Names are compared without regard to letter case: as their case-folded
// forms. An ASCII name's folded form is the name in lower case, so ASCII
// names (all the names a project file holds) are hashed and compared as
// they stand; others are folded first.
char16_t LowerAscii(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

bool IsAscii(QStringView s)
{
    for (QChar c : s)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

uint32_t HashLowered(QStringView s)
{
    uint32_t h = 2166136261u; // FNV-1a
    for (QChar c : s)
        h = (h ^ LowerAscii(c.unicode())) * 16777619u;
    return h;
}

uint32_t NameHash(QStringView name)
{
    return IsAscii(name) ? HashLowered(name) : HashLowered(name.toString().toCaseFolded());
}

bool SameName(QStringView a, QStringView b)
{
    if (a.size() == b.size()) {
        qsizetype i = 0;
        for (; i < a.size(); ++i) {
            const char16_t x = a[i].unicode();
            const char16_t y = b[i].unicode();
            if (x >= 0x80 || y >= 0x80)
                break;
            if (LowerAscii(x) != LowerAscii(y))
                return false; // folding keeps the ASCII prefix in place
        }
        if (i == a.size())
            return true;
    } else if (IsAscii(a) && IsAscii(b)) {
        return false;
    }
    return a.toString().toCaseFolded() == b.toString().toCaseFolded();
}

bool IsQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

bool EnclosedInQuotes(QStringView s)
{
    return s.size() >= 2 && IsQuote(s.front()) && s.back() == s.front();
}

// A value as read: one pair of enclosing quotes removed.
QStringView Unquoted(QStringView raw)
{
    return EnclosedInQuotes(raw) ? raw.mid(1, raw.size() - 2) : raw;
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

void CIniFile::CNameIndex::Reserve(qsizetype n)
{
    qsizetype size = 8;
    while (size < 2 * n)
        size *= 2;
    m_slots.assign(static_cast<size_t>(size), CSlot{0, -1});
    m_nUsed = 0;
}

void CIniFile::CNameIndex::Grow()
{
    std::vector<CSlot> old;
    old.swap(m_slots);
    Reserve(static_cast<qsizetype>(old.size()));
    const size_t mask = m_slots.size() - 1;
    for (const CSlot &slot : old) {
        if (slot.nPos < 0)
            continue;
        size_t i = slot.hash & mask;
        while (m_slots[i].nPos >= 0)
            i = (i + 1) & mask;
        m_slots[i] = slot;
        ++m_nUsed;
    }
}

template <class NameAt>
int CIniFile::CNameIndex::Find(QStringView name, uint32_t hash, const NameAt &nameAt) const
{
    if (m_slots.empty())
        return -1;
    const size_t mask = m_slots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const CSlot &slot = m_slots[i];
        if (slot.nPos < 0)
            return -1;
        if (slot.hash == hash && SameName(nameAt(slot.nPos), name))
            return slot.nPos;
    }
}

template <class NameAt>
void CIniFile::CNameIndex::Add(int nPos, uint32_t hash, const NameAt &nameAt)
{
    if (2 * (m_nUsed + 1) > static_cast<qsizetype>(m_slots.size()))
        Grow();
    const size_t mask = m_slots.size() - 1;
    size_t i = hash & mask;
    for (; m_slots[i].nPos >= 0; i = (i + 1) & mask)
        if (m_slots[i].hash == hash && SameName(nameAt(m_slots[i].nPos), nameAt(nPos)))
            return; // the first of a name wins
    m_slots[i] = CSlot{hash, nPos};
    ++m_nUsed;
}

const CIniFile::CEntry *CIniFile::CSection::Find(QStringView key) const
{
    const int i = keyIndex.Find(key, NameHash(key),
                                [this](int n) { return entries[static_cast<size_t>(n)].key; });
    return i < 0 ? nullptr : &entries[static_cast<size_t>(i)];
}

void CIniFile::IndexKeys(CSection &section) const
{
    section.keyIndex.Reserve(static_cast<qsizetype>(section.entries.size()));
    const auto keyAt = [&section](int n) { return section.entries[static_cast<size_t>(n)].key; };
    for (size_t i = 0; i < section.entries.size(); ++i)
        section.keyIndex.Add(static_cast<int>(i), section.entries[i].hash, keyAt);
}

void CIniFile::Parse(const QByteArray &bytes)
{
    m_sections.clear();
    m_sectionIndex.Clear();
    m_strText = DecodeText(bytes);
    const QStringView text(m_strText);

    // The lines are cut into views of the text, then every table is made
    // once, sized for what it holds.
    CSection *current = nullptr;
    const qsizetype n = text.size();
    const char16_t *const chars = text.utf16();
    qsizetype pos = 0;
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && chars[end] != u'\r' && chars[end] != u'\n')
            ++end;
        const QStringView line = TrimBlanks(text.mid(pos, end - pos));
        // CR LF is one line end; a lone CR or LF is one as well.
        pos = end + ((end + 1 < n && chars[end] == u'\r' && chars[end + 1] == u'\n') ? 2 : 1);

        if (line.isEmpty() || line.front() == QLatin1Char(';'))
            continue;
        if (line.front() == QLatin1Char('[')) {
            const qsizetype close = line.lastIndexOf(QLatin1Char(']'));
            if (close > 0) {
                m_sections.emplace_back();
                current = &m_sections.back();
                current->name = TrimBlanks(line.mid(1, close - 1));
                continue;
            }
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        if (!current) {
            m_sections.emplace_back();
            current = &m_sections.back();
            current->bNamed = false;
        }
        const QStringView key = TrimBlanks(line.left(eq));
        current->entries.push_back(CEntry{key, TrimBlanks(line.mid(eq + 1)), NameHash(key), {}, {}});
    }

    m_sectionIndex.Reserve(static_cast<qsizetype>(m_sections.size()));
    const auto nameAt = [this](int i) { return m_sections[static_cast<size_t>(i)].name; };
    for (size_t i = 0; i < m_sections.size(); ++i) {
        CSection &section = m_sections[i];
        if (section.bNamed)
            m_sectionIndex.Add(static_cast<int>(i), NameHash(section.name), nameAt);
        IndexKeys(section);
    }
}

const CIniFile::CSection *CIniFile::FindSection(QStringView strSection) const
{
    const QStringView name = TrimBlanks(strSection);
    const int i = m_sectionIndex.Find(name, NameHash(name), [this](int n) {
        return m_sections[static_cast<size_t>(n)].name;
    });
    return i < 0 ? nullptr : &m_sections[static_cast<size_t>(i)];
}

CIniFile::CSectionReader CIniFile::Section(QStringView strSection) const
{
    CSectionReader reader;
    reader.m_pSection = FindSection(strSection);
    return reader;
}

QStringView CIniFile::CSectionReader::ValueView(QStringView key, QStringView strDefault) const
{
    const CEntry *entry = m_pSection ? m_pSection->Find(TrimBlanks(key)) : nullptr;
    return entry ? Unquoted(entry->value) : strDefault;
}

QString CIniFile::CSectionReader::Value(QStringView key, const QString &strDefault) const
{
    const CEntry *entry = m_pSection ? m_pSection->Find(TrimBlanks(key)) : nullptr;
    return entry ? Unquoted(entry->value).toString() : strDefault;
}

bool CIniFile::CSectionReader::Contains(QStringView key) const
{
    return m_pSection && m_pSection->Find(TrimBlanks(key));
}

QString CIniFile::Value(const QString &strSection, const QString &strKey,
                        const QString &strDefault) const
{
    return Section(strSection).Value(strKey, strDefault);
}

bool CIniFile::Contains(const QString &strSection, const QString &strKey) const
{
    return Section(strSection).Contains(strKey);
}

CIniFile::CSection &CIniFile::SectionForWrite(const QString &strSection)
{
    if (CSection *found = const_cast<CSection *>(FindSection(strSection)))
        return *found;
    m_sections.emplace_back();
    CSection &section = m_sections.back();
    section.strOwnedName = TrimBlanks(strSection).toString();
    section.name = section.strOwnedName;
    m_sectionIndex.Add(static_cast<int>(m_sections.size() - 1), NameHash(section.name),
                       [this](int i) { return m_sections[static_cast<size_t>(i)].name; });
    return section;
}

void CIniFile::AddSection(const QString &strSection)
{
    SectionForWrite(strSection);
}

void CIniFile::SetValue(const QString &strSection, const QString &strKey, const QString &strValue)
{
    CSection &section = SectionForWrite(strSection);
    const QStringView key = TrimBlanks(strKey);
    if (CEntry *entry = const_cast<CEntry *>(section.Find(key))) {
        entry->strOwnedValue = EncodeValue(strValue);
        entry->value = entry->strOwnedValue;
        return;
    }
    section.entries.push_back(CEntry{{}, {}, NameHash(key), key.toString(), EncodeValue(strValue)});
    CEntry &entry = section.entries.back();
    entry.key = entry.strOwnedKey;
    entry.value = entry.strOwnedValue;
    section.keyIndex.Add(static_cast<int>(section.entries.size() - 1), entry.hash,
                         [&section](int i) { return section.entries[static_cast<size_t>(i)].key; });
}

QByteArray CIniFile::ToBytes() const
{
    QString text;
    bool first = true;
    for (const CSection &section : m_sections) {
        if (section.bNamed) {
            if (!first)
                text += QLatin1String("\r\n");
            text += QLatin1Char('[');
            text += section.name;
            text += QLatin1String("]\r\n");
        }
        first = false;
        for (const CEntry &entry : section.entries) {
            text += entry.key;
            text += QLatin1Char('=');
            text += entry.value;
            text += QLatin1String("\r\n");
        }
    }
    return text.toUtf8();
}

bool CIniFile::Save(const QString &strPath, QString *pError) const
{
    return WriteFileAtomically(strPath, ToBytes(), pError);
}
