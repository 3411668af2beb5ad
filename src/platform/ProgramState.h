#pragma once

#include "platform/Dialogs.h"
#include "platform/InstanceGuard.h"
#include "platform/RandomSource.h"
#include "platform/Screen.h"
#include "platform/SoundOutput.h"
#include "platform/Speaker.h"

#include <QString>
#include <functional>
#include <map>
#include <memory>

class clsResize;
class FormBase;

// The services the program takes from the machine. Tests replace every one.
struct Platform {
    std::unique_ptr<RandomSource> random;
    std::unique_ptr<SoundOutput> sound;
    std::unique_ptr<Speaker> speaker;
    std::unique_ptr<Dialogs> dialogs;
    std::unique_ptr<Screen> screen;
    std::unique_ptr<InstanceGuard> instanceGuard;
    QString programFolder;               // the folder of the executable
    QString configFolder;                // the user's own settings ($XDG_CONFIG_HOME/quadrivel); empty: none
    std::function<void()> endProgram;    // closes every window and exits at once
};

// Builds the real services for a run of the program.
Platform systemPlatform();

// Makes a window by its name ("FormMenu", "FormEserci", ...); null when the
// window is listed but not built yet.
using WindowFactory = std::function<FormBase *()>;

// What is program-wide: the services, the two counts, the sounds switch, the
// exit question, the cached language name, the current resizer and the
// windows by name. One instance, reached through state().
class ProgramState {
public:
    explicit ProgramState(Platform platform);
    ~ProgramState();

    Platform platform;

    qint16 contaEsatti = 0;
    qint16 contaErrati = 0;
    bool suoniAttivati = true;
    // Read aloud each new exercise and each verdict; off at every start.
    bool letturaAttivata = false;
    QString currentLanguageName;
    std::shared_ptr<clsResize> resizer;
    std::map<QString, WindowFactory> windows;
};

ProgramState &state();

// Replaces the program-wide state (the previous one is destroyed).
void installState(std::unique_ptr<ProgramState> newState);

// One draw of the program's generator: floor(Rnd x k), 0 to k - 1.
int randomBelow(int k);

// The program folder joined with a relative path ("suoni/no.wav").
QString programFile(const QString &relativePath);

// False before the first installState() and after the state was released.
bool stateInstalled();
