// libFuzzer target: any bytes read as a page must read without a fault, in
// time linear in their size; and where they carry a menu, the page written
// from what was read must read back as the same page (what the reader makes
// of a page, the writer and the reader keep).

#include "html/read/PageReader.h"
#include "model/menu/AppletMenu.h"
#include "model/config/AppletParameters.h"

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
    // The page's folder does not exist, so no picture it names is there:
    // the reader keeps each by the path it would have (a save copies it
    // once it is there), and an item without a label is named by it in the
    // link list. Without pictures, what is read must be written again as
    // it is.
    read.m_appBKImagePath.clear();
    for (auto &item : read.m_pMainMenu->m_items) {
        item->m_strImage.clear();
        if (item->m_pSubMenu)
            for (auto &sub : item->m_pSubMenu->m_items)
                sub->m_strImage.clear();
    }
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
