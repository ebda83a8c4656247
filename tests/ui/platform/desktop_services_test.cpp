// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop backends against services that run here: a private session bus
// (dbus-run-session) with stand-in plasmashell, xfconf and screen-saver
// services that record the calls they get, the X server of with_display.sh,
// GSettings' keyfile backend, and a stand-in swaybg on PATH.
#include "image/formats/png/png_decoder.h"
#include "platform/fake/memory_registry.h"
#include "platform/linux/desktop/desktop_bitmap.h"
#include "platform/linux/desktop/desktop_factory.h"
#include "platform/linux/desktop/desktop_wallpaper_copies.h"
#include "platform/linux/desktop/sway_desktop.h"
#include "platform/linux/desktop/swaybg_desktop.h"
#include "platform/linux/saver/desktop_session_screen_saver.h"
#include "platform/linux/saver/sway_screen_saver.h"
#include "platform/linux/saver/x11_screen_saver.h"
#include "platform/linux/sway/sway_window_events.h"
#include "platform/linux/sway/sway_window_manager.h"
#include "test_bitmap.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

// After GoogleTest: Xlib's macros (Bool, None) would rename its names.
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <tuple>

extern char** environ;

namespace fs = std::filesystem;
using platform::Desktop;

namespace {

std::string ReadAll(const fs::path& p)
{
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Output(const std::string& command)
{
    std::string out;
    if (std::FILE* p = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, p))
            out += buffer;
        ::pclose(p);
    }
    return out;
}

std::vector<std::string> Files(const fs::path& dir, const std::string& prefix)
{
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().filename().string().rfind(prefix, 0) == 0)
            out.push_back(e.path().string());
    std::sort(out.begin(), out.end());
    return out;
}

// A temporary directory with a 4 x 2 picture.
struct Scratch {
    fs::path dir = fs::temp_directory_path() / ("zelvaro-services-" + std::to_string(getpid()));
    fs::path bmp = dir / "p.bmp";
    Scratch()
    {
        fs::create_directories(dir / "copies");
        WriteTestBmp(bmp.string(), 4, 2,
                     {0xff0000, 0x00ff00, 0x0000ff, 0xffffff, 0xffff00, 0x00ffff, 0xff00ff, 0x808080});
    }
    ~Scratch() { fs::remove_all(dir); }
    std::string Copies() const { return (dir / "copies").string(); }
};

