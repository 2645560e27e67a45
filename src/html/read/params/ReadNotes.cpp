#include "html/read/params/ReadNotes.h"

void CReadNotes::Add(const QString &note)
{
    if (m_nCount++ < kMaxNotes)
        m_notes.append(note);
}

void CReadNotes::AddFor(const QString &param, const QString &note)
{
    if (m_nCount < kMaxNotes)
        Add(param + QStringLiteral(": ") + note);
    else
        ++m_nCount;
}

QStringList CReadNotes::Lines() const
{
    QStringList lines = m_notes;
    if (m_nCount > m_notes.size())
        lines.append(QStringLiteral("... and %1 more").arg(m_nCount - m_notes.size()));
    return lines;
}
