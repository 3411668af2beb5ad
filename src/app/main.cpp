#include "app/Startup.h"
#include "app/Windows.h"
#include "lang/Language.h"
#include "platform/ProgramState.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quadrivel"));

    installState(std::make_unique<ProgramState>(systemPlatform()));
    state().windows = programWindows();
    registerFonts();

    int result = 0;
    if (Main())
        result = QApplication::exec();
    installState(nullptr);
    return result;
}
