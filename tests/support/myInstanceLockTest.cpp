#include "platform/posix/myInstanceLock.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
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

// A player: a process of its own that starts, says whether it won the lock ('W') or found
// it held ('R') and then runs until it is killed.
struct TPlayer {
    pid_t pid = -1;
    char answer = 0;
};

TPlayer StartPlayer() {
    int ready[2];
    TPlayer player;
    if (pipe(ready) != 0) {
        return player;
    }
    player.pid = fork();
    if (player.pid == 0) {
        const char answer = MutexAlreadyExists(u"lock-test") ? 'R' : 'W';
        (void)!write(ready[1], &answer, 1);
        pause();
        _exit(0);
    }
    if (read(ready[0], &player.answer, 1) != 1) {
        player.answer = 0;
    }
    close(ready[0]);
    close(ready[1]);
    return player;
}

void KillPlayer(const TPlayer& player) {
    kill(player.pid, SIGKILL);
    waitpid(player.pid, nullptr, 0);
}

// True when a second process, started now, finds the lock held.
bool SecondStartFindsItHeld() {
    const pid_t probe = fork();
    if (probe == 0) {
        _exit(MutexAlreadyExists(u"lock-test") ? 1 : 0);
    }
    int iStatus = 0;
    waitpid(probe, &iStatus, 0);
    return WIFEXITED(iStatus) && WEXITSTATUS(iStatus) == 1;
}

TEST_F(InstanceLockTest, KilledPlayerLeavesNoStaleLock) {
    const TPlayer player = StartPlayer();
    ASSERT_GT(player.pid, 0);
    EXPECT_EQ(player.answer, 'W');
    // While it runs, a second start finds it; after kill -9 the next start is the player.
    EXPECT_TRUE(SecondStartFindsItHeld());
    KillPlayer(player);
    EXPECT_FALSE(SecondStartFindsItHeld());
    EXPECT_EQ(InstanceLockPath(u"a/b"), runtime.Path() + "/a_b.lock");
}

// Without a runtime folder the lock goes to a folder of ours in the temporary folder. When
// another user made that folder first, the lock must still work, in a folder only we
// control. Tests run as root: "another user" is an unused uid.
TEST(InstanceLockFolder, AnotherUsersTemporaryFolderIsNotUsed) {
    constexpr uid_t kOtherUser = 12345;
    test::TempFolder temp;
    const std::string sTmp = temp.Path() + "/tmp";
    const std::string sHome = temp.Path() + "/home";
    ASSERT_EQ(mkdir(sTmp.c_str(), 01777), 0);
    ASSERT_EQ(chmod(sTmp.c_str(), 01777), 0);
    ASSERT_EQ(mkdir(sHome.c_str(), 0700), 0);
    const std::string sTaken = sTmp + "/skivra-" + std::to_string(geteuid());
    ASSERT_EQ(mkdir(sTaken.c_str(), 0777), 0);
    ASSERT_EQ(chmod(sTaken.c_str(), 0777), 0);
    ASSERT_EQ(chown(sTaken.c_str(), kOtherUser, kOtherUser), 0);
    const char* pHome = std::getenv("HOME");
    const std::string sOldHome = pHome ? pHome : "";
    unsetenv("XDG_RUNTIME_DIR");
    unsetenv("XDG_CACHE_HOME");
    setenv("TMPDIR", sTmp.c_str(), 1);
    setenv("HOME", sHome.c_str(), 1);

    const std::string sPath = InstanceLockPath(u"lock-test");
    EXPECT_EQ(sPath.rfind(sHome + "/.cache/skivra/lock-test-", 0), 0u) << sPath;
    const TPlayer player = StartPlayer();
    ASSERT_GT(player.pid, 0);
    EXPECT_EQ(player.answer, 'W');
    EXPECT_TRUE(SecondStartFindsItHeld());
    KillPlayer(player);
    unsetenv("TMPDIR");
    setenv("HOME", sOldHome.c_str(), 1);
}

// Our own folder left open to others is closed again, and a lock file that somebody else
// put there meanwhile is not the one locked.
TEST(InstanceLockFolder, OwnLooseFolderIsTightened) {
    test::TempFolder temp;
    const std::string sFolder = temp.Path() + "/skivra-" + std::to_string(geteuid());
    ASSERT_EQ(mkdir(sFolder.c_str(), 0777), 0);
    ASSERT_EQ(chmod(sFolder.c_str(), 0777), 0);
    const std::string sPlanted = sFolder + "/lock-test.lock";
    const int fd = open(sPlanted.c_str(), O_CREAT | O_WRONLY, 0666);
    ASSERT_GE(fd, 0);
    close(fd);
    ASSERT_EQ(chown(sPlanted.c_str(), 12345, 12345), 0);
    unsetenv("XDG_RUNTIME_DIR");
    setenv("TMPDIR", temp.Path().c_str(), 1);

    EXPECT_EQ(InstanceLockPath(u"lock-test"), sPlanted);
    const pid_t player = fork();
    if (player == 0) {
        _exit(MutexAlreadyExists(u"lock-test") ? 1 : 0);
    }
    waitpid(player, nullptr, 0);
    struct stat st {};
    ASSERT_EQ(stat(sFolder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0700u);
    ASSERT_EQ(stat(sPlanted.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, geteuid());
    unsetenv("TMPDIR");
}

} // namespace
} // namespace skivra
