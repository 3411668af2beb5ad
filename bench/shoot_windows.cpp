// Pictures of every built window of the registry, for looking at them on a
// screen of any size and pixel density, offscreen:
//   QT_QPA_PLATFORM=offscreen shoot_windows FOLDER [WIDTHxHEIGHT [LANGUAGE]]
// writes FOLDER/<window>-<width>x<height>@<ratio>.png. With QT_SCALE_FACTOR=2
// the pictures have twice the pixels of the logical screen size.

#include "Fakes.h"
#include "app/Startup.h"
#include "app/Windows.h"
#include "frame/FormBase.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: shoot_windows FOLDER [WIDTHxHEIGHT [LANGUAGE]]\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(folder.path());
    const QStringList size = QString::fromLatin1(argc > 2 ? argv[2] : "1024x768").split(u'x');
    const QSize screen(size.value(0).toInt(), size.value(1).toInt());
    if (screen.isEmpty()) {
        std::fprintf(stderr, "shoot_windows: no size in %s\n", argv[2]);
        return 2;
    }

    TestProgram program(TestProgram::Assets::Shipped, screen);
    state().platform.random = std::make_unique<ClockRandom>();
    const QString programFolder = state().platform.programFolder;
    state().platform.programFolder = QStringLiteral(QUADRIVEL_ASSETS_DIR);
    registerFonts();
    state().platform.programFolder = programFolder;
    state().currentLanguageName = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("Italiano");
    // The main menu reads the language from the setting, for every window after it.
    program.writeFile(QStringLiteral("LangSetting.ini"),
                      "[Language]\r\nCurrentLanguage=\"" + state().currentLanguageName.toLatin1() + "\"\r\n");

    for (const auto &[name, factory] : programWindows()) {
        if (!factory)
            continue;
        FormBase *window = openWindow(name);
        QCoreApplication::processEvents();
        const QPixmap picture = window->grab();
        const QString file = folder.filePath(QStringLiteral("%1-%2x%3@%4.png")
                                                 .arg(name)
                                                 .arg(screen.width())
                                                 .arg(screen.height())
                                                 .arg(picture.devicePixelRatio()));
        std::printf("%s %dx%d\n", qPrintable(file), picture.width(), picture.height());
        picture.save(file);
        delete window;
        QCoreApplication::processEvents();
    }
    return 0;
}
