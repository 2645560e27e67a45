#include "wizard/widgets/ContrastLabel.h"

#include "render/Contrast.h"

CContrastLabel::CContrastLabel(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("contrast"));
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // A stop of the Tab order, so that keyboard and screen-reader users can
    // come back to the figure whenever they wish.
    setFocusPolicy(Qt::StrongFocus);
    const QString help = QStringLiteral(
        "How well the item text stands out from its background, at the worst point of a shade. "
        "Level AA of the web's accessibility guidelines asks at least 4.5:1, or 3:1 for text of "
        "24 pixels or more (20 pixels or more in bold).");
    setToolTip(help);
    setAccessibleDescription(help);
}

void CContrastLabel::ShowContrast(const CTextContrast &contrast)
{
    const QString ratio = QStringLiteral("Contrast %1").arg(FormatRatio(contrast.ratio));
    QString verdict = QStringLiteral("AA");
    if (!contrast.Passes())
        verdict = QStringLiteral("Low contrast (needs %1)").arg(FormatRatio(contrast.required));
    setText(ratio + QStringLiteral("   ") + verdict);
    setAccessibleName(ratio + QStringLiteral(", ") + verdict);
}
