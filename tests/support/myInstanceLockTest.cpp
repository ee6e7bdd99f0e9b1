#include "platform/posix/myInstanceLock.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

#include "support/TempFolder.h"

namespace skivra {
namespace {

// Each start is a process of its own, as in real life: a lock held by this test process
// would say nothing about other processes.
class InstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1); }
    void TearDown() override { unsetenv("XDG_RUNTIME_DIR"); }
    test::TempFolder runtime;
};

TEST_F(InstanceLockTest, RacingStartsLeaveExactlyOneWinner) {
    constexpr int kStarts = 20;
    int results[2];
    ASSERT_EQ(pipe(results), 0);
    int release[2];
    ASSERT_EQ(pipe(release), 0);
    std::vector<pid_t> children;
    for (int i = 0; i < kStarts; ++i) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            // Only the parent may hold the write end, or the release never comes.
            close(release[1]);
            const char answer = MutexAlreadyExists(u"_d_gdo19dkg?Idodxx") ? 'R' : 'W';
            (void)!write(results[1], &answer, 1);
            // Hold on to the answer (and the lock) until every start has answered.
            char c;
            (void)!read(release[0], &c, 1);
            _exit(0);
        }
        children.push_back(pid);
    }
    int iWinners = 0;
    for (int i = 0; i < kStarts; ++i) {
        char answer = 0;
        ASSERT_EQ(read(results[0], &answer, 1), 1);
        iWinners += answer == 'W';
    }
    close(release[1]);
    for (pid_t pid : children) {
        waitpid(pid, nullptr, 0);
    }
    EXPECT_EQ(iWinners, 1);
}

TEST_F(InstanceLockTest, KilledPlayerLeavesNoStaleLock) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        const char answer = MutexAlreadyExists(u"lock-test") ? 'R' : 'W';
        (void)!write(ready[1], &answer, 1);
        pause();
        _exit(0);
    }
    char answer = 0;
    ASSERT_EQ(read(ready[0], &answer, 1), 1);
    EXPECT_EQ(answer, 'W');
    // While it runs, a second start finds it; after kill -9 the next start is the player.
    const pid_t probe = fork();
    if (probe == 0) {
        _exit(MutexAlreadyExists(u"lock-test") ? 1 : 0);
    }
    int iStatus = 0;
    waitpid(probe, &iStatus, 0);
    EXPECT_EQ(WEXITSTATUS(iStatus), 1);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    const pid_t next = fork();
    if (next == 0) {
        _exit(MutexAlreadyExists(u"lock-test") ? 1 : 0);
    }
    waitpid(next, &iStatus, 0);
    EXPECT_EQ(WEXITSTATUS(iStatus), 0);
    EXPECT_EQ(InstanceLockPath(u"a/b"), runtime.Path() + "/a_b.lock");
}

} // namespace
} // namespace skivra
