#pragma once

#include <QString>
#include <QStringList>

// What reading a page found that it could not take as it stands: a value it
// could not read (its default kept), one the project file cannot hold, a
// picture that is missing, a link that runs code. One sentence each, in the
// order found. A hostile page may give a note for every one of thousands of
// params: the first kMaxNotes are kept, and a last line counts the rest.
class CReadNotes {
public:
    static constexpr int kMaxNotes = 100;

    void Add(const QString &note);
    // About one param: "<param>: <note>".
    void AddFor(const QString &param, const QString &note);

    bool IsEmpty() const { return m_nCount == 0; }
    qsizetype Count() const { return m_nCount; }
    // The notes kept, then "... and N more" when some were left out.
    QStringList Lines() const;

private:
    QStringList m_notes;
    qsizetype m_nCount = 0;
};
