#include "framework/Desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {
Desktop::BeepHandler g_beep;
Desktop::OpenHandler g_open;

QUrl targetUrl(const QString& target)
{
    const QFileInfo file(target);
    if (file.exists())
        return QUrl::fromLocalFile(file.absoluteFilePath());
    return QUrl::fromUserInput(target, QDir::currentPath());
}
} // namespace

void Desktop::beep()
{
    if (g_beep)
        g_beep();
    else
        QApplication::beep();
}

bool Desktop::open(const QString& target)
{
    if (g_open)
        return g_open(target);
    const QUrl url = targetUrl(target.trimmed());
    return url.isValid() && QDesktopServices::openUrl(url);
}

Desktop::BeepHandler Desktop::setBeepHandler(BeepHandler handler)
{
    return std::exchange(g_beep, std::move(handler));
}

Desktop::OpenHandler Desktop::setOpenHandler(OpenHandler handler)
{
    return std::exchange(g_open, std::move(handler));
}
