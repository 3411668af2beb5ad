#include "app/Startup.h"
#include "app/Windows.h"
#include "feedback/Feedback.h"
#include "lang/Language.h"
#include "lang/Voice.h"
#include "platform/ProgramState.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quadrivel"));
    // The launcher, and through it the icon the desktop shows for the windows.
    QApplication::setDesktopFileName(QStringLiteral("org.quadrivel.Quadrivel"));

    installState(std::make_unique<ProgramState>(systemPlatform()));
    state().windows = programWindows();
    PreparaSuoni();

    int result = 0;
    if (Main()) {
        // The splash is mapped by now and paints only once the event loop
        // runs, so the shipped fonts are there for its first paint without
        // holding up its appearance (fontconfig's first scan is the slow part).
        registerFonts();
        afterFirstWindowShows([] {
            // Looking the icon up in the desktop's themes reads many folders.
            QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.quadrivel.Quadrivel")));
            state().platform.sound->warmUp();
            Speaker &speaker = *state().platform.speaker;
            speaker.setVoice(voiceOfLanguage());
            speaker.start();
        });
        result = QApplication::exec();
    }
    installState(nullptr);
    return result;
}
