#include "store/ini/GetField.h"

QString GetField(const QString &strText, int n, const QString &strDelimiter)
{
    if (n < 0)
        return QString();
    // An empty delimiter is found at the start of every rest, so every field
    // is empty; answering at once spares n passes.
    if (strDelimiter.isEmpty())
        return QString();
    QString rest = strText;
    QString field;
    for (int countdown = n; countdown >= 0; --countdown) {
        const qsizetype at = rest.indexOf(strDelimiter);
        if (at < 0)
            return (countdown == 0 && !rest.isEmpty()) ? rest : QString();
        field = rest.left(at);
        rest.remove(0, at + strDelimiter.size());
    }
    return field;
}
