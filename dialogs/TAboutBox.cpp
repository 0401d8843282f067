#include "dialogs/TAboutBox.h"

#include "controls/TLumaroLButton.h"
#include "controls/TUrlLabel.h"
#include "framework/TImage.h"

TAboutBox::TAboutBox(QWidget* owner) : TForm(owner) {}

void TAboutBox::Loaded()
{
    Image1 = component<TImage>(QStringLiteral("Image1"));
    LumaroLButton1 = component<TLumaroLButton>(QStringLiteral("LumaroLButton1"));
    UrlLabel1 = component<TUrlLabel>(QStringLiteral("UrlLabel1"));
}

void TAboutBox::LumaroLButton1Click(QObject*)
{
    Close();
}
