#include "app/Startup.h"

#include "frame/FormBase.h"
#include "lang/Language.h"
#include "platform/ProgramState.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFont>
#include <QFontDatabase>
#include <QTimer>
#include <QWindow>
#include <utility>

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

namespace {

// Waits for the first window the window system has put on the screen, then
// lets that window paint before the work runs. A window that is never shown
// (started minimised, say) holds the work back two seconds at most.
class FirstExposure final : public QObject {
public:
    explicit FirstExposure(std::function<void()> work) : work_(std::move(work))
    {
        QTimer::singleShot(2000, this, &FirstExposure::run);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && watched->isWindowType() && static_cast<QWindow *>(watched)->isExposed())
            QTimer::singleShot(0, this, &FirstExposure::run);
        return false;
    }

private:
    void run()
    {
        if (!work_)
            return;
        QCoreApplication::instance()->removeEventFilter(this);
        std::exchange(work_, nullptr)();
        deleteLater();
    }

    std::function<void()> work_;
};

} // namespace

void afterFirstWindowShows(std::function<void()> work)
{
    QCoreApplication::instance()->installEventFilter(new FirstExposure(std::move(work)));
}
