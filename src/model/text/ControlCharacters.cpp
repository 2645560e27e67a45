#include "model/text/ControlCharacters.h"

qsizetype FindControlCharacter(const QString &text)
{
    const QChar *const chars = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i)
        if (IsControlCharacter(chars[i].unicode()))
            return i;
    return -1;
}
