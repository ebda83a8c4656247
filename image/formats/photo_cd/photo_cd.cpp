// SPDX-License-Identifier: GPL-3.0-or-later
#include "image/formats/photo_cd/photo_cd.h"

#include "base/zelvaro_error.h"
#include "image/image_file.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

// Opened for reading only, so files on read-only media can be read.
class FileSource : public PcdSource {
public:
    explicit FileSource(std::FILE* f) : file_(f) {}
    bool Seek(uint64_t offset) override
    {
        return offset <= static_cast<uint64_t>(INT64_MAX) &&
               fseeko(file_.get(), static_cast<off_t>(offset), SEEK_SET) == 0;
    }
    bool Read(uint8_t* buffer, size_t bytes) override { return std::fread(buffer, 1, bytes, file_.get()) == bytes; }

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
};

}  // namespace

ImageRead DecodePcdFile(const ImageFile& file, PcdSize size, bool cutOff)
{
    std::FILE* f = file.Stream();
    if (!f)
        return ImageRead::Failed(OpenFailureOf(file), "PCD: cannot open the file");
    FileSource source(f);
    return DecodePcd(source, size, cutOff);
}

bool TPcd::SetPictureName(const std::string& name)
{
    pictureName_ = name;
    error_ = false;
    ReadPicture();
    return !error_;
}

void TPcd::SetPictureSize(PcdSize size)
{
    if (size == pictureSize_)
        return;
    pictureSize_ = size;
    if (!pictureName_.empty())
        ReadPicture();
}

void TPcd::SetCutOff(bool cutOff)
{
    if (cutOff == cutOff_)
        return;
    cutOff_ = cutOff;
    if (!picture_.Empty())
        ReadPicture();
}

void TPcd::ReadPicture()
{
    message_.clear();
    if (pictureName_.empty()) {
        picture_.Clear();
        error_ = true;
        message_ = "PCD:Picture name not set";
        return;
    }
    // Regular files only: a directory, a FIFO or a device is no picture.
    const ImageFile file(pictureName_);
    if (!file.Ok()) {
        error_ = true;
        return;
    }
    ImageRead read = DecodePcdFile(file, pictureSize_, cutOff_);
    if (!read.Ok())
        throw ZelvaroError(read.Reason);  // the old picture stays
    picture_ = std::move(read.Picture);
}
