#include "trackers/TrackerNamePattern.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "ProcessTools.h"
#include "RecordingSink.h"
#include "TempDir.h"
#include "records/PlayerRecordList.h"
#include "settings/SettingKeys.h"
#include "settings/SettingsStore.h"
#include "trackers/TrackerLookup.h"
#include "trackers/TrackerValues.h"
#include "sql/postgres/PostgresConnection.h"

namespace kestrova {
namespace {

// The first character matches only itself (escaped if it is a wildcard or the
// escape); every odd character after it, and l or I, matches any one character.
TEST(TrackerNamePattern, KeepsTheFirstCharacterAndBlursOddOnesAfterIt) {
    // The escape alone never dangles; a UTF-8 or a Latin-1 character is one "_".
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"Ab'c", "%Ab_c"}, {"IvanIl", "%Ivan__"}, {"Mr Bluff", "%Mr_B_uff"}, {"Kill3r", "%Ki__3r"},
        {"a%b_c", "%a_b_c"}, {"", "%"}, {"%x", "%\\%x"}, {"_under", "%\\_under"},
        {"\\start", "%\\\\start"}, {"'quote", "%'quote"}, {"\\", "%\\\\"},
        {"J\xC3\xA9r\xC3\xB4me", "%J_r_me"}, {"J\xE9r\xF4me", "%J_r_me"}, {"\xC9ric", "%\xC3\x89ric"},
        {std::string(2000, 'a'), "%" + std::string(2000, 'a')}};
    // clang-format on
    for (const auto& [name, pattern] : cases)
        EXPECT_EQ(trackerNamePattern(name), pattern) << name;
    EXPECT_EQ(alteredTrackerName("\xC3\x89ric l'I"), "\xC3\x89ric____");
}

TEST(TrackerNamePattern, PokerTracker2TrimsBlanksAndBlursOnlyLAndI) {
    EXPECT_EQ(pokerTracker2NamePattern("  Blank "), "B_ank");
    EXPECT_EQ(pokerTracker2NamePattern("Ivan"), "_van");
    EXPECT_EQ(pokerTracker2NamePattern("Pct%50"), "Pct\\%50");
    EXPECT_EQ(pokerTracker2NamePattern("river_rat"), "river\\_rat");
    EXPECT_EQ(pokerTracker2NamePattern("a\\b"), "a\\\\b");
    EXPECT_EQ(pokerTracker2NamePattern("Mr Bluff"), "Mr B_uff");
}

TEST(PostgresConnectionText, QuotesValuesThatWouldBeMisreadAndLeavesOutDefaults) {
    EXPECT_EQ(PostgresConnection::connectionText("localhost", "5432", "pt3", "me", ""),
              "host=localhost dbname='pt3' user=me");
    EXPECT_EQ(PostgresConnection::connectionText("db.lan", "5433", "pt3", "me", "pw"),
              "host=db.lan port=5433 dbname='pt3' user=me password=pw");
    EXPECT_EQ(PostgresConnection::connectionText("h", "5432", "it's", "me", "a b'c\\"),
              "host=h dbname='it\\'s' user=me password='a b\\'c\\\\'");
    EXPECT_EQ(PostgresConnection::connectionText("h", "5432", "d", "", "x=1"),
              "host=h dbname='d' user='' password='x=1'");
}

// Sums beyond a counter stop at its limit instead of wrapping.
TEST(TrackerValues, ReadsSumsAsTheDatabasesPrintThemAndSaturates) {
    EXPECT_EQ(trackerValues::toCounter(""), 0);
    EXPECT_EQ(trackerValues::toCounter("-7"), -7);
    EXPECT_EQ(trackerValues::toCounter("12.5"), 12);
    EXPECT_EQ(trackerValues::toCounter("99999999999"), 2147483647);
    EXPECT_FLOAT_EQ(trackerValues::toMoney("-4.50"), -4.5f);
    std::int32_t counter = 2147483640;
    trackerValues::add(counter, 100);
    EXPECT_EQ(counter, 2147483647);
}

// ---- a server that goes silent ---------------------------------------------

