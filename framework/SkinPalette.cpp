#include "framework/SkinPalette.h"

namespace {
QPalette& skin()
{
    static QPalette colours = [] {
        // A light grey face with white fields and black text; Qt derives the shades of the
        // bevels from the face.
        QPalette p(QColor(239, 239, 239));
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            p.setColor(group, QPalette::Base, Qt::white);
            p.setColor(group, QPalette::Text, Qt::black);
            p.setColor(group, QPalette::WindowText, Qt::black);
            p.setColor(group, QPalette::ButtonText, Qt::black);
            p.setColor(group, QPalette::Highlight, QColor(48, 140, 198));
            p.setColor(group, QPalette::HighlightedText, Qt::white);
            p.setColor(group, QPalette::ToolTipBase, QColor(255, 255, 220));
            p.setColor(group, QPalette::ToolTipText, Qt::black);
            p.setColor(group, QPalette::Link, QColor(0, 0, 255));
            p.setColor(group, QPalette::PlaceholderText, QColor(128, 128, 128));
        }
        p.setColor(QPalette::Disabled, QPalette::Base, QColor(239, 239, 239));
        p.setColor(QPalette::Disabled, QPalette::Text, QColor(190, 190, 190));
        p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(190, 190, 190));
        p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(190, 190, 190));
        p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
        p.setColor(QPalette::Disabled, QPalette::HighlightedText, Qt::white);
        return p;
    }();
    return colours;
}
} // namespace

const QPalette& SkinPalette::palette()
{
    return skin();
}

void SkinPalette::setPalette(const QPalette& palette)
{
    skin() = palette;
}
