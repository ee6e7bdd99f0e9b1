#include "app/myBusySection.h"

#include <utility>

namespace skivra {

namespace {

int g_iDepth = 0;

TMyBusySectionHooks& Hooks() {
    static TMyBusySectionHooks hooks;
    return hooks;
}

} // namespace

void SetBusySectionHooks(TMyBusySectionHooks hooks) {
    Hooks() = std::move(hooks);
}

void BeginFunc() {
    if (g_iDepth++ == 0 && Hooks().OnEnter) {
        Hooks().OnEnter();
    }
}

void EndFunc() {
    if (g_iDepth == 0) {
        return;
    }
    if (--g_iDepth == 0 && Hooks().OnLeave) {
        Hooks().OnLeave();
    }
}

bool IsInFunc() {
    return g_iDepth > 0;
}

} // namespace skivra
