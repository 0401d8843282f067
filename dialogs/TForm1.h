#pragma once

#include "framework/TForm.h"

class TImage;
class TLabel;
class TLumaroLButton;
class TPageControl;
class TTabSheet;

// The World Times dialog: a framed page control of eight pages, one picture of a table of
// times each, named by alphabetical ranges of the cities. Everything but closing is in its
// layout.
class TForm1 : public TForm {
    Q_OBJECT

public:
    explicit TForm1(QWidget* owner = nullptr);

public Q_SLOTS:
    void Loaded();
    void LumaroLButton1Click(QObject* Sender);

private:
    TImage* Image11 = nullptr;
    TImage* Image13 = nullptr;
    TImage* Image12 = nullptr;
    TImage* Image1 = nullptr;
    TImage* Image4 = nullptr;
    TLumaroLButton* LumaroLButton1 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label3 = nullptr;
    TPageControl* PageControl1 = nullptr;
    TTabSheet* AB = nullptr;
    TImage* Image5 = nullptr;
    TTabSheet* BC = nullptr;
    TImage* Image6 = nullptr;
    TTabSheet* DH = nullptr;
    TImage* Image7 = nullptr;
    TTabSheet* HL = nullptr;
    TImage* Image8 = nullptr;
    TTabSheet* MN = nullptr;
    TImage* Image9 = nullptr;
    TTabSheet* NP = nullptr;
    TImage* Image10 = nullptr;
    TTabSheet* QT = nullptr;
    TImage* Image3 = nullptr;
    TTabSheet* TZ = nullptr;
    TImage* Image2 = nullptr;
};
