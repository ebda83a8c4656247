// SPDX-License-Identifier: GPL-3.0-or-later
// The Linux services of the clock window: one running copy per file name,
// sounds that never fail loudly, and the help viewer.

#include "platform/fake/memory_file_reader.h"
#include "platform/linux/session/socket_instance_guard.h"
#include "platform/linux/sound/sdl_sound.h"
#include "platform/linux/system/inotify_time_zone_watch.h"
#include "shell/help_window.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <SDL_mixer.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

namespace {

void Put16(std::string& s, std::uint16_t v)
{
    s += char(v & 0xff);
    s += char(v >> 8);
}
void Put32(std::string& s, std::uint32_t v)
{
    Put16(s, std::uint16_t(v & 0xffff));
    Put16(s, std::uint16_t(v >> 16));
}

// A mono 16-bit PCM WAV of `samples` samples of a quiet square wave.
std::string PcmWav(std::uint32_t samples)
{
    std::string w = "RIFF";
    Put32(w, 36 + samples * 2);
    w += "WAVEfmt ";
    Put32(w, 16);
    Put16(w, 1);
    Put16(w, 1);
    Put32(w, 8000);
    Put32(w, 16000);
    Put16(w, 2);
    Put16(w, 16);
    w += "data";
    Put32(w, samples * 2);
    for (std::uint32_t i = 0; i < samples; ++i)
        Put16(w, (i / 20) % 2 ? 0x0800 : 0xf800);
    return w;
}

std::string Write(const QTemporaryDir& dir, const char* name, const std::string& bytes)
{
    const std::string path = dir.filePath(name).toStdString();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

}  // namespace

class PlatformServicesTest : public QObject {
    Q_OBJECT
private slots:
    void secondGuardOfTheSameNameIsRefused();
    void forwardRequestReachesTheRunningCopy();
    void anotherUsersListenerDoesNotStopUs();
    void copiesStartedTogetherLeaveOne();
    void socketFileGoesAtAnyOrderlyEnd();
    void soundPlaysOneAtATimeAndLoops();
    void deviceIsOpenOnlyWhileASoundPlays();
    void preloadedSoundsPlayWithoutReadingTheFile();
    void unplayableSoundsAreSilentAndQuick();
    void helpShowsTopicsAndFollowsLinks();
    void zoneWatchSeesTheZoneFileReplaced();
};

void PlatformServicesTest::secondGuardOfTheSameNameIsRefused()
{
    const std::string name = "zelvaro-test-guard-" + std::to_string(::getpid());
    {
        platform::SocketInstanceGuard first(name);
        QVERIFY(first.Acquire());
        platform::SocketInstanceGuard second(name);
        QVERIFY(!second.Acquire());
        platform::SocketInstanceGuard other(name + "-other.exe");  // another file name
        QVERIFY(other.Acquire());
    }
    // The first copy is gone (however it ended): the name is free at once.
    platform::SocketInstanceGuard again(name);
    QVERIFY(again.Acquire());
}

void PlatformServicesTest::forwardRequestReachesTheRunningCopy()
{
    const std::string name = "zelvaro-test-forward-" + std::to_string(::getpid());
    platform::SocketInstanceGuard first(name);
    QVERIFY(first.Acquire());
    int requests = 0;
    first.OnForwardRequest([&] { ++requests; });
    platform::SocketInstanceGuard later(name);
    QVERIFY(!later.Acquire());
    QVERIFY(later.BringRunningCopyForward());
    QVERIFY(later.BringRunningCopyForward());
    QTRY_COMPARE(requests, 2);
    platform::SocketInstanceGuard nobody(name + "-none");
    QVERIFY(!nobody.BringRunningCopyForward());
}

void PlatformServicesTest::anotherUsersListenerDoesNotStopUs()
{
    if (::geteuid() != 0)
        QSKIP("a second user is needed: run as root");
    // A child running as nobody listens on our name first, as any local
    // user can with an abstract socket.
    const std::string name = "zelvaro-test-squat-" + std::to_string(::getpid());
    int ready[2];
    QVERIFY(::pipe(ready) == 0);
    const pid_t squatter = ::fork();
    if (squatter == 0) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path + 1, name.data(), name.size());
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool listening = ::setgid(65534) == 0 && ::setuid(65534) == 0 &&
                               ::bind(fd, reinterpret_cast<sockaddr*>(&address),
                                      static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size())) == 0 &&
                               ::listen(fd, 1) == 0;
        const char answer = listening ? 'y' : 'n';
        [[maybe_unused]] const ssize_t sent = ::write(ready[1], &answer, 1);
        ::pause();
        ::_exit(0);
    }
    char answer = 0;
    QVERIFY(::read(ready[0], &answer, 1) == 1);
    ::close(ready[0]);
    ::close(ready[1]);
    QCOMPARE(answer, 'y');

    {
        platform::SocketInstanceGuard first(name);
        QVERIFY(first.Acquire());
        QCOMPARE(first.ActiveName(), name + "-1");
        int requests = 0;
        first.OnForwardRequest([&] { ++requests; });
        // A later copy of ours still finds the first, past the stranger.
        platform::SocketInstanceGuard later(name);
        QVERIFY(!later.Acquire());
        QVERIFY(later.BringRunningCopyForward());
        QTRY_COMPARE(requests, 1);
    }
    ::kill(squatter, SIGKILL);
    ::waitpid(squatter, nullptr, 0);
}