// Listens on 127.0.0.1. With `login`, it answers the start-up of one client
// (no SSL, no password) and then never says another word; without, it
// accepts the connection and stays silent from the start.
class SilentServer final {
public:
    explicit SilentServer(bool login) : login_(login) {
        listener_ = test::listenOnLoopback(port_);
        thread_ = std::thread([this] { serve(); });
    }
    ~SilentServer() {
        ::shutdown(listener_, SHUT_RDWR);
        ::close(listener_);
        thread_.join();
        for (const int client : clients_)
            ::close(client);
    }
    int port() const { return port_; }

private:
    static void send(int fd, const char* bytes, std::size_t size) {
        if (::write(fd, bytes, size) < 0)
            ADD_FAILURE() << "write to the client failed";
    }
    static bool readExactly(int fd, char* buffer, std::size_t size) {
        for (std::size_t got = 0; got < size;) {
            const ssize_t n = ::read(fd, buffer + got, size - got);
            if (n <= 0)
                return false;
            got += static_cast<std::size_t>(n);
        }
        return true;
    }
    void serve() {
        for (;;) {
            const int client = ::accept(listener_, nullptr, nullptr);
            if (client < 0)
                return;
            clients_.push_back(client);
            if (!login_)
                continue;
            // SSL or GSS requests get "N"; the start-up message gets
            // AuthenticationOk, BackendKeyData and ReadyForQuery.
            for (;;) {
                char header[8];
                if (!readExactly(client, header, 4))
                    break;
                const std::uint32_t size = (std::uint32_t(std::uint8_t(header[0])) << 24) |
                                           (std::uint32_t(std::uint8_t(header[1])) << 16) |
                                           (std::uint32_t(std::uint8_t(header[2])) << 8) |
                                           std::uint8_t(header[3]);
                std::string body(size - 4, '\0');
                if (!readExactly(client, body.data(), body.size()))
                    break;
                if (size == 8 && body[0] == 0x04 && body[1] == char(0xd2)) {
                    send(client, "N", 1);
                    continue;
                }
                static const char kReady[] =
                    "R\0\0\0\x08\0\0\0\0"
                    "K\0\0\0\x0c\0\0\0\x01\0\0\0\x02"
                    "Z\0\0\0\x05I";
                send(client, kReady, sizeof kReady - 1);
                break;
            }
        }
    }

    bool login_;
    int listener_ = -1;
    int port_ = 0;
    std::vector<int> clients_;
    std::thread thread_;
};

// Every statement and the connect to a whole host list end in bounded time
// when the server stops answering, with a reason.
TEST(PostgresConnectionDeadlines, ASilentServerTimesOut) {
    const PostgresConnection::Timeouts timeouts{std::chrono::milliseconds(600),
                                                std::chrono::milliseconds(400)};
    SilentServer afterLogin(true);
    PostgresConnection connection(timeouts);
    ASSERT_TRUE(connection.open("host=127.0.0.1 port=" + std::to_string(afterLogin.port()) +
                                " dbname=x user=u sslmode=disable gssencmode=disable"))
        << connection.errorMessage();
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(connection.execute("BEGIN").status(), PostgresResult::Status::Failed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_NE(connection.errorMessage().find("no answer from the database server"),
              std::string::npos);
    EXPECT_FALSE(connection.isOpen());

    std::vector<std::unique_ptr<SilentServer>> silent;
    std::string hosts;
    std::string ports;
    for (int i = 0; i < 9; ++i) {
        silent.push_back(std::make_unique<SilentServer>(false));
        hosts += (i ? "," : "") + std::string("127.0.0.1");
        ports += (i ? "," : "") + std::to_string(silent.back()->port());
    }
    start = std::chrono::steady_clock::now();
    EXPECT_FALSE(connection.open("host=" + hosts + " port=" + ports + " dbname=x user=u"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_NE(connection.errorMessage().find("of connecting"), std::string::npos);
}

// A server silent right after the login holds up neither the connect of a
// pass nor a look-up for longer than the look-up deadline ("lookuptimeout").
TEST(PostgresConnectionDeadlines, ATrackerSilentAfterTheLoginCostsOneShortWait) {
    SilentServer afterLogin(true);
    test::TempDir dir;
    SettingsStore settings(dir / "Velloran.ini");
    settings.writeText(keys::lookuptimeout, "1");
    PlayerRecordList records;
    const DatabaseEntry entry{.host = "127.0.0.1",
                              .port = std::to_string(afterLogin.port()),
                              .database = "x",
                              .user = "u",
                              .kind = static_cast<std::int32_t>(DatabaseKind::PokerTracker3)};
    TrackerLookup lookup({entry}, TrackerOptions::fromSettings(settings), nullptr, records,
                         TraceLog::off());
    test::RecordingSink sink;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(lookup.connectDatabases(sink));
    EXPECT_EQ(lookup.lookupPlayer("RiverRat", "1", "0", sink), nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].find("no answer from the database server to a statement within "
                                    "1000 ms"),
              std::string::npos)
        << sink.messages[0];
}

}  // namespace
}  // namespace kestrova
