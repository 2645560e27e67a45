#include "store/files/PictureFile.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>

namespace {

bool StartsWith(const QByteArray &bytes, const char *prefix, qsizetype at = 0)
{
    const qsizetype n = qsizetype(std::strlen(prefix));
    return bytes.size() >= at + n && std::memcmp(bytes.constData() + at, prefix, size_t(n)) == 0;
}

quint32 LittleEndian(const QByteArray &bytes, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// An SVG document: what may stand before the root element is skipped, and
// the root element must be svg.
bool IsSvg(const QByteArray &head)
{
    qsizetype at = StartsWith(head, "\xEF\xBB\xBF") ? 3 : 0;
    if (StartsWith(head, "<?xml", at) && head.size() > at + 5 && (IsBlank(head[at + 5]) || head[at + 5] == '?')) {
        const qsizetype end = head.indexOf("?>", at);
        if (end < 0)
            return false;
        at = end + 2;
    }
    for (;;) {
        while (at < head.size() && IsBlank(head[at]))
            ++at;
        if (StartsWith(head, "<!--", at)) {
            const qsizetype end = head.indexOf("-->", at + 4);
            if (end < 0)
                return false;
            at = end + 3;
            continue;
        }
        break;
    }
    // A DOCTYPE, another processing instruction, text or another root: no.
    if (!StartsWith(head, "<svg", at) || head.size() <= at + 4)
        return false;
    const char next = head[at + 4];
    return IsBlank(next) || next == '>' || next == '/';
}

} // namespace

bool IsPictureContent(const QByteArray &head)
{
    if (StartsWith(head, "\x89PNG\r\n\x1A\n"))
        return true;
    if (StartsWith(head, "GIF87a") || StartsWith(head, "GIF89a"))
        return true;
    if (StartsWith(head, "\xFF\xD8\xFF"))
        return true;
    if (StartsWith(head, "RIFF") && StartsWith(head, "WEBP", 8))
        return true;
    // BMP: "BM", then a header whose size is one of the known versions'.
    if (StartsWith(head, "BM") && head.size() >= 18) {
        const quint32 info = LittleEndian(head, 14, 4);
        if (info == 12 || info == 40 || info == 52 || info == 56 || info == 64 || info == 108 || info == 124)
            return true;
    }
    // ICO: reserved 0, type 1, at least one image.
    if (head.size() >= 6 && LittleEndian(head, 0, 2) == 0 && LittleEndian(head, 2, 2) == 1
        && LittleEndian(head, 4, 2) > 0)
        return true;
    return IsSvg(head);
}

bool IsPictureFile(const QString &strPath)
{
    if (!QFileInfo(strPath).isFile())
        return false;
    QFile in(strPath);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    return IsPictureContent(in.read(kPictureHeadSize));
}
