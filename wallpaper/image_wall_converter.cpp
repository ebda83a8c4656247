#include "wallpaper/image_wall_converter.h"

namespace {

// Until the image component is part of the build, nothing converts: the
// attempt ends like a failed read and the rotation tries another file.
class NoImageConverter : public WallConverter {
public:
    bool ConvertToBmp(const std::string&, bool, bool, const std::string&) override { return false; }
};

}  // namespace

std::unique_ptr<WallConverter> MakeImageWallConverter()
{
    return std::make_unique<NoImageConverter>();
}