void PlatformServicesTest::copiesStartedTogetherLeaveOne()
{
    // Ten copies take the guard at the same instant, twenty times over: with
    // the lock in our runtime folder exactly one runs each time, and every
    // other one finds it and calls it forward.
    QTemporaryDir runtime;
    QVERIFY(::chmod(QFile::encodeName(runtime.path()).constData(), 0700) == 0);
    const std::string dir = runtime.path().toStdString();
    const std::string name = "zelvaro-test-together-" + std::to_string(::getpid());
    constexpr int kCopies = 10;
    for (int round = 0; round < 20; ++round) {
        int results[2], go[2];
        QVERIFY(::pipe(results) == 0 && ::pipe(go) == 0);
        std::vector<pid_t> copies;
        for (int i = 0; i < kCopies; ++i) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                ::close(go[1]);
                char start = 0;
                [[maybe_unused]] const ssize_t got = ::read(go[0], &start, 1);  // all start together
                platform::SocketInstanceGuard guard(name, dir);
                const bool held = guard.Acquire();
                const char answer = held ? 'h' : (guard.BringRunningCopyForward() ? 'f' : 'x');
                [[maybe_unused]] const ssize_t sent = ::write(results[1], &answer, 1);
                if (held)
                    ::sleep(5);  // holds the guard until the round ends
                ::_exit(0);
            }
            copies.push_back(pid);
        }
        ::close(go[0]);
        ::close(go[1]);  // the end of the pipe releases every copy at once
        std::string answers;
        char c = 0;
        while (answers.size() < kCopies && ::read(results[0], &c, 1) == 1)
            answers += c;
        for (const pid_t pid : copies) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        ::close(results[0]);
        ::close(results[1]);
        QCOMPARE(std::count(answers.begin(), answers.end(), 'h'), 1);
        QCOMPARE(std::count(answers.begin(), answers.end(), 'f'), kCopies - 1);
    }
}

// The copy that holds the guard leaves no socket file in the runtime folder,
// whether its guard is destroyed or the process calls exit() past it (as Qt
// does when the display dies).
void PlatformServicesTest::socketFileGoesAtAnyOrderlyEnd()
{
    QTemporaryDir runtime;
    QVERIFY(::chmod(QFile::encodeName(runtime.path()).constData(), 0700) == 0);
    const std::string dir = runtime.path().toStdString();
    const std::string name = "zelvaro-test-exit-" + std::to_string(::getpid());
    const std::string socket = dir + "/" + name + ".socket";
    for (const bool byExit : {false, true}) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            auto guard = std::make_unique<platform::SocketInstanceGuard>(name, dir);
            if (!guard->Acquire() || ::access(socket.c_str(), F_OK) != 0)
                ::_exit(2);
            if (byExit)
                std::exit(1);  // the guard is never destroyed
            guard.reset();
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(::waitpid(pid, &status, 0), pid);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), byExit ? 1 : 0);
        QVERIFY2(::access(socket.c_str(), F_OK) != 0, byExit ? "left by exit()" : "left by the guard");
    }
}

