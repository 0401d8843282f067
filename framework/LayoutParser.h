#pragma once

#include "framework/LayoutTree.h"

// Parses a layout's text:
//
//   object MainForm : TMainForm       # the window; nested objects are its components
//     Caption = "LumaroStyle Notepad"
//     Font.Height = -11
//     Options = [foScreenFonts, foDisplayFont]
//     UpImage = file "art/buttons/new_up.bmp"
//     Panels = ( item Width = 120 end  item Width = 60 end )
//     OnCreate = FormCreate
//     object Editor : TRichEdit
//       ...
//     end
//   end
//
// Failures throw AppError naming the source and the line.
class LayoutParser {
public:
    static LayoutObject parse(const QString& text, const QString& sourceName);
};
