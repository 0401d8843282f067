#pragma once

#include "framework/TForm.h"

class TImage;
class TLumaroLButton;
class TPageControl;
class TTabSheet;

// The Metric Conversion Tables dialog: a framed page control of five pages, one picture of a
// conversion table each; it opens on the first volume table. Everything but closing is in its
// layout.
class TForm2 : public TForm {
    Q_OBJECT

public:
    explicit TForm2(QWidget* owner = nullptr);

public Q_SLOTS:
    void Loaded();
    void LumaroLButton1Click(QObject* Sender);

private:
    TImage* Image10 = nullptr;
    TImage* Image2 = nullptr;
    TLumaroLButton* LumaroLButton1 = nullptr;
    TImage* Image7 = nullptr;
    TImage* Image8 = nullptr;
    TImage* Image9 = nullptr;
    TPageControl* PageControl1 = nullptr;
    TTabSheet* LenghtSheet = nullptr;
    TImage* Image1 = nullptr;
    TTabSheet* AreaSheet = nullptr;
    TImage* Image3 = nullptr;
    TTabSheet* MassSheet = nullptr;
    TImage* Image4 = nullptr;
    TTabSheet* VolumeSheet = nullptr;
    TImage* Image5 = nullptr;
    TTabSheet* TemprSheet = nullptr;
    TImage* Image6 = nullptr;
};