void PlatformServicesTest::soundPlaysOneAtATimeAndLoops()
{
    QTemporaryDir dir;
    const std::string a = Write(dir, "a.wav", PcmWav(8000));
    const std::string b = Write(dir, "b.wav", PcmWav(800));
    platform::SdlSound sound;
    sound.Play(a, true);
    if (Mix_QuerySpec(nullptr, nullptr, nullptr) == 0)
        QSKIP("no audio driver here");
    QCOMPARE(Mix_Playing(-1), 1);
    sound.Play(b, false);  // stops the looping sound
    QCOMPARE(Mix_Playing(-1), 1);
    sound.Stop();
    QVERIFY(!sound.DeviceOpen());  // nothing plays: the device is closed
    sound.Play(a, true);
    QTest::qWait(1300);  // a one-second sound that loops is still playing
    QCOMPARE(Mix_Playing(-1), 1);
    sound.Play(dir.filePath("missing.wav").toStdString(), false);  // stops, then silence
    QVERIFY(!sound.DeviceOpen());
}

void PlatformServicesTest::deviceIsOpenOnlyWhileASoundPlays()
{
    QTemporaryDir dir;
    const std::string shortSound = Write(dir, "short.wav", PcmWav(800));  // 0.1 s
    platform::SdlSound sound;
    QVERIFY(!sound.DeviceOpen());
    for (int round = 0; round < 2; ++round) {  // closed after the sound, opened again for the next
        sound.Play(shortSound, false);
        if (!sound.DeviceOpen())
            QSKIP("no audio driver here");
        QCOMPARE(Mix_Playing(-1), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!sound.DeviceOpen(), 3000);
    }
    // A sound that ends while the next one starts does not close the device under it.
    sound.Play(shortSound, false);
    sound.Play(shortSound, true);
    QTest::qWait(400);
    QVERIFY(sound.DeviceOpen());
    QCOMPARE(Mix_Playing(-1), 1);
    sound.Stop();
    QVERIFY(!sound.DeviceOpen());
}

void PlatformServicesTest::preloadedSoundsPlayWithoutReadingTheFile()
{
    QTemporaryDir dir;
    const std::string a = Write(dir, "a.wav", PcmWav(8000));
    const std::string b = Write(dir, "b.wav", PcmWav(800));
    platform::SdlSound sound;
    sound.Preload({a, b, a, "", dir.filePath("missing.wav").toStdString()});
    QCOMPARE(sound.Decodes(), 2);
    sound.Preload({a, b});  // unchanged files are not read again
    QCOMPARE(sound.Decodes(), 2);
    Write(dir, "b.wav", PcmWav(1600));  // changed on disk
    sound.Preload({a, b});
    QCOMPARE(sound.Decodes(), 3);
    // Gone from the disk, still held: it plays from memory.
    QVERIFY(QFile::remove(QString::fromStdString(a)));
    sound.Play(a, false);
    QCOMPARE(sound.Decodes(), 3);
    if (!sound.DeviceOpen())
        QSKIP("no audio driver here");
    QCOMPARE(Mix_Playing(-1), 1);
    sound.Stop();
    // Let go when the settings no longer name it.
    sound.Preload({b});
    sound.Play(a, false);
    QVERIFY(!sound.DeviceOpen());
}