// The stand-in services, owning the given bus names until destroyed.
class StandIn {
public:
    StandIn(const fs::path& dir, std::vector<std::string> names, const std::string& properties = "{}",
            bool fail = false, bool slow = false)
        : log_(dir / "calls.log")
    {
        const fs::path ready = dir / "ready";
        fs::remove(ready);
        fs::remove(log_);
        std::vector<std::string> args = {"/usr/bin/python3",
                                         std::getenv("ZELVARO_STAND_IN"),
                                         "--log",
                                         log_.string(),
                                         "--ready",
                                         ready.string(),
                                         "--properties",
                                         properties};
        if (fail)
            args.push_back("--fail");
        if (slow)
            args.push_back("--slow");
        for (const auto& n : names) {
            args.push_back("--name");
            args.push_back(n);
        }
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
            pid_ = 0;
        for (int i = 0; i < 200 && !fs::exists(ready); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ~StandIn()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    std::string Calls() const { return ReadAll(log_); }

private:
    pid_t pid_ = 0;
    fs::path log_;
};

struct Env {
    std::string name, old;
    bool had;
    Env(const char* n, const std::string& value) : name(n), had(std::getenv(n) != nullptr)
    {
        if (had)
            old = std::getenv(n);
        setenv(n, value.c_str(), 1);
    }
    ~Env()
    {
        if (had)
            setenv(name.c_str(), old.c_str(), 1);
        else
            unsetenv(name.c_str());
    }
};

// Runs the event loop until `done` holds, for up to 4 s.
template <class Done>
bool Eventually(Done done)
{
    for (int i = 0; i < 400; ++i) {
        QCoreApplication::processEvents();
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// The backends' log while it lives.
class LogCapture {
public:
    LogCapture() { previous_ = qInstallMessageHandler(&LogCapture::Keep); }
    ~LogCapture()
    {
        qInstallMessageHandler(previous_);
        Text().clear();
    }
    static std::string& Text()
    {
        static std::string text;
        return text;
    }

private:
    static void Keep(QtMsgType, const QMessageLogContext&, const QString& message)
    {
        Text() += message.toStdString() + "\n";
    }
    QtMessageHandler previous_;
};

// A stand-in swaybg: records its arguments and its end, keeps running until
// told to end; with a file "fail" beside it, ends at once.
fs::path WriteSwaybg(const fs::path& dir)
{
    const fs::path bin = dir / "bin";
    fs::create_directories(bin);
    std::ofstream(bin / "swaybg") << "#!/bin/sh\n"
                                     "[ -e \""
                                  << (bin / "fail").string()
                                  << "\" ] && exit 1\n"
                                     "echo \"start $$ $*\" >> \""
                                  << (dir / "swaybg.log").string()
                                  << "\"\n"
                                     "trap 'echo \"end $$\" >> \""
                                  << (dir / "swaybg.log").string()
                                  << "\"; exit 0' TERM\n"
                                     "while :; do sleep 0.05; done\n";
    fs::permissions(bin / "swaybg", fs::perms::owner_all);
    return bin;
}

std::string SaverTimeout()
{
    const std::string q = Output("xset q");
    const auto at = q.find("timeout:");
    return at == std::string::npos ? "" : q.substr(at, q.find("cycle", at) - at);
}

// Whether the X server's saver starts within 1.5 s of idle with a timeout of
// 1 s; the timeout goes back to the server's default afterwards.
bool XSaverStarts()
{
    Output("xset s 1 && xset s reset");
    bool started = false;
    if (Display* d = XOpenDisplay(nullptr)) {
        XScreenSaverInfo info{};
        for (int i = 0; i < 30 && !started; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            started = XScreenSaverQueryInfo(d, DefaultRootWindow(d), &info) && info.state == ScreenSaverOn;
        }
        XCloseDisplay(d);
    }
    Output("xset s reset && xset s default");
    return started;
}

std::string RootPixmapProperty()
{
    return Output("xprop -root _XROOTPMAP_ID 2>/dev/null");
}

}  // namespace

TEST(DesktopFactory, BackendsInOrderForEachSession)
{
    Scratch s;
    platform::MemoryRegistry registry;
    const fs::path withSwaybg = WriteSwaybg(s.dir);
    const fs::path empty = s.dir / "empty";
    fs::create_directories(empty);
    struct Case {
        const char* desktop;
        bool wayland;
        bool swaybgInstalled;
        const char* names;
    };
    for (const Case& c : {
             Case{"kde", false, false, "kde,x11-root"},
             Case{"xfce", false, false, "xfce,x11-root"},
             Case{"gnome:ubuntu", false, false, "gnome,x11-root"},
             Case{"", false, true, "x11-root"},
             Case{"kde", true, true, "kde,none"},
             Case{"gnome", true, true, "gnome,none"},
             Case{"sway", true, true, "swaybg,none"},
             Case{"hyprland", true, false, "none"},
         }) {
        Env path("PATH", (c.swaybgInstalled ? withSwaybg : empty).string());
        const auto chain = platform::MakeDesktop({c.desktop, c.wayland}, registry, s.Copies());
        EXPECT_EQ(chain->Names(), c.names) << c.desktop << (c.wayland ? " on Wayland" : " on X11");
    }
    {
        // sway shows its background through itself only; Hyprland through
        // hyprpaper, else swaybg.
        Env path("PATH", withSwaybg.string());
        EXPECT_EQ(platform::MakeDesktop({"sway", true, "/run/sway.sock"}, registry, s.Copies())->Names(), "sway,none");
        EXPECT_EQ(platform::MakeDesktop({"hyprland", true, "", true}, registry, s.Copies())->Names(),
                  "hyprpaper,swaybg,none");
    }
    // No way at all: a failure, never a success that shows nothing.
    Env path("PATH", empty.string());
    const auto none = platform::MakeDesktop({"river", true}, registry, s.Copies());
    EXPECT_EQ(none->SetWallpaper(s.bmp.string()), Desktop::Result::Unavailable);
    EXPECT_TRUE(Files(s.Copies(), "ZelvaroWl-").empty());
}

TEST(DesktopFactory, TheDesktopThatRunsGoesBeforeTheVariables)
{
    struct Case {
        const char* named;
        const char* running;
        const char* chosen;
    };
    for (const Case& c : {
             Case{"ubuntu:gnome", "gnome", "ubuntu:gnome"},
             Case{"gnome", "", ""},  // GNOME's variables without GNOME Shell: nothing of its own
             Case{"gnome", "xfce", "xfce"},
             Case{"", "kde", "kde"},
             Case{"budgie:gnome", "", "budgie:gnome"},  // shows GNOME's settings without GNOME Shell
             Case{"kde", "", "kde"},                    // plasmashell may still be starting
             Case{"openbox", "", "openbox"},
         })
        EXPECT_EQ(platform::DesktopByWhatRuns(c.named, c.running), c.chosen) << c.named << " / " << c.running;

    Scratch s;
    EXPECT_EQ(platform::RunningDesktop(), "");
    for (const auto& [name, desktop] : {std::pair{"org.gnome.Shell", "gnome"}, std::pair{"org.kde.plasmashell", "kde"},
                                        std::pair{"org.xfce.xfdesktop", "xfce"}}) {
        StandIn shell(s.dir, {name});
        EXPECT_EQ(platform::RunningDesktop(), desktop) << name;
    }
}

TEST(DesktopFactory, KdeWithoutPlasmashellFallsBackToTheRootWindow)
{
    Scratch s;
    platform::MemoryRegistry registry;
    const auto chain = platform::MakeDesktop({"kde", false}, registry, s.Copies());
    Output("xprop -root -remove _XROOTPMAP_ID");
    ASSERT_EQ(chain->SetWallpaper(s.bmp.string()), Desktop::Result::Done);
    const std::string painted = RootPixmapProperty();
    EXPECT_NE(painted.find("pixmap id #"), std::string::npos) << painted;
    EXPECT_TRUE(Files(s.Copies(), "ZelvaroWl-").empty());  // the copy KDE did not take is gone

    StandIn plasma(s.dir, {"org.kde.plasmashell"});
    ASSERT_EQ(chain->SetWallpaper(s.bmp.string()), Desktop::Result::Done);
    const auto copies = Files(s.Copies(), "ZelvaroWl-");
    ASSERT_EQ(copies.size(), 1u);
    const std::string calls = plasma.Calls();
    EXPECT_NE(calls.find("evaluateScript"), std::string::npos);
    EXPECT_NE(calls.find("\"file://" + copies[0] + "\""), std::string::npos) << calls;
    EXPECT_NE(calls.find("FillMode\", 6"), std::string::npos) << calls;
    EXPECT_EQ(RootPixmapProperty(), painted);  // the root window was left alone
}

TEST(DesktopFactory, ARunningShellThatFailsIsNoCaseForTheRootWindow)
{
    // Plasma draws over the root window: painting it would show nothing.
    Scratch s;
    platform::MemoryRegistry registry;
    const auto chain = platform::MakeDesktop({"kde", false}, registry, s.Copies());
    Output("xprop -root -remove _XROOTPMAP_ID");
    StandIn plasma(s.dir, {"org.kde.plasmashell"}, "{}", true);
    EXPECT_EQ(chain->SetWallpaper(s.bmp.string()), Desktop::Result::Unavailable);
    EXPECT_NE(plasma.Calls().find("evaluateScript"), std::string::npos);
    EXPECT_EQ(RootPixmapProperty().find("pixmap id #"), std::string::npos);
    EXPECT_TRUE(Files(s.Copies(), "ZelvaroWl-").empty());
}

TEST(DesktopFactory, AShellThatDoesNotAnswerIsGivenUpWhileTheClockRuns)
{
    Scratch s;
    platform::MemoryRegistry registry;
    for (const auto& [desktop, service, asked] : {std::tuple{"kde", "org.kde.plasmashell", "evaluateScript"},
                                                  std::tuple{"xfce", "org.xfce.Xfconf", "GetAllProperties"}}) {
        const auto chain = platform::MakeDesktop({desktop, false}, registry, s.Copies());
        StandIn shell(s.dir, {service}, "{}", false, true);
        LogCapture log;
        bool ticked = false;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] { ticked = true; });
        tick.start(100);
        EXPECT_EQ(chain->SetWallpaper(s.bmp.string()), Desktop::Result::Unavailable) << desktop;
        EXPECT_TRUE(ticked) << desktop << ": the event loop ran while the shell thought";
        EXPECT_NE(LogCapture::Text().find(std::string(service) + "." + asked + " has not answered within 3 s"),
                  std::string::npos)
            << LogCapture::Text();
        // Asked once: each further call would have waited as long again.
        const std::string calls = shell.Calls();
        EXPECT_EQ(calls.substr(0, calls.find(' ')), asked) << calls;
        EXPECT_EQ(std::count(calls.begin(), calls.end(), '\n'), 1) << calls;
        EXPECT_TRUE(Files(s.Copies(), "ZelvaroWl-").empty()) << desktop;
    }
}

TEST(XfceDesktop, FreshProfileKeysByOutputNameForEachWorkspaceWithAPngCopy)
{
    Scratch s;
    platform::MemoryRegistry registry;
    Output("xprop -root -f _NET_NUMBER_OF_DESKTOPS 32c -set _NET_NUMBER_OF_DESKTOPS 2");
    const auto chain = platform::MakeDesktop({"xfce", false}, registry, s.Copies());
    {
        StandIn xfconf(s.dir, {"org.xfce.Xfconf"});
        ASSERT_EQ(chain->SetWallpaper(s.bmp.string()), Desktop::Result::Done);
        const auto copies = Files(s.Copies(), "ZelvaroWl-");
        ASSERT_EQ(copies.size(), 1u);
        EXPECT_EQ(fs::path(copies[0]).extension(), ".png");
        const std::string calls = xfconf.Calls();
        // Xvfb's one output is named "screen".
        for (const char* workspace : {"workspace0", "workspace1"}) {
            const std::string base = std::string("/backdrop/screen0/monitorscreen/") + workspace;
            EXPECT_NE(calls.find("SetProperty xfce4-desktop|" + base + "/last-image|" + copies[0]), std::string::npos)
                << calls;
            EXPECT_NE(calls.find("SetProperty xfce4-desktop|" + base + "/image-style|1"), std::string::npos) << calls;
        }
        EXPECT_EQ(calls.find("monitor0"), std::string::npos) << calls;

        // gdk-pixbuf, which these desktops read through, takes the copy.
        const fs::path thumb = s.dir / "thumb.png";
        ASSERT_EQ(std::system(("gdk-pixbuf-thumbnailer -s 8 '" + copies[0] + "' '" + thumb.string() + "'").c_str()), 0);
        EXPECT_TRUE(fs::exists(thumb));
        // A picture composed for every monitor: spanning them.
        ASSERT_TRUE(chain->ShowsComposed());
        chain->SetLayout(Desktop::Layout::Composed);
        ASSERT_EQ(chain->SetWallpaper(s.bmp.string()), Desktop::Result::Done);
        chain->SetLayout(Desktop::Layout::AsRegistry);
        EXPECT_NE(xfconf.Calls().find("/monitorscreen/workspace0/image-style|6"), std::string::npos) << xfconf.Calls();
    }
    // xfconfd gone: the root window shows the picture.
    Output("xprop -root -remove _XROOTPMAP_ID");
    EXPECT_EQ(chain->SetWallpaper(s.bmp.string()), Desktop::Result::Done);
    EXPECT_NE(RootPixmapProperty().find("pixmap id #"), std::string::npos);
    Output("xprop -root -remove _NET_NUMBER_OF_DESKTOPS");
}

TEST(SwaybgDesktop, StartsWithTheModeAndEndsThePreviousOnceTheNewRuns)
{
    Scratch s;
    platform::MemoryRegistry registry;
    const fs::path bin = WriteSwaybg(s.dir);
    Env path("PATH", bin.string() + ":/usr/bin:/bin");
    const auto chain = platform::MakeDesktop({"sway", true}, registry, s.Copies());
    ASSERT_EQ(chain->Names(), "swaybg,none");

    ASSERT_EQ(chain->SetWallpaper(s.bmp.string()), Desktop::Result::Done);
    const auto first = Files(s.Copies(), "ZelvaroWl-");
    ASSERT_EQ(first.size(), 1u);
    registry.WriteString(platform::RootKey::CurrentUser, "Control Panel\\Desktop", "TileWallPaper", "1");
    ASSERT_EQ(chain->SetWallpaper(s.bmp.string()), Desktop::Result::Done);
    const auto second = Files(s.Copies(), "ZelvaroWl-");
    ASSERT_EQ(second.size(), 1u);
    EXPECT_NE(second, first);
    EXPECT_EQ(fs::path(second[0]).extension(), ".png");

    // Give the ended one a moment to write its last line.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::istringstream log(ReadAll(s.dir / "swaybg.log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 3u) << ReadAll(s.dir / "swaybg.log");
    const std::string firstPid = lines[0].substr(6, lines[0].find(' ', 6) - 6);
    EXPECT_NE(lines[0].find("-o * -i " + first[0] + " -m center -c #000000"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("-o * -i " + second[0] + " -m tile -c #000000"), std::string::npos) << lines[1];
    EXPECT_EQ(lines[2], "end " + firstPid);

    // A swaybg that gives up at once is a failure, and the one showing stays.
    std::ofstream(bin / "fail").put('x');
    EXPECT_EQ(chain->SetWallpaper(s.bmp.string()), Desktop::Result::Unavailable);
    EXPECT_EQ(Files(s.Copies(), "ZelvaroWl-"), second);
    const std::string secondPid = lines[1].substr(6, lines[1].find(' ', 6) - 6);
    EXPECT_EQ(::kill(std::stoi(secondPid), 0), 0);

    // A restarted program finds the swaybg it left and ends it once its own
    // runs: one lives.
    fs::remove(bin / "fail");
    const auto restarted = platform::MakeDesktop({"sway", true}, registry, s.Copies());
    ASSERT_EQ(restarted->SetWallpaper(s.bmp.string()), Desktop::Result::Done);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const std::string all = ReadAll(s.dir / "swaybg.log");
    EXPECT_NE(all.find("end " + secondPid + "\n"), std::string::npos) << all;
    const std::string last = all.substr(all.rfind("start ") + 6);
    const pid_t thirdPid = std::stoi(last.substr(0, last.find(' ')));
    EXPECT_EQ(::kill(thirdPid, 0), 0);
    ::kill(thirdPid, SIGTERM);
    // Its last line is written before the scratch directory goes.
    const std::string ended = "end " + std::to_string(thirdPid) + "\n";
    for (int i = 0; i < 100 && ReadAll(s.dir / "swaybg.log").find(ended) == std::string::npos; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

TEST(DesktopWallpaperCopies, EachDisplayRemovesOnlyItsOwnOlderCopies)
{
    Scratch s;
    using Copies = platform::DesktopWallpaperCopies;
    Copies zero(s.Copies(), Copies::Format::Bmp, ":0"), one(s.Copies(), Copies::Format::Png, ":1");
    Desktop::Result failure = Desktop::Result::Done;
    const auto a = zero.MakeChecked(s.bmp.string(), failure);
    const auto b = one.MakeChecked(s.bmp.string(), failure);
    const auto c = zero.MakeChecked(s.bmp.string(), failure);
    ASSERT_TRUE(a && b && c);
    std::vector<std::string> kept = {*b, *c};
    std::sort(kept.begin(), kept.end());
    zero.Shown(*c);
    EXPECT_EQ(Files(s.Copies(), "ZelvaroWl-"), kept);
    one.Shown(*b);
    EXPECT_EQ(Files(s.Copies(), "ZelvaroWl-"), kept);
    EXPECT_EQ(ReadAll(*b).substr(1, 3), "PNG");
    EXPECT_NE(Copies::OwnerTag(":1"), Copies::OwnerTag(":10"));
    EXPECT_EQ(Copies::OwnerTag("host:1.0"), "host_1.0");
}

TEST(DesktopWallpaperCopies, EachOutputGetsItsPartOfAComposedPicture)
{
    Scratch s;
    const std::string composed = (s.dir / "composed.bmp").string();
    WriteTestBmp(composed, 4, 2, {0x000001, 0x000002, 0x000003, 0x000004, 0x000005, 0x000006, 0x000007, 0x000008});
    platform::DesktopBitmap whole;
    ASSERT_TRUE(whole.Load(composed));
    platform::DesktopWallpaperCopies copies(s.Copies(), platform::DesktopWallpaperCopies::Format::Png, ":0");
    struct Case {
        int x, y, w, h;
        std::vector<std::uint32_t> want;  // the part's pixels, top row first; none: no copy
    };
    std::vector<std::string> made;
    for (const Case& c :
         {Case{2, 0, 2, 2, {3, 4, 7, 8}}, Case{3, 1, 5, 5, {8}}, Case{-1, 0, 2, 1, {1}}, Case{4, 0, 1, 1, {}}}) {
        const auto part = copies.MakePart(whole, c.x, c.y, c.w, c.h);
        ASSERT_EQ(part.has_value(), !c.want.empty()) << c.x << "," << c.y;
        if (!part)
            continue;
        made.push_back(*part);
        const ImageRead read = DecodePngFile(*part);
        ASSERT_TRUE(read.Ok()) << read.Reason;
        std::vector<std::uint32_t> got;
        for (int y = 0; y < read.Picture.Height; ++y)
            for (int x = 0; x < read.Picture.Width; ++x) {
                const RgbQuad p = read.Picture.PixelAt(x, y);
                got.push_back(std::uint32_t(p.Red) << 16 | std::uint32_t(p.Green) << 8 | p.Blue);
            }
        EXPECT_EQ(got, c.want) << c.x << "," << c.y;
    }
    copies.Shown(made);
    std::sort(made.begin(), made.end());
    EXPECT_EQ(Files(s.Copies(), "ZelvaroWl-"), made);
}

TEST(DesktopSessionScreenSaver, KdeAndXfceHoldTheFirstInhibitorThatAnswersWithoutWaitingForIt)
{
    Scratch s;
    const std::string fdo = "org.freedesktop.ScreenSaver", pm = "org.freedesktop.PowerManagement";
    struct Case {
        const char* desktop;
        std::vector<std::string> services;
        bool slow;
        std::string held;      // the calls once the saver is switched off (twice)
        std::string released;  // ... and on again
        std::string log;       // what the log says about it
    };
    for (const Case& c : {
             Case{"KDE", {fdo}, false, "Inhibit Zelvaro|ｾｰﾊﾞ停止|42\n", "UnInhibit 42\n", ""},
             Case{"XFCE", {fdo, pm}, false, "Inhibit Zelvaro|ｾｰﾊﾞ停止|42\n", "UnInhibit 42\n", ""},
             // XFCE without its saver: the power manager's inhibitor.
             Case{"XFCE", {pm}, false, "PmInhibit Zelvaro|ｾｰﾊﾞ停止|21\n", "PmUnInhibit 21\n", ""},
             Case{"XFCE", {}, false, "", "", "no inhibitor service answered"},
             // A service busy for seconds: the log says so, its late answer is taken.
             Case{"KDE", {fdo}, true, "Inhibit Zelvaro|ｾｰﾊﾞ停止|42\n", "UnInhibit 42\n", "has not answered within 2 s"},
         }) {
        Env session("XDG_CURRENT_DESKTOP", c.desktop);
        ASSERT_EQ(platform::DesktopSessionScreenSaver::Detect(),
                  platform::DesktopSessionScreenSaver::Kind::Freedesktop);
        StandIn service(s.dir, c.services, "{}", false, c.slow);
        LogCapture log;
        const std::string what = std::string(c.desktop) + " with " + std::to_string(c.services.size()) + " services";
        // XFCE's power manager blanks by itself and switches the X server's saver off.
        Output("xset s off");
        {
            platform::DesktopSessionScreenSaver saver(platform::DesktopSessionScreenSaver::Kind::Freedesktop);
            ASSERT_TRUE(saver.IsActive()) << what;
            saver.SetActive(false);
            saver.SetActive(false);  // held once
            EXPECT_FALSE(saver.Inhibited()) << what << ": the answer comes on the event loop, not waited for";
            EXPECT_FALSE(saver.IsActive()) << what;
            EXPECT_FALSE(XSaverStarts()) << "the X server's saver is held off too";
            if (!c.log.empty()) {
                EXPECT_TRUE(Eventually([&] { return LogCapture::Text().find(c.log) != std::string::npos; }))
                    << what << ": " << LogCapture::Text();
            }
            EXPECT_TRUE(Eventually([&] {
                return service.Calls() == c.held && saver.Inhibited() == !c.released.empty();
            })) << what
                << ": " << service.Calls();
            EXPECT_FALSE(saver.IsActive()) << what << ": the X server's saver stays held off";
            saver.SetActive(true);
            EXPECT_TRUE(saver.IsActive()) << what;
            EXPECT_TRUE(Eventually([&] { return service.Calls() == c.held + c.released; }))
                << what << ": " << service.Calls();
        }
        if (c.log.empty()) {
            EXPECT_EQ(LogCapture::Text(), "") << what;
        }
    }
}

TEST(DesktopSessionScreenSaver, StartNowAsksTheDesktopsSaverElseTheXServersOrSaysItCannot)
{
    Scratch s;
    using Kind = platform::DesktopSessionScreenSaver::Kind;
    struct Case {
        Kind kind;
        bool withX11;
        std::vector<std::string> services;
        std::string calls;
        bool xSaverStarts;
        const char* log;
    };
    for (const Case& c : {
             Case{Kind::Freedesktop, true, {"org.freedesktop.ScreenSaver"}, "SetActive True\n", false, ""},
             Case{Kind::Freedesktop, true, {}, "", true, ""},
             Case{Kind::GnomeSession,
                  false,
                  {"org.gnome.SessionManager"},
                  "",
                  false,
                  "the desktop offers no saver to start"},
         }) {
        StandIn service(s.dir, c.services);
        LogCapture log;
        Output("xset s reset");
        {
            platform::DesktopSessionScreenSaver saver(c.kind, c.withX11);
            saver.StartNow();
            if (*c.log) {
                EXPECT_TRUE(Eventually([&] { return LogCapture::Text().find(c.log) != std::string::npos; }))
                    << LogCapture::Text();
            }
            EXPECT_TRUE(Eventually([&] { return service.Calls() == c.calls; })) << service.Calls();
            bool on = false;
            if (Display* d = XOpenDisplay(nullptr)) {
                XScreenSaverInfo info{};
                Eventually([&] {
                    on = XScreenSaverQueryInfo(d, DefaultRootWindow(d), &info) && info.state == ScreenSaverOn;
                    return on;
                });
                XCloseDisplay(d);
            }
            EXPECT_EQ(on, c.xSaverStarts) << c.calls;
        }
        Output("xset s reset");
    }
}

TEST(DesktopSessionScreenSaver, OtherSessionsUseTheFreedesktopServiceWhereOneRuns)
{
    Scratch s;
    Env plain("XDG_CURRENT_DESKTOP", "openbox");
    EXPECT_FALSE(platform::DesktopSessionScreenSaver::Detect().has_value());
    StandIn idleDaemon(s.dir, {"org.freedesktop.ScreenSaver"});  // as hypridle offers it
    EXPECT_EQ(platform::DesktopSessionScreenSaver::Detect(), platform::DesktopSessionScreenSaver::Kind::Freedesktop);
}

std::string IdleDelay()
{
    return Output("gsettings get org.gnome.desktop.session idle-delay");
}

TEST(DesktopSessionScreenSaver, GnomeHoldsAnIdleInhibitorAndNeverWritesTheIdleDelay)
{
    using Kind = platform::DesktopSessionScreenSaver::Kind;
    Scratch s;
    Env session("XDG_CURRENT_DESKTOP", "GNOME");
    Output("gsettings set org.gnome.desktop.session idle-delay 300");
    const std::string before = IdleDelay();
    ASSERT_EQ(before, "uint32 300\n");
    EXPECT_FALSE(platform::DesktopSessionScreenSaver::Detect().has_value()) << "no session manager, no GNOME kind";
    StandIn manager(s.dir, {"org.gnome.SessionManager"});
    ASSERT_EQ(platform::DesktopSessionScreenSaver::Detect(), Kind::GnomeSession);
    {
        platform::DesktopSessionScreenSaver saver(Kind::GnomeSession);
        ASSERT_TRUE(saver.IsActive());
        saver.SetActive(false);
        saver.SetActive(false);  // held once
        EXPECT_FALSE(saver.IsActive());
        EXPECT_TRUE(Eventually([&] { return saver.Inhibited(); }));
        EXPECT_EQ(manager.Calls(), "Inhibit zelvaro|0|ｾｰﾊﾞ停止|8|8\n");
        EXPECT_EQ(IdleDelay(), before);
        saver.SetActive(true);
        EXPECT_TRUE(saver.IsActive());
        saver.SetActive(false);
        EXPECT_TRUE(Eventually([&] { return saver.Inhibited(); }));
    }  // ending the program lets go
    EXPECT_TRUE(Eventually([&] {
        return manager.Calls() ==
               "Inhibit zelvaro|0|ｾｰﾊﾞ停止|8|8\nUninhibit 8\nInhibit zelvaro|0|ｾｰﾊﾞ停止|8|9\nUninhibit 9\n";
    })) << manager.Calls();
    EXPECT_EQ(IdleDelay(), before);

    // A program killed while it holds the saver off: the bus ends the
    // inhibitor with its connection, and the setting never changed.
    const fs::path ready = s.dir / "holding";
    std::string self = fs::read_symlink("/proc/self/exe").string();
    std::string hold = "ZELVARO_HOLD_INHIBITOR=" + ready.string();
    std::vector<char*> env;
    for (char** e = environ; *e; ++e)
        env.push_back(*e);
    env.push_back(hold.data());
    env.push_back(nullptr);
    char* argv[] = {self.data(), nullptr};
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, self.c_str(), nullptr, nullptr, argv, env.data()), 0);
    for (int i = 0; i < 200 && !fs::exists(ready); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(fs::exists(ready));
    EXPECT_EQ(IdleDelay(), before);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    for (int i = 0; i < 100 && manager.Calls().find("Dropped 10") == std::string::npos; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_NE(manager.Calls().find("Inhibit zelvaro|0|ｾｰﾊﾞ停止|8|10\nDropped 10\n"), std::string::npos)
        << manager.Calls();
    EXPECT_EQ(IdleDelay(), before);
}

TEST(X11ScreenSaver, SuspendsTheServersSaverWhileHeldAndNeverChangesItsTimeout)
{
    const std::string timeout = SaverTimeout();
    ASSERT_NE(timeout, "");
    {
        platform::X11ScreenSaver saver;
        EXPECT_TRUE(saver.IsActive());
        EXPECT_TRUE(XSaverStarts());
        saver.SetActive(false);
        saver.SetActive(false);  // held once
        EXPECT_FALSE(saver.IsActive());
        EXPECT_FALSE(XSaverStarts());
        EXPECT_EQ(SaverTimeout(), timeout);
        saver.StartNow();  // still starts it at once while held
        Display* d = XOpenDisplay(nullptr);
        XScreenSaverInfo info{};
        ASSERT_TRUE(d && XScreenSaverQueryInfo(d, DefaultRootWindow(d), &info));
        EXPECT_EQ(info.state, ScreenSaverOn);
        XForceScreenSaver(d, ScreenSaverReset);
        XCloseDisplay(d);
        saver.SetActive(true);
        EXPECT_TRUE(saver.IsActive());
        EXPECT_TRUE(XSaverStarts());
        saver.SetActive(false);
    }  // ending the program ends the suspension
    EXPECT_TRUE(XSaverStarts());
    EXPECT_EQ(SaverTimeout(), timeout);

    // The user's own "xset s off": shown off from the start and left so.
    Output("xset s off");
    {
        platform::X11ScreenSaver saver;
        EXPECT_FALSE(saver.IsActive());
        saver.SetActive(true);
        EXPECT_FALSE(saver.IsActive());
        EXPECT_NE(SaverTimeout().find("timeout:  0 "), std::string::npos) << SaverTimeout();
    }
    Output("xset s default");
}

TEST(Sway, CommandsAndTheInhibitorReadFromTheTree)
{
    EXPECT_EQ(platform::SwayWindowManager::FloatCommand(4194310, 77, 12, 34),
              "[id=4194310] floating enable, border none, sticky enable, move absolute position 12 34");
    EXPECT_EQ(platform::SwayWindowManager::FloatCommand(0, 77, -5, 0),
              "[pid=77] floating enable, border none, sticky enable, move absolute position -5 0");
    EXPECT_EQ(platform::SwayDesktop::Command("/tmp/a b/ZelvaroWl-x.png", platform::WallpaperMode::Centre),
              "output * bg \"/tmp/a b/ZelvaroWl-x.png\" center");
    EXPECT_EQ(platform::SwayDesktop::Command("/p.png", platform::WallpaperMode::Tile), "output * bg \"/p.png\" tile");
    EXPECT_EQ(platform::SwayDesktop::Command("/p.png", platform::WallpaperMode::Fit), "output * bg \"/p.png\" fit");
    for (const char* hostile : {"/a\"; exit", "/a\\b", "/a\nb"}) {
        EXPECT_FALSE(platform::SwayDesktop::Command(hostile, platform::WallpaperMode::Centre).has_value()) << hostile;
        EXPECT_FALSE(platform::SwayDesktop::Command("/p.png", platform::WallpaperMode::Fit, hostile)) << hostile;
    }
    EXPECT_EQ(platform::SwayDesktop::Command("/p.png", platform::WallpaperMode::Stretch, "HDMI-A-1"),
              "output \"HDMI-A-1\" bg \"/p.png\" stretch");
    // Outputs in device pixels: the layout's rectangle times the scale; an
    // inactive output has none.
    const std::string outputs = R"([
        {"name":"eDP-1","active":true,"scale":2.0,"rect":{"x":0,"y":0,"width":960,"height":540}},
        {"name":"HDMI-A-1","active":true,"scale":1.0,"rect":{"x":1920,"y":100,"width":1280,"height":1024}},
        {"name":"DP-2","active":false,"scale":1.0,"rect":{"x":0,"y":0,"width":0,"height":0}}])";
    using Output = platform::SwayDesktop::Output;
    EXPECT_EQ(platform::SwayDesktop::ParseOutputs(outputs),
              (std::vector<Output>{{"eDP-1", 0, 0, 1920, 1080}, {"HDMI-A-1", 1920, 100, 1280, 1024}}));
    EXPECT_TRUE(platform::SwayDesktop::ParseOutputs("not json").empty());

    const std::string tree = R"({"id":1,"type":"root","nodes":[{"type":"output","nodes":[{"type":"workspace",
        "nodes":[{"pid":12,"idle_inhibitors":{"user":"none","application":"none"}}],
        "floating_nodes":[{"pid":77,"idle_inhibitors":{"user":"open","application":"none"}}]}]}]})";
    using platform::SwayScreenSaver;
    EXPECT_EQ(SwayScreenSaver::UserInhibitor(tree, 77), "open");
    EXPECT_EQ(SwayScreenSaver::UserInhibitor(tree, 12), "none");
    EXPECT_FALSE(SwayScreenSaver::UserInhibitor(tree, 13).has_value());
    EXPECT_FALSE(SwayScreenSaver::UserInhibitor("not json", 77).has_value());
}

