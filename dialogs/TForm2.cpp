#include "dialogs/TForm2.h"

#include "controls/TLumaroLButton.h"
#include "framework/TImage.h"
#include "framework/TPageControl.h"
#include "framework/TTabSheet.h"

TForm2::TForm2(QWidget* owner) : TForm(owner) {}

void TForm2::Loaded()
{
    Image10 = component<TImage>(QStringLiteral("Image10"));
    Image2 = component<TImage>(QStringLiteral("Image2"));
    LumaroLButton1 = component<TLumaroLButton>(QStringLiteral("LumaroLButton1"));
    Image7 = component<TImage>(QStringLiteral("Image7"));
    Image8 = component<TImage>(QStringLiteral("Image8"));
    Image9 = component<TImage>(QStringLiteral("Image9"));
    PageControl1 = component<TPageControl>(QStringLiteral("PageControl1"));
    LenghtSheet = component<TTabSheet>(QStringLiteral("LenghtSheet"));
    Image1 = component<TImage>(QStringLiteral("Image1"));
    AreaSheet = component<TTabSheet>(QStringLiteral("AreaSheet"));
    Image3 = component<TImage>(QStringLiteral("Image3"));
    MassSheet = component<TTabSheet>(QStringLiteral("MassSheet"));
    Image4 = component<TImage>(QStringLiteral("Image4"));
    VolumeSheet = component<TTabSheet>(QStringLiteral("VolumeSheet"));
    Image5 = component<TImage>(QStringLiteral("Image5"));
    TemprSheet = component<TTabSheet>(QStringLiteral("TemprSheet"));
    Image6 = component<TImage>(QStringLiteral("Image6"));
}

void TForm2::LumaroLButton1Click(QObject*)
{
    Close();
}
