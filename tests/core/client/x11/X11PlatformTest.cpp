#include "client/x11/X11Platform.h"

#include "XvfbServer.h"
#include "client/Win32Messages.h"
#include "client/WindowInput.h"
#include "client/lobby/EverestLobby.h"
#include "client/lobby/LobbyScreen.h"
#include "common/Clock.h"

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace kestrova {
namespace {

using testing::XvfbServer;

// The test's own X client: it creates and draws the windows the platform then finds,
// and receives the events the platform sends to them.
class TestClient {
public:
    explicit TestClient(const std::string& display) {
        connection_ = xcb_connect(display.c_str(), nullptr);
        screen_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    }
    ~TestClient() { xcb_disconnect(connection_); }

    xcb_connection_t* get() const { return connection_; }
    xcb_window_t root() const { return screen_->root; }

    xcb_window_t create(xcb_window_t parent, int x, int y, int width, int height,
                        std::uint32_t background = 0x000000) {
        const xcb_window_t id = xcb_generate_id(connection_);
        const std::uint32_t values[] = {
            background, XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE |
                            XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE};
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, id, parent,
                          static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                          static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen_->root_visual,
                          XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
        return id;
    }

    xcb_window_t createTopLevel(const std::string& name, const std::string& className, int x, int y,
                                int width, int height) {
        const xcb_window_t id = create(root(), x, y, width, height);
        setName(id, name);
        setClass(id, className);
        return id;
    }

    void setName(xcb_window_t window, const std::string& name) {
        setProperty(window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, name);
    }
    void setNetName(xcb_window_t window, const std::string& utf8) {
        setProperty(window, atom("_NET_WM_NAME"), atom("UTF8_STRING"), utf8);
    }
    void setClass(xcb_window_t window, const std::string& className,
                  const std::string& instance = "instance") {
        const std::string value = instance + std::string(1, '\0') + className + '\0';
        setProperty(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, value);
    }
    // What a window manager writes on a client it has minimised (ICCCM IconicState).
    void setIconic(xcb_window_t window) {
        const std::uint32_t state[] = {3, XCB_NONE};
        const xcb_atom_t wmState = atom("WM_STATE");
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, wmState, wmState, 32, 2,
                            state);
    }

    void map(xcb_window_t window) { xcb_map_window(connection_, window); }
    void unmap(xcb_window_t window) { xcb_unmap_window(connection_, window); }

    void fill(xcb_drawable_t window, std::uint32_t pixel, int x, int y, int width, int height) {
        const xcb_gcontext_t gc = xcb_generate_id(connection_);
        const std::uint32_t values[] = {pixel, 0};
        xcb_create_gc(connection_, gc, window, XCB_GC_FOREGROUND | XCB_GC_GRAPHICS_EXPOSURES,
                      values);
        const xcb_rectangle_t r{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                                static_cast<std::uint16_t>(width),
                                static_cast<std::uint16_t>(height)};
        xcb_poly_fill_rectangle(connection_, window, gc, 1, &r);
        xcb_free_gc(connection_, gc);
    }

    // Every request so far has been carried out, and every event sent to us is queued.
    void sync() {
        std::free(
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    }

    std::vector<std::vector<std::uint8_t>> takeEvents() {
        sync();
        std::vector<std::vector<std::uint8_t>> events;
        while (xcb_generic_event_t* e = xcb_poll_for_event(connection_)) {
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(e);
            events.emplace_back(bytes, bytes + 32);
            std::free(e);
        }
        return events;
    }

    // The unshifted keysym of a keycode, from the server's keyboard mapping.
    std::uint32_t keysymOf(std::uint8_t keycode) {
        const xcb_setup_t* setup = xcb_get_setup(connection_);
        auto* reply = xcb_get_keyboard_mapping_reply(
            connection_, xcb_get_keyboard_mapping(connection_, keycode, 1), nullptr);
        std::uint32_t sym = 0;
        if (reply && keycode >= setup->min_keycode &&
            xcb_get_keyboard_mapping_keysyms_length(reply) > 0)
            sym = xcb_get_keyboard_mapping_keysyms(reply)[0];
        std::free(reply);
        return sym;
    }

    xcb_atom_t atom(const std::string& name) {
        auto* reply = xcb_intern_atom_reply(
            connection_,
            xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(name.size()), name.data()),
            nullptr);
        const xcb_atom_t a = reply ? reply->atom : 0;
        std::free(reply);
        return a;
    }

private:
    void setProperty(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                     const std::string& value) {
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, property, type, 8,
                            static_cast<std::uint32_t>(value.size()), value.data());
    }

    xcb_connection_t* connection_ = nullptr;
    xcb_screen_t* screen_ = nullptr;
};

