#pragma once

// Makes the rich-text control known to layouts as "TRichEdit".
void registerRichTextClasses();
