#include "app/Startup.h"

#include "frame/FormBase.h"
#include "lang/Language.h"
#include "platform/ProgramState.h"

#include <QDir>
#include <QFont>
#include <QFontDatabase>

bool Main()
{
    ProgramState &s = state();
    if (!s.platform.instanceGuard->acquire()) {
        showStringMessage(nullptr, QStringLiteral("0007"), messageText(QStringLiteral("0008")), MessageButtons::Ok,
                          MessageIcon::Error);
        return false;
    }
    s.suoniAttivati = true;
    openWindow(QStringLiteral("FormAvvio"));
    return true;
}

void ConfermaUscita(QWidget *parent)
{
    const MessageAnswer answer =
        showStringMessage(parent, QStringLiteral("0010"), QStringLiteral("Quadrivel"), MessageButtons::YesNo,
                          MessageIcon::Question);
    if (answer != MessageAnswer::Yes)
        return;
    state().resizer.reset();
    state().platform.endProgram();
}

void registerFonts()
{
    const QDir fonts(programFile(QStringLiteral("fonts")));
    for (const QString &file : fonts.entryList({QStringLiteral("*.otf"), QStringLiteral("*.ttf")}, QDir::Files))
        QFontDatabase::addApplicationFont(fonts.filePath(file));
    // Used only where the machine lacks the layouts' own fonts.
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}
