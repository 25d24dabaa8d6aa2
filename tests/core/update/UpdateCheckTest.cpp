#include "update/UpdateCheck.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>

#include "HttpTestServer.h"
#include "update/UpdateCheckRunner.h"
#include "update/W3Client.h"

namespace kestrova {
namespace {

using test::HttpTestServer;
using namespace std::chrono_literals;

class UpdateCheckTest : public ::testing::Test {
protected:
    // A proxy from the environment would take the requests away from 127.0.0.1.
    void SetUp() override { ::setenv("no_proxy", "127.0.0.1", 1); }

    static W3Client::Limits shortLimits() {
        W3Client::Limits limits;
        limits.connectTimeout = 200ms;
        limits.totalTimeout = 400ms;
        return limits;
    }
};

TEST_F(UpdateCheckTest, AsksWithAnHttp10GetAndItsHeaders) {
    HttpTestServer server(HttpTestServer::Mode::Answer, "9");
    W3Client client;
    EXPECT_EQ(update_check::fetchAnswer(client, server.url()), "9");

    const std::vector<std::string> requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    const std::string& head = requests[0];
    EXPECT_EQ(head.rfind("GET /vversion.php?v=1.30 HTTP/1.0\r\n", 0), 0u) << head;
    const std::string host = server.url().substr(std::string("http://").size());
    EXPECT_NE(head.find("\r\nHost: " + host + "\r\n"), std::string::npos) << head;
    EXPECT_NE(head.find("\r\nUser-Agent: Mozilla/4.0 (compatible; )\r\n"), std::string::npos);
    const std::size_t accept = head.find("\r\nAccept: */*\r\n");
    ASSERT_NE(accept, std::string::npos) << head;
    EXPECT_EQ(head.find("Accept:", accept + 3), std::string::npos) << "Accept sent twice";
}

TEST_F(UpdateCheckTest, OnlyABodyBeginningWithNineOffersTheNewVersion) {
    struct Case {
        std::string body;
        int status;
        bool offer;
    };
    for (const Case& c : {Case{"9", 200, true}, Case{"9.99", 200, true}, Case{"1.30", 200, false},
                          Case{"", 200, false}, Case{"9", 404, false}}) {
        HttpTestServer server(HttpTestServer::Mode::Answer, c.body, c.status);
        W3Client client;
        const std::string answer = update_check::fetchAnswer(client, server.url());
        EXPECT_EQ(update_check::offersNewVersion(answer), c.offer)
            << '"' << c.body << "\" with status " << c.status;
    }

    std::string closedPort;
    {
        HttpTestServer gone(HttpTestServer::Mode::Answer, "9");
        closedPort = gone.url();
    }
    W3Client client(shortLimits());
    EXPECT_FALSE(update_check::offersNewVersion(update_check::fetchAnswer(client, closedPort)));
    W3Client noServer;
    EXPECT_EQ(update_check::fetchAnswer(noServer, "not an address"), "0");
}

TEST_F(UpdateCheckTest, SilentServerEndsTheCheckWithinTheBound) {
    HttpTestServer server(HttpTestServer::Mode::Silent);
    W3Client client(shortLimits());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(update_check::fetchAnswer(client, server.url()), "");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(client.lastError().rfind("request failed...", 0), 0u) << client.lastError();
}

TEST_F(UpdateCheckTest, EndlessBodyIsCutAtTheBound) {
    HttpTestServer server(HttpTestServer::Mode::Endless);
    const std::unique_ptr<HttpClient> client = UpdateCheckRunner::w3Client()({});
    const std::string answer = update_check::fetchAnswer(*client, server.url());
    EXPECT_EQ(answer.size(), update_check::kMaxAnswerBytes);
    EXPECT_TRUE(update_check::offersNewVersion(answer));
}

TEST_F(UpdateCheckTest, RunnerReturnsAtOnceAndAnswersFromItsThread) {
    HttpTestServer silent(HttpTestServer::Mode::Silent);
    std::promise<bool> answered;
    std::future<bool> answer = answered.get_future();
    {
        UpdateCheckRunner runner(
            silent.url(),
            [](std::stop_token stop) { return std::make_unique<W3Client>(shortLimits(), stop); },
            [&](bool newVersion) { answered.set_value(newVersion); });
        EXPECT_EQ(answer.wait_for(0s), std::future_status::timeout);
        ASSERT_EQ(answer.wait_for(10s), std::future_status::ready);
        EXPECT_FALSE(answer.get());
    }

    // Destroyed mid-check (the window closes): the check stops, nobody is called.
    bool called = false;
    const auto start = std::chrono::steady_clock::now();
    {
        UpdateCheckRunner runner(silent.url(), UpdateCheckRunner::w3Client(),
                                 [&](bool) { called = true; });
    }
    EXPECT_FALSE(called);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);
}

}  // namespace
}  // namespace kestrova
