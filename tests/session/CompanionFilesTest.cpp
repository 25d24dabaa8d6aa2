// What another program changes under a running session: the files it watches,
// what it loads again for each, and the session taking the command line's
// databases and watched players.
#include "CompanionFiles.h"
#include "Session.h"

#include "TempDir.h"
#include "history/HistoryStore.h"

#include <gtest/gtest.h>

#include <fstream>
#include <mutex>

namespace kestrova {
namespace {

void write(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

struct Counted {
    int databases = 0;
    int watchLists = 0;
    CompanionFiles::Reloads reloads() {
        return {[this] { ++databases; }, [this] { ++watchLists; }};
    }
};

TEST(CompanionFilesTest, LoadsAgainWhatChangedButNotTheSessionsOwnWrites) {
    test::TempDir dir;
    Counted counted;
    CompanionFiles files({dir / "db.conf", dir / "history.sqlite", false}, counted.reloads());
    EXPECT_EQ(files.folder(), dir.path());
    EXPECT_EQ(files.files(), (std::vector<std::filesystem::path>{
                                 dir / "db.conf", dir / "history.sqlite", dir / "history.sqlite-wal"}));
    files.changed();
    EXPECT_EQ(counted.databases + counted.watchLists, 0);

    write(dir / "db.conf", "one");
    files.changed();
    EXPECT_EQ(counted.databases, 1);
    EXPECT_EQ(counted.watchLists, 0);

    // SQLite commits to its log first.
    write(dir / "history.sqlite-wal", "commit");
    files.changed();
    EXPECT_EQ(counted.watchLists, 1);

    write(dir / "db.conf", "the session's own");
    files.wrote(dir / "db.conf");
    files.changed();
    files.passStarting();
    EXPECT_EQ(counted.databases, 1);
    EXPECT_EQ(counted.watchLists, 1);
}

TEST(CompanionFilesTest, ASharedHistoryIsLoadedAtEveryPass) {
    test::TempDir dir;
    Counted counted;
    CompanionFiles files({dir / "db.conf", {}, true}, counted.reloads());
    EXPECT_EQ(files.files(), std::vector<std::filesystem::path>{dir / "db.conf"});
    files.passStarting();
    files.passStarting();
    EXPECT_EQ(counted.watchLists, 2);
}

TEST(CompanionFilesTest, ARunningSessionTakesTheCommandLinesDatabasesAndWatchedPlayers) {
    test::TempDir dir;
    std::mutex mutex;
    std::vector<std::function<void()>> posted;
    SessionServices services;
    services.workingDir = dir.path();
    services.settingsFile = dir / "kestrova.conf";
    services.post = [&](std::function<void()> work) {
        const std::lock_guard lock(mutex);
        posted.push_back(std::move(work));
    };
    Session session(std::move(services));
    session.history().waitUntilIdle();

    DatabaseList list;
    list.append(DatabaseEntry{.host = "h", .database = "d", .user = "u"});
    ASSERT_TRUE(list.save(dir.path()));
    {
        std::string problem;
        const auto store = openSqliteHistory(dir / "history.sqlite", &problem);
        ASSERT_TRUE(store) << problem;
        store->watch({"Ice_Man", "", {}});
    }
    session.companionFiles().changed();
    EXPECT_EQ(session.databases().size(), 1u);
    session.history().waitUntilIdle();
    {
        const std::lock_guard lock(mutex);
        for (const auto& work : posted)
            work();
    }
    EXPECT_TRUE(session.history().isWatched("ice_man"));
}

}  // namespace
}  // namespace kestrova
