#pragma once

#include <QColor>
#include <QString>
#include <optional>

// Colours as the layouts and the attribute model store them: a 32-bit value, 0x00BBGGRR for an
// RGB colour (red in the low byte), 0x80000000 + n for system colour n (resolved when drawn
// from the application's palette), clNone for "no colour".
namespace Colors {
using TColor = quint32;

constexpr TColor SystemColorBit = 0x80000000u;
constexpr TColor clNone = 0x1FFFFFFFu;
constexpr TColor clBlack = 0x000000u;
constexpr TColor clMaroon = 0x000080u;
constexpr TColor clGreen = 0x008000u;
constexpr TColor clOlive = 0x008080u;
constexpr TColor clNavy = 0x800000u;
constexpr TColor clPurple = 0x800080u;
constexpr TColor clTeal = 0x808000u;
constexpr TColor clGray = 0x808080u;
constexpr TColor clSilver = 0xC0C0C0u;
constexpr TColor clRed = 0x0000FFu;
constexpr TColor clLime = 0x00FF00u;
constexpr TColor clYellow = 0x00FFFFu;
constexpr TColor clBlue = 0xFF0000u;
constexpr TColor clFuchsia = 0xFF00FFu;
constexpr TColor clAqua = 0xFFFF00u;
constexpr TColor clWhite = 0xFFFFFFu;

// System colour indexes (the platform's numbering) and their TColor values.
enum SystemColor : int {
    ScrollBar = 0, Background = 1, ActiveCaption = 2, InactiveCaption = 3, Menu = 4, Window = 5,
    WindowFrame = 6, MenuText = 7, WindowText = 8, CaptionText = 9, ActiveBorder = 10,
    InactiveBorder = 11, AppWorkspace = 12, Highlight = 13, HighlightText = 14, BtnFace = 15,
    BtnShadow = 16, GrayText = 17, BtnText = 18, InactiveCaptionText = 19, BtnHighlight = 20,
    DkShadow3D = 21, Light3D = 22, InfoText = 23, InfoBk = 24,
};
constexpr TColor system(SystemColor index)
{
    return SystemColorBit | TColor(index);
}
constexpr TColor clWindow = system(Window);
constexpr TColor clWindowText = system(WindowText);
constexpr TColor clWindowFrame = system(WindowFrame);
constexpr TColor clBtnFace = system(BtnFace);
constexpr TColor clBtnShadow = system(BtnShadow);
constexpr TColor clBtnHighlight = system(BtnHighlight);
constexpr TColor clHighlight = system(Highlight);
constexpr TColor clHighlightText = system(HighlightText);
constexpr TColor clInactiveCaption = system(InactiveCaption);

// The colour to draw with; system colours come from the application's palette.
QColor toQColor(TColor color);
// The RGB value of a colour (system colours resolved).
TColor toRgb(TColor color);
TColor fromQColor(const QColor& color);
// Value of a colour name such as "clMaroon" or "clBtnFace".
std::optional<TColor> fromName(const QString& name);
} // namespace Colors