void PlatformServicesTest::unplayableSoundsAreSilentAndQuick()
{
    QTemporaryDir dir;
    const std::string wav = PcmWav(4000);
    const std::string notWav = Write(dir, "text.wav", "this is not a sound at all");
    const std::string truncated = Write(dir, "cut.wav", wav.substr(0, 30));
    const std::string cutData = Write(dir, "cutdata.wav", wav.substr(0, wav.size() / 2));
    const std::string empty = Write(dir, "empty.wav", "");
    const std::string huge = dir.filePath("huge.wav").toStdString();
    {
        std::ofstream(huge, std::ios::binary) << wav.substr(0, 44);
    }
    QVERIFY(::truncate(huge.c_str(), 512ll * 1024 * 1024) == 0);  // sparse, 512 MB
    // 8 MB of 8-bit mono at 8 kHz: within the file limit, but over 100 MB
    // as 16-bit stereo at the device's rate.
    std::string longSound = "RIFF";
    const std::uint32_t longBytes = 8u * 1024 * 1024;
    Put32(longSound, 36 + longBytes);
    longSound += "WAVEfmt ";
    Put32(longSound, 16);
    Put16(longSound, 1);
    Put16(longSound, 1);
    Put32(longSound, 8000);
    Put32(longSound, 8000);
    Put16(longSound, 1);
    Put16(longSound, 8);
    longSound += "data";
    Put32(longSound, longBytes);
    longSound.append(longBytes, char(0x80));
    const std::string tooLong = Write(dir, "long.wav", longSound);
    platform::SdlSound sound;
    QElapsedTimer timer;
    timer.start();
    for (const std::string& file : {notWav, truncated, empty, huge, tooLong, dir.path().toStdString(), std::string()}) {
        sound.Play(file, false);
        QVERIFY(!sound.DeviceOpen());
    }
    QVERIFY(QString::fromStdString(sound.TryPlay(tooLong)).contains("too long"));
    sound.Play(cutData, false);  // a short data chunk still plays what is there
    sound.Stop();
    QVERIFY2(timer.elapsed() < 3000, "an unplayable file stalled the caller");
}

void PlatformServicesTest::helpShowsTopicsAndFollowsLinks()
{
    platform::MemoryFileReader files;
    const std::string file = "/opt/zelvaro/zelvaro.HLP";
    files.files[file] = "<html><body><section id=\"ctx-0\"><p>目次 <a href=\"#ctx-15\">ｱｲｺﾝ</a></p></section>"
                        "<section id=\"ctx-15\"><p>最小化します</p></section></body></html>";
    HelpWindow help(file, files);
    help.ShowContents();
    QVERIFY(help.isVisible());
    QVERIFY(help.toPlainText().contains(QString::fromUtf8("目次")));
    QVERIFY(!help.toPlainText().contains(QString::fromUtf8("最小化します")));
    emit help.anchorClicked(QUrl("#ctx-15"));
    QCOMPARE(help.CurrentContext(), 15);
    QVERIFY(help.toPlainText().contains(QString::fromUtf8("最小化します")));
    help.ShowContext(99);
    QVERIFY(help.toPlainText().contains("99"));
    help.Quit();
    QVERIFY(!help.isVisible());
    HelpWindow missing("/opt/zelvaro/none.HLP", files);
    missing.ShowContext(5);
    QVERIFY(missing.toPlainText().contains("none.HLP"));
}

// The zone file replaced as the system's tools do it (a new link renamed
// over the old one, or the old one removed and made again) calls once per
// change; other files of the folder do not.
void PlatformServicesTest::zoneWatchSeesTheZoneFileReplaced()
{
    QTemporaryDir dir;
    const QString zone = dir.filePath("localtime");
    QVERIFY(QFile::link("/usr/share/zoneinfo/Europe/Berlin", zone));
    platform::InotifyTimeZoneWatch watch(zone.toStdString());
    QVERIFY(watch.Watching());
    int changes = 0;
    watch.OnJump([&] { ++changes; });

    QVERIFY(QFile::link("/usr/share/zoneinfo/Asia/Tokyo", dir.filePath(".localtime.new")));
    QVERIFY(::rename(dir.filePath(".localtime.new").toLocal8Bit(), zone.toLocal8Bit()) == 0);
    QTRY_COMPARE(changes, 1);
    QVERIFY(QFile::remove(zone));
    QVERIFY(QFile::link("/usr/share/zoneinfo/UTC", zone));
    QTRY_VERIFY(changes >= 2);
    const int seen = changes;
    Write(dir, "adjtime", "0.0 0 0.0\n");
    QTest::qWait(100);
    QCOMPARE(changes, seen);
}

QTEST_MAIN(PlatformServicesTest)
#include "platform_services_test.moc"
