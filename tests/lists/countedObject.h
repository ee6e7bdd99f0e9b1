#pragma once

#include "lists/myStrings.h"

namespace skivra::test {

// A list object that counts how many of its kind are alive, so a test sees leaks and
// objects destroyed twice or too early.
class TCountedObject : public TMyObject {
public:
    TCountedObject() { ++Alive(); }
    ~TCountedObject() override { --Alive(); }
    static int& Alive() {
        static int iAlive = 0;
        return iAlive;
    }
};

} // namespace skivra::test
