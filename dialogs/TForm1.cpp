#include "dialogs/TForm1.h"

#include "controls/TLumaroLButton.h"
#include "framework/TImage.h"
#include "framework/TLabel.h"
#include "framework/TPageControl.h"
#include "framework/TTabSheet.h"

TForm1::TForm1(QWidget* owner) : TForm(owner) {}

void TForm1::Loaded()
{
    Image11 = component<TImage>(QStringLiteral("Image11"));
    Image13 = component<TImage>(QStringLiteral("Image13"));
    Image12 = component<TImage>(QStringLiteral("Image12"));
    Image1 = component<TImage>(QStringLiteral("Image1"));
    Image4 = component<TImage>(QStringLiteral("Image4"));
    LumaroLButton1 = component<TLumaroLButton>(QStringLiteral("LumaroLButton1"));
    Label1 = component<TLabel>(QStringLiteral("Label1"));
    Label3 = component<TLabel>(QStringLiteral("Label3"));
    PageControl1 = component<TPageControl>(QStringLiteral("PageControl1"));
    AB = component<TTabSheet>(QStringLiteral("AB"));
    Image5 = component<TImage>(QStringLiteral("Image5"));
    BC = component<TTabSheet>(QStringLiteral("BC"));
    Image6 = component<TImage>(QStringLiteral("Image6"));
    DH = component<TTabSheet>(QStringLiteral("DH"));
    Image7 = component<TImage>(QStringLiteral("Image7"));
    HL = component<TTabSheet>(QStringLiteral("HL"));
    Image8 = component<TImage>(QStringLiteral("Image8"));
    MN = component<TTabSheet>(QStringLiteral("MN"));
    Image9 = component<TImage>(QStringLiteral("Image9"));
    NP = component<TTabSheet>(QStringLiteral("NP"));
    Image10 = component<TImage>(QStringLiteral("Image10"));
    QT = component<TTabSheet>(QStringLiteral("QT"));
    Image3 = component<TImage>(QStringLiteral("Image3"));
    TZ = component<TTabSheet>(QStringLiteral("TZ"));
    Image2 = component<TImage>(QStringLiteral("Image2"));
}

void TForm1::LumaroLButton1Click(QObject*)
{
    Close();
}
