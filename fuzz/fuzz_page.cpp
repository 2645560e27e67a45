// libFuzzer target: any bytes read as a page must read without a fault, in
// time linear in their size; and where they carry a menu, the page written
// from what was read must read back as the same page (what the reader makes
// of a page, the writer and the reader keep).

#include "html/read/PageReader.h"
#include "model/AppletParameters.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray page(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = QStringLiteral("/nonexistent/fuzz/page.htm");
    CAppletParameters read;
    CPageRead found;
    if (!CPageReader(page, path).Read(read, &found))
        return 0;
    const auto silent = [](const QString &) {};
    const QByteArray written = read.GenerateHTMLBytes(silent);
    CAppletParameters again;
    if (!CPageReader(written, path).Read(again, &found) || found.found != CPageRead::EFound::Page) {
        std::fprintf(stderr, "a written page carries no menu\n");
        std::abort();
    }
    if (again.GenerateHTMLBytes(silent) != written) {
        std::fprintf(stderr, "The page written:\n%s\nThat page read back and written again:\n%s\n",
                     written.constData(), again.GenerateHTMLBytes(silent).constData());
        std::fprintf(stderr, "a written page reads back as another page\n");
        std::abort();
    }
    return 0;
}
