#include "framework/Colors.h"

#include "framework/SkinPalette.h"

#include <QHash>

namespace Colors {
namespace {
QColor systemColor(int index)
{
    // The skin's colours, not the desktop theme's.
    const QPalette& palette = SkinPalette::palette();
    switch (index) {
    case Window:
    case InfoBk:
        return palette.color(QPalette::Base);
    case WindowText:
    case MenuText:
    case CaptionText:
    case InfoText:
        return palette.color(QPalette::Text);
    case WindowFrame:
    case DkShadow3D:
        return palette.color(QPalette::Shadow);
    case Highlight:
    case ActiveCaption:
        return palette.color(QPalette::Highlight);
    case HighlightText:
        return palette.color(QPalette::HighlightedText);
    case BtnFace:
    case Menu:
    case ActiveBorder:
    case InactiveBorder:
    case ScrollBar:
        return palette.color(QPalette::Button);
    case BtnShadow:
        return palette.color(QPalette::Dark);
    case BtnHighlight:
        return palette.color(QPalette::Light);
    case Light3D:
        return palette.color(QPalette::Midlight);
    case BtnText:
        return palette.color(QPalette::ButtonText);
    case GrayText:
    case InactiveCaption:
    case InactiveCaptionText:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case Background:
    case AppWorkspace:
        return palette.color(QPalette::Window);
    default:
        return Qt::black;
    }
}
} // namespace

QColor toQColor(TColor color)
{
    if (color & SystemColorBit)
        return systemColor(int(color & 0xFF));
    if (color == clNone)
        return Qt::transparent;
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

TColor toRgb(TColor color)
{
    return fromQColor(toQColor(color));
}

TColor fromQColor(const QColor& color)
{
    return TColor(color.red()) | (TColor(color.green()) << 8) | (TColor(color.blue()) << 16);
}

std::optional<TColor> fromName(const QString& name)
{
    static const QHash<QString, TColor> names = {
        {"clNone", clNone},       {"clBlack", clBlack},
        {"clMaroon", clMaroon},   {"clGreen", clGreen},
        {"clOlive", clOlive},     {"clNavy", clNavy},
        {"clPurple", clPurple},   {"clTeal", clTeal},
        {"clGray", clGray},       {"clSilver", clSilver},
        {"clRed", clRed},         {"clLime", clLime},
        {"clYellow", clYellow},   {"clBlue", clBlue},
        {"clFuchsia", clFuchsia}, {"clAqua", clAqua},
        {"clWhite", clWhite},     {"clWindow", clWindow},
        {"clWindowText", clWindowText}, {"clWindowFrame", clWindowFrame},
        {"clBtnFace", clBtnFace}, {"clBtnShadow", clBtnShadow},
        {"clBtnHighlight", clBtnHighlight}, {"clHighlight", clHighlight},
        {"clHighlightText", clHighlightText}, {"clInactiveCaption", clInactiveCaption},
        {"clBtnText", system(BtnText)}, {"clGrayText", system(GrayText)},
        {"clInfoBk", system(InfoBk)}, {"clInfoText", system(InfoText)},
    };
    const auto it = names.constFind(name);
    if (it == names.constEnd())
        return std::nullopt;
    return *it;
}
} // namespace Colors