class X11PlatformTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        server_ = new XvfbServer;
        if (!server_->start(startError_)) {
            delete server_;
            server_ = nullptr;
        }
    }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }

    void SetUp() override {
        if (!server_) {
            if (XvfbServer::findBinary().empty())
                GTEST_SKIP() << "Xvfb is not installed; the X11 backend cannot be exercised";
            FAIL() << "cannot start Xvfb: " << startError_;
        }
        client_ = std::make_unique<TestClient>(server_->displayName());
        std::string error;
        // The platform comes first, as in the product: windows appear after it started.
        platform_ = X11Platform::open(server_->displayName(), &error);
        ASSERT_NE(platform_, nullptr) << error;
    }

    void TearDown() override {
        platform_.reset();
        client_.reset();
    }

    const WindowInfo* findTitle(const std::vector<WindowInfo>& windows, const std::string& title) {
        const auto it = std::find_if(windows.begin(), windows.end(),
                                     [&](const WindowInfo& w) { return w.title == title; });
        return it == windows.end() ? nullptr : &*it;
    }

    static XvfbServer* server_;
    static std::string startError_;
    std::unique_ptr<TestClient> client_;
    std::unique_ptr<X11Platform> platform_;
};

XvfbServer* X11PlatformTest::server_ = nullptr;
std::string X11PlatformTest::startError_;

TEST(X11PlatformOpen, NoServerGivesNullAndReason) {
    std::string error;
    EXPECT_EQ(X11Platform::open(":4711", &error), nullptr);  // no server listens there
    EXPECT_NE(error.find("cannot open X display \":4711\""), std::string::npos) << error;
}

// --- finding windows ---------------------------------------------------------------

// Named, mapped windows are the top-level ones, also inside a window manager's
// unnamed frame; titles come from _NET_WM_NAME (UTF-8) before WM_NAME (Latin-1).
TEST_F(X11PlatformTest, ListsNamedWindowsWithClassTitleAndRootRectangle) {
    const xcb_window_t lobby =
        client_->createTopLevel("Everest Poker - Lobby", "EverestLobby", 30, 40, 1000, 700);
    const xcb_window_t unnamed = client_->create(client_->root(), 0, 0, 50, 50);
    const xcb_window_t both = client_->createTopLevel("old name", "A", 0, 0, 100, 100);
    client_->setNetName(both, "Everest Pok\xc3\xa9r");
    const xcb_window_t latin1 = client_->createTopLevel("Caf\xe9", "B", 0, 0, 100, 100);
    const xcb_window_t frame = client_->create(client_->root(), 100, 50, 820, 630);
    const xcb_window_t nested = client_->create(frame, 5, 25, 800, 600);
    client_->setName(nested, "Nested Client");
    for (const xcb_window_t w : {lobby, unnamed, both, latin1, nested, frame})
        client_->map(w);
    client_->sync();

    const std::vector<WindowInfo> windows = platform_->topLevelWindows();
    const WindowInfo* found = findTitle(windows, "Everest Poker - Lobby");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->id, lobby);
    EXPECT_EQ(found->className, "EverestLobby");
    EXPECT_EQ(found->rect, (Rect{30, 40, 1030, 740}));
    EXPECT_NE(findTitle(windows, "Everest Pok\xc3\xa9r"), nullptr);
    EXPECT_EQ(findTitle(windows, "old name"), nullptr);
    EXPECT_NE(findTitle(windows, "Caf\xc3\xa9"), nullptr);
    ASSERT_NE(findTitle(windows, "Nested Client"), nullptr);
    EXPECT_EQ(findTitle(windows, "Nested Client")->rect, (Rect{105, 75, 905, 675}));
    for (const WindowInfo& w : windows) {
        EXPECT_NE(w.id, unnamed) << "a window without a name is no top-level window";
        EXPECT_NE(w.id, frame);
    }
}

