#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>

QSize SystemScreen::size() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}
