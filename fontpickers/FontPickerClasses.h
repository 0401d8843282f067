#pragma once

// Makes the font pickers known to the layout reader ("TFontNameComboBox", "TFontSizeComboBox").
void registerFontPickerClasses();