// A minimised lobby is found by its normal placement and restored by the pass,
// on its own and inside the unmapped frame of a window manager.
TEST_F(X11PlatformTest, MinimisedLobbyIsFoundAndRestored) {
    const xcb_window_t bare =
        client_->createTopLevel("Everest Poker - Lobby", "E", 30, 40, 900, 700);
    client_->setIconic(bare);
    const xcb_window_t frame = client_->create(client_->root(), 100, 50, 820, 630);
    const xcb_window_t framed = client_->create(frame, 5, 25, 800, 600);
    client_->setName(framed, "Framed and minimised");
    client_->setIconic(framed);
    client_->map(framed);
    client_->sync();

    const auto windows = platform_->topLevelWindows();
    ASSERT_NE(findTitle(windows, "Everest Poker - Lobby"), nullptr);
    EXPECT_EQ(findTitle(windows, "Everest Poker - Lobby")->rect, (Rect{30, 40, 930, 740}));
    ASSERT_NE(findTitle(windows, "Framed and minimised"), nullptr);
    EXPECT_EQ(findTitle(windows, "Framed and minimised")->rect, (Rect{105, 75, 905, 675}));

    const LobbySearch search = findEverestLobby(*platform_);
    ASSERT_TRUE(search.lobby.has_value()) << search.errorTitle;
    EXPECT_EQ(search.lobby->window, bare);
    EXPECT_FALSE(platform_->capture(bare).has_value());
    restoreWindow(*platform_, bare);
    EXPECT_TRUE(platform_->capture(bare).has_value());
}

// Under Wine the Win32 class of a table window is nowhere on X11: WM_CLASS holds
// the program's file name, WM_NAME the window text.
TEST_F(X11PlatformTest, TableWindowsAreTheLobbyProgramsOtherWindows) {
    const std::string program = "everestclient.exe";
    const auto wineWindow = [&](const std::string& title, int x, int size, bool mapped) {
        const xcb_window_t w = client_->createTopLevel(title, program, x, 0, size, size);
        client_->setClass(w, program, program);
        if (mapped)
            client_->map(w);
        return w;
    };
    const xcb_window_t lobby = wineWindow("Everest Poker - Lobby", 0, 800, true);
    const xcb_window_t bern = wineWindow("Bern - $0.05/$0.10", 20, 500, true);
    const xcb_window_t aspen = wineWindow("Aspen 12", 40, 500, true);
    wineWindow("Default IME", 0, 1, false);  // every Wine program has one, unmapped
    const xcb_window_t other = client_->createTopLevel("Bern", "Other", 60, 0, 500, 500);
    client_->setClass(other, "other.exe", "other.exe");
    client_->map(other);
    client_->sync();

    std::vector<WindowId> ids;
    for (const WindowInfo& w : platform_->tableWindows(lobby))
        ids.push_back(w.id);
    std::sort(ids.begin(), ids.end());
    std::vector<WindowId> expected{bern, aspen};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ids, expected);
    EXPECT_TRUE(platform_->tableWindows(0x7fffffff).empty()) << "no such lobby";
}

// --- child windows -----------------------------------------------------------------

