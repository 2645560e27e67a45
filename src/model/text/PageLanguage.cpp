#include "model/text/PageLanguage.h"

#include <QLocale>

namespace {

bool IsLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

bool IsLanguageTag(QStringView strTag)
{
    constexpr qsizetype kMaxLength = 35;
    if (strTag.isEmpty() || strTag.size() > kMaxLength)
        return false;
    qsizetype start = 0;
    bool first = true;
    while (start <= strTag.size()) {
        qsizetype end = strTag.indexOf(QLatin1Char('-'), start);
        if (end < 0)
            end = strTag.size();
        const QStringView part = strTag.sliced(start, end - start);
        const qsizetype n = part.size();
        if (n < 1 || n > 8)
            return false;
        for (QChar c : part)
            if (!IsLetter(c) && !(IsDigit(c) && !first))
                return false;
        // The primary language: two or three letters, or five to eight
        // (four are reserved).
        if (first && (n < 2 || n == 4))
            return false;
        first = false;
        start = end + 1;
    }
    return true;
}

QString SystemPageLanguage()
{
    const QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage)
        return QStringLiteral("en");
    QString tag = locale.name();
    tag.replace(QLatin1Char('_'), QLatin1Char('-'));
    return IsLanguageTag(tag) ? tag : QStringLiteral("en");
}
