#pragma once

#include "framework/TForm.h"

class TImage;
class TLumaroLButton;
class TUrlLabel;

// The about box: one picture over the whole dialog, the link to the product's home page and a
// close button. Everything but closing is in its layout.
class TAboutBox : public TForm {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* owner = nullptr);

public Q_SLOTS:
    void Loaded();
    void LumaroLButton1Click(QObject* Sender);

private:
    TImage* Image1 = nullptr;
    TLumaroLButton* LumaroLButton1 = nullptr;
    TUrlLabel* UrlLabel1 = nullptr;
};