// Children depth first in stacking order, relative to the parent; a large window
// without a large child (a Windows program under Wine) is its own stand-in.
TEST_F(X11PlatformTest, ChildWindowsDepthFirstOrTheWindowAsStandIn) {
    const xcb_window_t lobby = client_->createTopLevel("Lobby", "E", 200, 100, 1000, 700);
    const xcb_window_t list = client_->create(lobby, 0, 30, 1000, 670);
    const xcb_window_t inner = client_->create(list, 10, 10, 50, 20);
    const xcb_window_t button = client_->create(lobby, 5, 5, 10, 10);
    const xcb_window_t wine = client_->createTopLevel("Wine Lobby", "F", 0, 0, 1000, 700);
    const xcb_window_t small = client_->create(wine, 0, 0, 760, 400);
    const xcb_window_t dialog = client_->createTopLevel("Dialog", "F", 0, 0, 700, 400);
    for (const xcb_window_t w : {list, inner, button, lobby, small, wine, dialog})
        client_->map(w);
    client_->sync();

    const auto summary = [&](xcb_window_t parent) {
        std::vector<std::pair<WindowId, Rect>> out;
        for (const WindowInfo& w : platform_->childWindows(parent))
            out.emplace_back(w.id, w.rect);
        return out;
    };
    using Children = std::vector<std::pair<WindowId, Rect>>;
    EXPECT_EQ(summary(lobby), (Children{{list, Rect{0, 30, 1000, 700}},
                                        {inner, Rect{10, 40, 60, 60}},
                                        {button, Rect{5, 5, 15, 15}}}));
    EXPECT_EQ(summary(wine),
              (Children{{small, Rect{0, 0, 760, 400}}, {wine, Rect{0, 0, 1000, 700}}}));
    EXPECT_TRUE(summary(dialog).empty()) << "too small for a stand-in";
    EXPECT_TRUE(summary(0x7fffffff).empty()) << "no such window";
}

// --- capture -----------------------------------------------------------------------

// A child alone; the whole window exactly, also where it is covered or lies
// beyond the screen's right edge (the screen is 1280 wide).
TEST_F(X11PlatformTest, CapturesExactPixelsOfChildrenAndOfCoveredOrOffScreenParts) {
    const xcb_window_t window = client_->createTopLevel("Edge", "H", 1130, 10, 300, 200);
    const xcb_window_t child = client_->create(window, 100, 50, 80, 40, 0x00aa00);
    client_->map(child);
    client_->map(window);
    client_->sync();
    client_->fill(window, 0x333333, 0, 0, 300, 200);
    client_->fill(window, 0xff0000, 10, 20, 30, 40);
    client_->fill(window, 0xabcdef, 299, 199, 1, 1);
    client_->fill(child, 0x00aa00, 0, 0, 80, 40);
    client_->fill(child, 0xfedcba, 70, 30, 10, 10);
    client_->sync();

    const auto childImage = platform_->capture(child);
    ASSERT_TRUE(childImage.has_value());
    ASSERT_EQ(childImage->width(), 80);
    ASSERT_EQ(childImage->height(), 40);
    EXPECT_EQ(childImage->pixel(0, 0), 0xff00aa00u);
    EXPECT_EQ(childImage->pixel(69, 29), 0xff00aa00u);
    EXPECT_EQ(childImage->pixel(70, 30), 0xfffedcbau);
    client_->unmap(child);
    client_->sync();
    EXPECT_FALSE(platform_->capture(child).has_value()) << "unmapped";
    EXPECT_FALSE(platform_->capture(0x7fffffff).has_value()) << "missing";
    client_->map(child);
    const xcb_window_t cover = client_->createTopLevel("Cover", "G", 1100, 0, 100, 100);
    client_->map(cover);
    client_->sync();
    client_->fill(cover, 0x0000ff, 0, 0, 100, 100);
    client_->sync();

    if (!platform_->compositeUnavailableReason().empty())
        GTEST_SKIP() << "covered and off-screen parts need Composite: "
                     << platform_->compositeUnavailableReason();
    const auto whole = platform_->capture(window);
    ASSERT_TRUE(whole.has_value());
    ASSERT_EQ(whole->width(), 300);
    ASSERT_EQ(whole->height(), 200);
    EXPECT_EQ(whole->pixel(0, 0), 0xff333333u);
    EXPECT_EQ(whole->pixel(10, 20), 0xffff0000u);
    EXPECT_EQ(whole->pixel(39, 59), 0xffff0000u);
    EXPECT_EQ(whole->pixel(40, 59), 0xff333333u);
    EXPECT_EQ(whole->pixel(9, 20), 0xff333333u);
    EXPECT_EQ(whole->pixel(100, 50), 0xff00aa00u);
    EXPECT_EQ(whole->pixel(299, 199), 0xffabcdefu);
}

