#pragma once

#include <QString>

// Field n (from 0) of a text cut at a delimiter; a missing field is empty.
QString GetField(const QString &strText, int n, const QString &strDelimiter);