std::string SwayMessage(std::uint32_t type, const std::string& payload)
{
    std::string m = "i3-ipc";
    const auto length = static_cast<std::uint32_t>(payload.size());
    m.append(reinterpret_cast<const char*>(&length), 4);
    m.append(reinterpret_cast<const char*>(&type), 4);
    return m + payload;
}

TEST(Sway, WindowEventsReportEachMappedWindowAcrossPartialReads)
{
    using platform::SwayWindowEvents;
    constexpr std::uint32_t kWorkspace = 0x80000000u, kWindow = 0x80000003u;
    const std::string mappedX11 = SwayMessage(kWindow,
                                              R"({"change":"new","container":{"id":9,"pid":77,"window":4194577}})");
    const std::string mappedNative = SwayMessage(kWindow, R"({"change":"new","container":{"id":10,"pid":78}})");
    std::string buffer = SwayMessage(kWorkspace, R"({"change":"focus"})") +
                         SwayMessage(kWindow, R"({"change":"focus","container":{"pid":77,"window":1}})") + mappedX11 +
                         mappedNative.substr(0, 20);
    auto mapped = SwayWindowEvents::TakeMappedWindows(buffer);
    ASSERT_EQ(mapped.size(), 1u);
    EXPECT_EQ(mapped[0].pid, 77);
    EXPECT_EQ(mapped[0].x11Window, 4194577u);
    EXPECT_EQ(buffer, mappedNative.substr(0, 20)) << "an incomplete message waits for the rest";
    buffer += mappedNative.substr(20);
    mapped = SwayWindowEvents::TakeMappedWindows(buffer);
    ASSERT_EQ(mapped.size(), 1u);
    EXPECT_EQ(mapped[0].pid, 78);
    EXPECT_EQ(mapped[0].x11Window, 0u);
    EXPECT_TRUE(buffer.empty());
    for (std::string noise :
         {std::string("HTTP/1.1 200"), SwayMessage(kWindow, "x").replace(6, 4, "\xff\xff\xff\x7f")}) {
        EXPECT_TRUE(SwayWindowEvents::TakeMappedWindows(noise).empty());
        EXPECT_TRUE(noise.empty()) << "bytes that are no message are not kept";
    }
}

int main(int argc, char** argv)
{
    // The child the GNOME test kills: takes the inhibitor, says so, waits.
    if (const char* ready = std::getenv("ZELVARO_HOLD_INHIBITOR")) {
        QCoreApplication app(argc, argv);
        platform::DesktopSessionScreenSaver saver(platform::DesktopSessionScreenSaver::Kind::GnomeSession);
        saver.SetActive(false);
        while (!saver.Inhibited())
            app.processEvents(QEventLoop::WaitForMoreEvents);
        std::ofstream(ready).put('x');
        for (;;)
            ::pause();
    }
    // GIO reads these once, before its first settings lookup.
    const fs::path config = fs::temp_directory_path() / ("zelvaro-services-config-" + std::to_string(getpid()));
    setenv("GSETTINGS_BACKEND", "keyfile", 1);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    // The swaybg pid file goes here; sway is not this session.
    const fs::path runtime = config / "runtime";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    unsetenv("SWAYSOCK");
    unsetenv("HYPRLAND_INSTANCE_SIGNATURE");
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    fs::remove_all(config);
    return result;
}
