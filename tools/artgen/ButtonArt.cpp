#include "ButtonArt.h"

#include "Skin.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr qreal Radius = 4.0;

QPainterPath capPath(const QRectF& r)
{
    QPainterPath path;
    path.addRoundedRect(r, Radius, Radius);
    return path;
}
} // namespace

const QList<ButtonArt::State>& ButtonArt::states()
{
    static const QList<State> all = {State::Up, State::Down, State::Over, State::Disabled};
    return all;
}

QString ButtonArt::suffix(State state)
{
    switch (state) {
    case State::Up:
        return QStringLiteral("up");
    case State::Down:
        return QStringLiteral("down");
    case State::Over:
        return QStringLiteral("over");
    case State::Disabled:
        return QStringLiteral("disabled");
    }
    return {};
}

QImage ButtonArt::render(const QImage& background, const QRect& cap, Pictograms::Command command, State state)
{
    QImage image = background.convertToFormat(QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF key = QRectF(cap).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool pressed = state == State::Down;

    // Shadow cast down and right; a pressed key sits in it.
    if (!pressed) {
        QColor s = Skin::shadow();
        s.setAlpha(state == State::Disabled ? 60 : 110);
        p.fillPath(capPath(key.translated(1.5, 1.5)), s);
        s.setAlpha(state == State::Disabled ? 30 : 60);
        p.fillPath(capPath(key.translated(2.5, 2.5)), s);
    }
    if (state == State::Over) {
        QColor glow = Skin::goldLight();
        glow.setAlpha(140);
        p.setPen(QPen(glow, 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawPath(capPath(key.adjusted(-1, -1, 1, 1)));
    }

    QLinearGradient face(key.topLeft(), key.bottomLeft());
    QColor border = Skin::keyBorder();
    switch (state) {
    case State::Up:
        face.setColorAt(0.0, Skin::ivoryLight());
        face.setColorAt(0.45, Skin::ivory());
        face.setColorAt(1.0, Skin::ivoryDark());
        break;
    case State::Over:
        face.setColorAt(0.0, QColor(255, 253, 240));
        face.setColorAt(0.45, QColor(252, 236, 190));
        face.setColorAt(1.0, QColor(232, 198, 124));
        border = QColor(120, 74, 20);
        break;
    case State::Down:
        face.setColorAt(0.0, QColor(198, 180, 140));
        face.setColorAt(0.35, QColor(222, 208, 174));
        face.setColorAt(1.0, QColor(236, 226, 200));
        border = QColor(70, 38, 18);
        break;
    case State::Disabled:
        face.setColorAt(0.0, QColor(226, 220, 206));
        face.setColorAt(1.0, QColor(204, 196, 178));
        border = QColor(140, 120, 104);
        break;
    }
    p.setPen(QPen(border, 1.0));
    p.setBrush(face);
    p.drawPath(capPath(key));

    // The lit edge along the top and left of a raised key; a shade there on a pressed one.
    p.save();
    p.setClipPath(capPath(key.adjusted(1, 1, -1, -1)));
    QColor edge =
        pressed ? QColor(90, 60, 30, 90) : QColor(255, 255, 255, state == State::Disabled ? 120 : 220);
    p.setPen(QPen(edge, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(capPath(key.adjusted(1, 1, 1, 1)));
    p.restore();

    QImage pictogram = Pictograms::render(command);
    if (state == State::Disabled)
        pictogram = Pictograms::disabled(pictogram);
    const QSize size = pictogram.deviceIndependentSize().toSize();
    const int x = cap.left() + (cap.width() - size.width()) / 2 + (pressed ? 1 : 0);
    const int y = cap.top() + (cap.height() - size.height()) / 2 + (pressed ? 1 : 0);
    p.drawImage(x, y, pictogram);
    return image;
}
