#include "wallpaper/image_wall_converter.h"

#include "image/image_info_box.h"
#include "image/multi_image.h"
#include "image/photo_cd.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

// The clock window's hidden image component PMImage and Photo CD reader Pcd1,
// set as the window's layout sets them.
class ImageWallConverter : public WallConverter {
public:
    ImageWallConverter()
    {
        PMImage.ImageReadRes = lAutoMatic;
        PMImage.ImageWriteRes = sAutoMatic;
        PMImage.ImageDither = true;
        Pcd1.SetPictureSize(pcdMedium);
        Pcd1.SetCutOff(true);
    }

    const DibPicture* WrittenPicture() const override { return written_; }

    bool ConvertToBmp(const std::string& file, bool photoCd, bool colorDecSw, const std::string& bmpPath) override
    {
        written_ = nullptr;
        const QScreen* screen = QGuiApplication::primaryScreen();
        PMImage.SetDisplayBitsPerPixel(screen ? screen->depth() : 24);
        if (photoCd) {
            // A file that cannot be opened keeps the reader's previous picture;
            // showing that picture would be wrong, so the attempt ends here.
            if (!Pcd1.SetPictureName(file)) {
                if (!Pcd1.Message().empty())
                    ImageInfoBox::ShowMessage(Pcd1.Message());
                return false;
            }
            PMImage.SetPicture(Pcd1.Picture());
        } else {
            // A failed read is shown in the component's information box and
            // ends the attempt, instead of showing the previous picture.
            const ImageResult read = PMImage.SetImageName(file);
            if (!ImageInfoBox::Report(read) || !read.Ok())
                return false;
        }
        PMImage.DefSaveFilename = bmpPath;
        PMImage.ImageWriteRes =
            ChooseWallWriteRes(photoCd, colorDecSw, PMImage.ImageBitCount()) == WallWriteRes::Color256 ? sColor256
                                                                                                      : sAutoMatic;
        const ImageResult written = PMImage.SaveAsBmp();
        if (!ImageInfoBox::Report(written) || !written.Ok())
            return false;
        // Written at the picture's own depth, the file holds PMImage's picture
        // as it is, and the desktop can take the pixels from here.
        const int depth = PMImage.WriteDepth();
        if (depth == 0 || depth == PMImage.Picture().BitCount)
            written_ = &PMImage.Picture();
        return true;
    }

private:
    TPMultiImage PMImage;
    TPcd Pcd1;
    const DibPicture* written_ = nullptr;
};

}  // namespace

std::unique_ptr<WallConverter> MakeImageWallConverter()
{
    return std::make_unique<ImageWallConverter>();
}
