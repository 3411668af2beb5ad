#include "platform/ProgramState.h"

#include "platform/SystemSpeaker.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QWidget>
#include <cmath>

namespace {
std::unique_ptr<ProgramState> current;
}

ProgramState::ProgramState(Platform p) : platform(std::move(p)) {}

ProgramState::~ProgramState() = default;

ProgramState &state()
{
    Q_ASSERT(current);
    return *current;
}

void installState(std::unique_ptr<ProgramState> newState)
{
    current = std::move(newState);
}

int randomBelow(int k)
{
    return state().platform.random->below(k);
}

QString programFile(const QString &relativePath)
{
    return QDir(state().platform.programFolder).filePath(relativePath);
}

Platform systemPlatform()
{
    QString lockFolder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (lockFolder.isEmpty())
        lockFolder = QDir::tempPath();

    Platform p;
    p.random = std::make_unique<ClockRandom>();
    p.sound = std::make_unique<SystemSoundOutput>();
    p.speaker = std::make_unique<SystemSpeaker>();
    p.dialogs = std::make_unique<SystemDialogs>();
    p.screen = std::make_unique<SystemScreen>();
    p.instanceGuard = std::make_unique<LockFileGuard>(QDir(lockFolder).filePath(QStringLiteral("quadrivel.lock")));
    p.programFolder = QCoreApplication::applicationDirPath();
    // $XDG_CONFIG_HOME, or ~/.config when it is not set.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (!config.isEmpty())
        p.configFolder = QDir(config).filePath(QStringLiteral("quadrivel"));
    p.endProgram = [] {
        // Hide first: nothing of a window may run once the child said Yes.
        for (QWidget *w : QApplication::topLevelWidgets())
            w->hide();
        QCoreApplication::exit(0);
    };
    return p;
}

bool stateInstalled()
{
    return current != nullptr;
}
