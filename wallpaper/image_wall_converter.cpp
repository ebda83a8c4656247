// SPDX-License-Identifier: GPL-3.0-or-later
#include "wallpaper/image_wall_converter.h"

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
    WallNotice FailureNotice() const override { return notice_; }
    void SetBeforeWrite(PictureReady ready) override { beforeWrite_ = std::move(ready); }

    void ReleasePictures() override
    {
        written_ = nullptr;
        PMImage.SetPicture(DibPicture{});
    }

    bool ConvertToBmp(const std::string& file, bool photoCd, bool colorDecSw, const std::string& bmpPath) override
    {
        written_ = nullptr;
        notice_ = {};
        const QScreen* screen = QGuiApplication::primaryScreen();
        PMImage.SetDisplayBitsPerPixel(screen ? screen->depth() : 24);
        if (photoCd) {
            // A file that cannot be opened keeps the reader's previous picture;
            // showing that picture would be wrong, so the attempt ends here.
            if (!Pcd1.SetPictureName(file)) {
                notice_ = {Pcd1.Message(), false};
                return false;
            }
            PMImage.SetPicture(Pcd1.Picture());
        } else {
            // A failed read is told in the component's information box and
            // ends the attempt, instead of showing the previous picture.
            if (!Keep(PMImage.SetImageName(file)))
                return false;
        }
        PMImage.DefSaveFilename = bmpPath;
        PMImage.ImageWriteRes = ChooseWallWriteRes(photoCd, colorDecSw, PMImage.ImageBitCount()) ==
                                        WallWriteRes::Color256
                                    ? sColor256
                                    : sAutoMatic;
        // Written at the picture's own depth, the file holds PMImage's picture
        // as it is, and the desktop can take the pixels from here, even while
        // the file is being written.
        const int depth = PMImage.WriteDepth();
        const bool asHeld = depth == 0 || depth == PMImage.Picture().BitCount;
        if (asHeld && beforeWrite_)
            beforeWrite_(PMImage.Picture());
        if (!Keep(PMImage.SaveAsBmp()))
            return false;
        if (asHeld)
            written_ = &PMImage.Picture();
        return true;
    }

private:
    // Keeps what the component has to tell; true when the step succeeded.
    bool Keep(const ImageResult& result)
    {
        if (!result.Message.empty())
            notice_ = {result.Message, true};
        return result.Ok();
    }

    TPMultiImage PMImage;
    TPcd Pcd1;
    const DibPicture* written_ = nullptr;
    WallNotice notice_;
    PictureReady beforeWrite_;
};

}  // namespace

std::unique_ptr<WallConverter> MakeImageWallConverter()
{
    return std::make_unique<ImageWallConverter>();
}
