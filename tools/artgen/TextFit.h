#pragma once

#include <QList>
#include <QPainterPath>
#include <QPair>
#include <QRectF>
#include <QString>

class QPainter;

// Every text of one picture is drawn through the picture's TextFit. It measures the text in the
// face the painter really draws with (the installed face that fontconfig picks for the font
// asked for, after the program's own substitutions) and stops the tool with a message when the
// text does not fit the box it is given, or runs into a text placed before it in the picture.
class TextFit {
public:
    explicit TextFit(const QString& picture);

    // Draws text in the painter's font and pen inside box, as QPainter::drawText does.
    void draw(QPainter& painter, const QRectF& box, int flags, const QString& text);
    // Checks and records the place text takes in box in the painter's font, without drawing it:
    // for text drawn in several passes and for text the program draws over the picture. spread
    // is a shadow's offset: the shadow may leave the box but not run into other texts.
    void claim(const QPainter& painter, const QRectF& box, int flags, const QString& text, qreal spread = 0);

private:
    QString m_picture;
    QList<QPair<QPainterPath, QString>> m_placed;
};