TEST_F(X11PlatformTest, AsksARunningWindowManagerToRestoreAndKeepOnTop) {
    // The test client plays window manager: it announces itself the EWMH way and
    // takes the requests that go to the root.
    const xcb_window_t check = client_->create(client_->root(), -10, -10, 1, 1);
    const xcb_atom_t checkAtom = client_->atom("_NET_SUPPORTING_WM_CHECK");
    for (const xcb_window_t w : {client_->root(), check})
        xcb_change_property(client_->get(), XCB_PROP_MODE_REPLACE, w, checkAtom, XCB_ATOM_WINDOW,
                            32, 1, &check);
    const std::uint32_t redirect[] = {XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT |
                                      XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY};
    xcb_change_window_attributes(client_->get(), client_->root(), XCB_CW_EVENT_MASK, redirect);
    const xcb_window_t window = client_->createTopLevel("Managed", "M", 0, 0, 800, 600);
    client_->takeEvents();
    ASSERT_TRUE(platform_->windowManagerRunning());

    platform_->showWindow(window, win32::SW_RESTORE);
    platform_->setTopmost(window, true);

    std::vector<xcb_client_message_event_t> messages;
    bool mapRequested = false;
    for (const auto& bytes : client_->takeEvents()) {
        const int type = bytes[0] & 0x7f;
        mapRequested = mapRequested || type == XCB_MAP_REQUEST;
        if (type == XCB_CLIENT_MESSAGE) {
            xcb_client_message_event_t e;
            std::memcpy(&e, bytes.data(), sizeof e);
            messages.push_back(e);
        }
    }
    EXPECT_TRUE(mapRequested);
    // Restoring does not ask for activation: the keyboard focus stays where it is.
    ASSERT_EQ(messages.size(), 2u);
    const xcb_atom_t state = client_->atom("_NET_WM_STATE");
    EXPECT_EQ(messages[0].window, window);
    EXPECT_EQ(messages[0].type, state);
    EXPECT_EQ(messages[0].data.data32[0], 0u) << "remove";
    EXPECT_EQ(messages[0].data.data32[1], client_->atom("_NET_WM_STATE_HIDDEN"));
    EXPECT_EQ(messages[1].type, state);
    EXPECT_EQ(messages[1].data.data32[0], 1u) << "add";
    EXPECT_EQ(messages[1].data.data32[1], client_->atom("_NET_WM_STATE_ABOVE"));

    // A window manager that went away leaves a stale root property behind.
    xcb_destroy_window(client_->get(), check);
    client_->sync();
    EXPECT_FALSE(platform_->windowManagerRunning());
}

