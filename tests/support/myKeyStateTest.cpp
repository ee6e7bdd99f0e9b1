#include "support/myKeyState.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace skivra {
namespace {

class TFakeKeys : public TMyKeyStateSource {
public:
    std::set<int> down;
    std::vector<int> asked;
    bool KeyDown(int iKey) override {
        asked.push_back(iKey);
        return down.count(iKey) > 0;
    }
};

TEST(MyKeyStateTest, AllKeysMustBeDownAndTheQuestionsStopAtTheFirstUp) {
    auto keys = std::make_shared<TFakeKeys>();
    SetKeyStateSource(keys);
    keys->down = {VK_SHIFT};
    EXPECT_TRUE(IsKeyDown(VK_SHIFT));
    EXPECT_FALSE(AreKeysDown({VK_SHIFT, VK_CONTROL})) << "only Shift held";
    keys->asked.clear();
    EXPECT_FALSE(AreKeysDown({VK_CONTROL, VK_SHIFT}));
    EXPECT_EQ(keys->asked, std::vector<int>{VK_CONTROL});
    keys->down = {VK_SHIFT, VK_CONTROL};
    EXPECT_TRUE(AreKeysDown({VK_SHIFT, VK_CONTROL}));
    SetKeyStateSource(nullptr);
    EXPECT_FALSE(IsKeyDown(VK_SHIFT)) << "without a source nothing is down";
    EXPECT_FALSE(AreKeysDown({VK_SHIFT, VK_CONTROL}));
}

} // namespace
} // namespace skivra
