// SPDX-License-Identifier: GPL-3.0-or-later
// The wallpaper's cross-fade on one 1920x1080 output, drawn into memory as
// the compositor's buffers would be, beside the conversion of the new picture
// as the wallpaper makes it (stretched to the screen):
//   cross_fade_tool <old.bmp> <new picture>
// prints "conversion_ms C frames N cpu_ms M prepare_ms P": the conversion's
// CPU time, the frames drawn and the CPU time of the whole fade (from the
// converted picture handed over to the last frame), of it P before the first frame.

#include "image/image_file.h"
#include "platform/fake/memory_registry.h"
#include "platform/linux/wayland/layer_wallpaper_desktop.h"
#include "platform/wallpaper_mode.h"
#include "wallpaper/image_wall_converter.h"

#include <QGuiApplication>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double CpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// A surface whose buffers are plain memory, configured at once.
class MemorySurface : public platform::LayerSurface {
public:
    bool Configured() const override { return true; }
    int Width() const override { return 1920; }
    int Height() const override { return 1080; }
    int Scale() const override { return 1; }
    bool BeginFrame(platform::PixelFrame& frame) override
    {
        pixels_.resize(std::size_t(1920) * 1080 * 4);
        frame = {pixels_.data(), 1920, 1080, 1920 * 4, 1};
        return true;
    }
    void EndFrame() override {}
    void SetMargins(int, int) override {}
    void SetLayer(platform::ShellLayer) override {}
    void SetKeyboard(bool) override {}
    void OnRedraw(std::function<void()>) override {}
    void OnPointer(std::function<void(const platform::LayerPointer&)>) override {}
    void OnKey(std::function<void(const platform::LayerKey&)>) override {}
    void OnClosed(std::function<void()>) override {}

private:
    std::vector<std::uint8_t> pixels_;
};

class MemoryShell : public platform::LayerShell {
public:
    std::vector<platform::OutputArea> Outputs() const override { return {{0, 0, 1920, 1080, 1}}; }
    void OnOutputsChanged(std::function<void()>) override {}
    std::unique_ptr<platform::LayerSurface> MakeSurface(const platform::LayerSurfaceSpec&) override
    {
        return std::make_unique<MemorySurface>();
    }
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: cross_fade_tool <old.bmp> <new picture>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    MemoryShell shell;
    platform::MemoryRegistry registry;
    registry.WriteString(platform::RootKey::CurrentUser, platform::kDesktopKey, "WallpaperStyle", "2");  // stretched
    platform::LayerWallpaperDesktop desktop(shell, registry);
    if (desktop.SetWallpaper(argv[1]) != platform::Desktop::Result::Done) {
        std::fprintf(stderr, "cross_fade_tool: %s was not shown\n", argv[1]);
        return 1;
    }
    auto converter = MakeImageWallConverter(registry, [] {
        WallScreens screens;
        screens.width = screens.spanWidth = 1920;
        screens.height = screens.spanHeight = 1080;
        screens.monitors.push_back({0, 0, 1920, 1080});
        return screens;
    });
    const std::string converted = std::string(argv[2]) + ".fade.bmp";
    const double converting = CpuMs();
    if (!converter->ConvertToBmp(ImageFile(argv[2]), nullptr, false, converted)) {
        std::fprintf(stderr, "cross_fade_tool: %s could not be converted\n", argv[2]);
        return 1;
    }
    const double conversion = CpuMs() - converting;
    converter->ReleasePictures();
    const double start = CpuMs();
    if (desktop.SetWallpaper(converted) != platform::Desktop::Result::Done) {
        std::fprintf(stderr, "cross_fade_tool: %s was not shown\n", converted.c_str());
        return 1;
    }
    const double handed = CpuMs() - start;
    // The fade ends within its 0.75 s; the loop runs a little longer.
    QTimer::singleShot(1200, &app, &QCoreApplication::quit);
    app.exec();
    // The whole fade, and of it the picture laid out for the output before the first frame.
    std::printf("conversion_ms %.1f frames %d cpu_ms %.1f prepare_ms %.1f\n", conversion, desktop.FramesOfLastFade(),
                CpuMs() - start, handed);
    std::remove(converted.c_str());
    return 0;
}
