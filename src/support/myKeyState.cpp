#include "support/myKeyState.h"

namespace skivra {

namespace {

std::shared_ptr<TMyKeyStateSource>& Source() {
    static std::shared_ptr<TMyKeyStateSource> source;
    return source;
}

} // namespace

void SetKeyStateSource(std::shared_ptr<TMyKeyStateSource> source) {
    Source() = std::move(source);
}

TMyKeyStateSource* GetKeyStateSource() {
    return Source().get();
}

bool IsKeyDown(int iVirtualKey) {
    return Source() && Source()->KeyDown(iVirtualKey);
}

bool AreKeysDown(std::initializer_list<int> keys) {
    for (const int iKey : keys) {
        if (!IsKeyDown(iKey)) {
            return false;
        }
    }
    return true;
}

} // namespace skivra
