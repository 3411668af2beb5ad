#include "frame/ReadAloud.h"

#include "platform/ProgramState.h"

bool canReadAloud()
{
    const Speaker::Readiness readiness = state().platform.speaker->readiness();
    return readiness == Speaker::Readiness::Ready || readiness == Speaker::Readiness::Starting;
}

void readAloud(const QString &text, int afterMs)
{
    if (!text.isEmpty() && canReadAloud())
        state().platform.speaker->say(text, afterMs);
}
