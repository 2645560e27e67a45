#pragma once

#include <QHash>
#include <QString>

#include <functional>

class CReadNotes;

// The name of a param, made when a note needs it.
using CParamName = std::function<QString()>;

// Where the pictures a page names are: relative to the page's folder, and
// only within the folder the page's links may reach (the page's own, or the
// site folder). A missing one is kept by the path it would have (a save
// copies it once it is there); one outside, one reached by a link from
// outside, a wildcard name or an address of another site is left out. Each
// is told in a note, once per name.
class CPagePictures {
public:
    CPagePictures(const QString &strPageFolder, const QString &strRoot);

    // The path to keep for the picture `name` that `param` names; empty
    // when it cannot be taken.
    QString Find(const QString &name, const CParamName &param, CReadNotes &notes);

private:
    static bool Within(const QString &path, const QString &folder);
    QString Look(const QString &name, const CParamName &paramName, CReadNotes &notes);

    QString m_strPageFolder;
    QString m_strRoot;
    QString m_strCanonicalRoot;
    QHash<QString, QString> m_found;
};
