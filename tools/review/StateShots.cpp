#include "StateShots.h"

#include "controls/TLumaroLButton.h"
#include "controls/TOwnerCheck.h"
#include "fontpickers/TPickerComboBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QSignalBlocker>
#include <QTest>

#include <stdexcept>

namespace {
void sendPointer(QWidget& control, bool inside)
{
    if (inside) {
        const QPointF at(control.width() / 2.0, control.height() / 2.0);
        QEnterEvent enter(at, at, control.mapToGlobal(at));
        QCoreApplication::sendEvent(&control, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&control, &leave);
    }
}
} // namespace

void StateShots::pointerAway(QWidget& window)
{
    for (QWidget* control : window.findChildren<QWidget*>())
        sendPointer(*control, false);
}

QImage StateShots::around(QWidget& control, const QMargins& margins)
{
    QWidget* window = control.window();
    const QRect area = QRect(control.mapTo(window, QPoint(0, 0)), control.size()).marginsAdded(margins);
    return window->grab(area.intersected(window->rect())).toImage().convertToFormat(QImage::Format_RGB32);
}

QList<StateShots::Look> StateShots::buttonLooks(TLumaroLButton& button, const QMargins& margins)
{
    QList<Look> looks;
    sendPointer(button, false);
    looks.append({QStringLiteral("up"), around(button, margins)});
    sendPointer(button, true);
    looks.append({QStringLiteral("over"), around(button, margins)});
    sendPointer(button, false);
    const QPoint centre = button.rect().center();
    QTest::mousePress(&button, Qt::LeftButton, {}, centre);
    looks.append({QStringLiteral("down"), around(button, margins)});
    const QPoint outside(button.width() + 20, button.height() + 20);
    QTest::mouseMove(&button, outside);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, outside);
    sendPointer(button, false);
    button.setEnabled(false);
    looks.append({QStringLiteral("disabled"), around(button, margins)});
    button.setEnabled(true);
    return looks;
}

QList<StateShots::Look> StateShots::checkBoxLooks(TOwnerCheck& box, const QMargins& margins)
{
    const QSignalBlocker quiet(box);
    const TOwnerCheck::TCheckBoxState kept = box.state();
    QList<Look> looks;
    box.setState(TOwnerCheck::cbUnchecked);
    looks.append({QStringLiteral("unchecked"), around(box, margins)});
    box.setState(TOwnerCheck::cbChecked);
    looks.append({QStringLiteral("checked"), around(box, margins)});
    box.setDown(true);
    looks.append({QStringLiteral("held down"), around(box, margins)});
    box.setDown(false);
    box.setState(TOwnerCheck::cbGrayed);
    looks.append({QStringLiteral("grayed"), around(box, margins)});
    box.setState(TOwnerCheck::cbUnchecked);
    QWidget* focused = QApplication::focusWidget();
    box.setFocus(Qt::OtherFocusReason);
    looks.append({QStringLiteral("focused"), around(box, margins)});
    if (focused)
        focused->setFocus(Qt::OtherFocusReason);
    box.setState(kept);
    return looks;
}

QImage StateShots::withOpenList(TPickerComboBox& picker)
{
    picker.showPopup();
    QWidget* list = picker.view()->window();
    if (!QTest::qWaitForWindowExposed(list))
        throw std::runtime_error("the list of " + picker.objectName().toStdString() + " did not open");
    const QImage box = around(picker, QMargins(2, 2, 2, 0));
    const QImage open = list->grab().toImage();
    picker.hidePopup();
    QImage picture(qMax(box.width(), open.width() + 2), box.height() + open.height(), QImage::Format_RGB32);
    picture.fill(QColor(236, 236, 236));
    QPainter painter(&picture);
    painter.drawImage(0, 0, box);
    painter.drawImage(2, box.height(), open);
    return picture;
}

QImage StateShots::row(const QList<Look>& looks)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    const QFontMetrics metrics(font);
    constexpr int Gap = 8;
    int width = 0;
    int height = 0;
    for (const Look& look : looks) {
        width += qMax(look.picture.width(), metrics.horizontalAdvance(look.state)) + Gap;
        height = qMax(height, look.picture.height());
    }
    QImage picture(qMax(1, width - Gap), height + metrics.height() + 2, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setFont(font);
    painter.setPen(QColor(64, 64, 64));
    int x = 0;
    for (const Look& look : looks) {
        const int cell = qMax(look.picture.width(), metrics.horizontalAdvance(look.state));
        painter.drawImage(x, 0, look.picture);
        painter.drawText(QRect(x, height + 2, cell, metrics.height()), Qt::AlignLeft, look.state);
        x += cell + Gap;
    }
    return picture;
}