// What the client draws into the window or a child is reported in the
// window's coordinates, once.
TEST_F(X11PlatformTest, DrawingIntoTheWindowOrAChildIsReported) {
    const xcb_window_t window = client_->createTopLevel("Drawn", "D", 10, 10, 300, 200);
    const xcb_window_t child = client_->create(window, 100, 50, 80, 40);
    client_->map(child);
    client_->map(window);
    client_->sync();
    const std::unique_ptr<DrawingWatch> watch = platform_->watchDrawing(window);
    ASSERT_NE(watch, nullptr);
    client_->fill(window, 0xff0000, 10, 20, 30, 40);
    client_->fill(child, 0x00ff00, 5, 5, 10, 10);
    client_->sync();
    std::vector<Rect> drawn;
    for (int tries = 0; tries < 200 && drawn.size() < 2; ++tries) {
        const std::vector<Rect> more = watch->takeDrawn();
        drawn.insert(drawn.end(), more.begin(), more.end());
        if (drawn.size() < 2)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const auto covered = [&](const Rect& area) {
        return std::any_of(drawn.begin(), drawn.end(), [&](const Rect& r) {
            return r.left <= area.left && r.top <= area.top && r.right >= area.right &&
                   r.bottom >= area.bottom;
        });
    };
    EXPECT_TRUE(covered({10, 20, 40, 60}));
    EXPECT_TRUE(covered({105, 55, 115, 65})) << "the child's drawing, in the window's coordinates";
    EXPECT_TRUE(watch->takeDrawn().empty());
}

// Without Composite only the screen can be copied: the lobby is raised for the copy
// (the server repaints its background on the raise) and put back afterwards.
// Without Damage the waits poll, and the trace says so once.
TEST(X11PlatformWithoutComposite, LobbyIsRaisedForTheCopyAndLoweredAfter) {
    XvfbServer server;
    std::string error;
    if (XvfbServer::findBinary().empty())
        GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_TRUE(server.start(error, "1280x1024x24",
                             {"-extension", "Composite", "-extension", "DAMAGE"}))
        << error;
    auto platform = X11Platform::open(server.displayName(), &error);
    ASSERT_NE(platform, nullptr) << error;
    ASSERT_FALSE(platform->capturesCoveredWindows());
    std::vector<std::string> traced;
    platform->setTrace([&](const std::string& line) { traced.push_back(line); });
    EXPECT_EQ(platform->watchDrawing(1), nullptr);
    EXPECT_EQ(platform->watchDrawing(1), nullptr);
    ASSERT_EQ(traced.size(), 1u);
    EXPECT_NE(traced[0].find("no Damage extension"), std::string::npos) << traced[0];

    TestClient client(server.displayName());
    const xcb_window_t lobbyWindow = client.create(client.root(), 0, 0, 400, 300, 0x00ff00);
    client.setName(lobbyWindow, "Everest Poker - Lobby");
    client.map(lobbyWindow);
    const xcb_window_t cover = client.create(client.root(), 0, 0, 400, 300, 0x0000ff);
    client.setName(cover, "Cover");
    client.map(cover);
    client.sync();

    EverestLobby lobby;
    lobby.window = lobbyWindow;
    ManualClock clock;
    const GlyphTable glyphs;
    LobbyScreen screen(*platform, clock, glyphs, lobby);
    ASSERT_TRUE(screen.grab());
    EXPECT_EQ(screen.image().pixel(200, 150), 0xff00ff00u) << "the lobby, not its cover";
    EXPECT_EQ(clock.totalMs(), 200);
    const auto windows = platform->topLevelWindows();
    ASSERT_FALSE(windows.empty());
    EXPECT_EQ(windows.front().id, cover) << "the lobby went back to the bottom";
}

// --- input -------------------------------------------------------------------------

// Keys and clicks arrive as the server's own events would, with strictly rising
// times: equal times would turn two clicks into a double click.
TEST_F(X11PlatformTest, KeysAndClicksArriveWithTheirKeycodePointAndRisingTimes) {
    const xcb_window_t lobby = client_->createTopLevel("Input", "K", 100, 50, 1000, 700);
    const xcb_window_t list = client_->create(lobby, 0, 30, 1000, 670);
    client_->map(list);
    client_->map(lobby);
    client_->takeEvents();

    for (const int key : {win32::VK_HOME, win32::VK_DOWN, win32::VK_RETURN, win32::VK_UP, int{'A'}})
        pressKey(*platform_, lobby, key);
    // Unknown messages and keys send nothing.
    platform_->sendMessage(lobby, 0x0200 /* WM_MOUSEMOVE */, 0, 0);
    pressKey(*platform_, lobby, 0xE8 /* unassigned */);
    platform_->sendMessage(0x7fffffff, win32::WM_KEYDOWN, win32::VK_HOME, 0);
    click(*platform_, list, 200, 300);
    click(*platform_, list, 200, 300);

    const auto events = client_->takeEvents();
    ASSERT_EQ(events.size(), 14u);
    const std::uint32_t expectedSyms[] = {0xff50, 0xff54, 0xff0d, 0xff52, 'a'};
    std::uint32_t lastTime = 0;
    for (std::size_t i = 0; i < events.size(); ++i) {
        SCOPED_TRACE("event " + std::to_string(i));
        const bool press = i % 2 == 0;
        if (i < 10) {
            xcb_key_press_event_t e;
            std::memcpy(&e, events[i].data(), sizeof e);
            EXPECT_TRUE(e.response_type & 0x80) << "sent with SendEvent";
            EXPECT_EQ(e.response_type & 0x7f, press ? XCB_KEY_PRESS : XCB_KEY_RELEASE);
            EXPECT_EQ(client_->keysymOf(e.detail), expectedSyms[i / 2]);
            EXPECT_EQ(e.event, lobby);
            EXPECT_EQ(e.root, client_->root());
            EXPECT_GT(e.time, lastTime);
            lastTime = e.time;
            continue;
        }
        xcb_button_press_event_t e;
        std::memcpy(&e, events[i].data(), sizeof e);
        EXPECT_EQ(e.response_type & 0x7f, press ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE);
        EXPECT_EQ(e.detail, 1);
        EXPECT_EQ(e.event, list);
        EXPECT_EQ(e.event_x, 200);
        EXPECT_EQ(e.event_y, 300);
        EXPECT_EQ(e.root_x, 300);
        EXPECT_EQ(e.root_y, 380);
        EXPECT_EQ(e.state, press ? 0 : XCB_BUTTON_MASK_1);
        EXPECT_EQ(e.same_screen, 1);
        EXPECT_GT(e.time, lastTime);
        lastTime = e.time;
    }
}

// The user presses Esc while the lobby has the keyboard focus: the grab hears
// it (Num Lock on or off) and the lobby does not; once dropped, Esc is the
// lobby's again.
TEST_F(X11PlatformTest, EscTakenFromTheFocusedWindowWhileGrabbed) {
    const xcb_window_t lobby = client_->createTopLevel("Lobby", "EverestLobby", 10, 10, 300, 200);
    client_->map(lobby);
    client_->sync();
    xcb_set_input_focus(client_->get(), XCB_INPUT_FOCUS_POINTER_ROOT, lobby, XCB_CURRENT_TIME);
    constexpr std::uint32_t escape = 0xff1b;
    constexpr std::uint32_t numLock = 0xff7f;
    const auto press = [&](std::uint32_t keysym) { ASSERT_TRUE(server_->pressKey(keysym)); };
    const auto waitFor = [](const std::atomic<int>& count, int wanted) {
        for (int i = 0; i < 500 && count < wanted; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return count.load();
    };

    const auto lobbySawEscape = [&] {
        bool seen = false;
        for (const std::vector<std::uint8_t>& event : client_->takeEvents())
            seen |= (event[0] & 0x7f) == XCB_KEY_PRESS && client_->keysymOf(event[1]) == escape;
        return seen;
    };

    std::atomic<int> pressed = 0;
    {
        const std::unique_ptr<KeyGrab> grab = platform_->grabCancelKey([&] { ++pressed; });
        ASSERT_NE(grab, nullptr);
        press(escape);
        EXPECT_EQ(waitFor(pressed, 1), 1);
        press(numLock);
        press(escape);
        press(numLock);
        EXPECT_EQ(waitFor(pressed, 2), 2);
        EXPECT_FALSE(lobbySawEscape());
    }
    const int heard = pressed;
    press(escape);
    EXPECT_EQ(pressed, heard);
    EXPECT_TRUE(lobbySawEscape());
}

}  // namespace
}  // namespace kestrova
