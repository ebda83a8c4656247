// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Photo CD reader: setting PictureName reads one base resolution of the
// file into Picture. Read errors after the file is open (a short file, a
// failed seek) raise ZelvaroError; the previous picture is kept then.

#include "image/formats/photo_cd/photo_cd_decoder.h"
#include "image/image_file.h"
#include "image/picture.h"

#include <string>

// Decodes one base resolution of an opened Photo CD file; a file that cannot
// be opened fails as it was found, one cut short with kPcdReadError.
ImageRead DecodePcdFile(const ImageFile& file, PcdSize size, bool cutOff);

class TPcd {
public:
    // Reads the named file. An empty name empties the picture, sets the error
    // flag and leaves Message() "PCD:Picture name not set" for the display
    // side to show; a file that cannot be opened sets the error flag and keeps
    // the previous picture, silently. Returns false when the error flag is set.
    // The whole name is used, however long.
    bool SetPictureName(const std::string& name);
    const std::string& PictureName() const { return pictureName_; }

    // Re-reads when a name is set and the size changes.
    void SetPictureSize(PcdSize size);
    PcdSize PictureSize() const { return pictureSize_; }

    // Re-reads when a picture is held and the value changes.
    void SetCutOff(bool cutOff);
    bool CutOff() const { return cutOff_; }

    const DibPicture& Picture() const { return picture_; }
    bool Error() const { return error_; }
    // The text to show after the last read, empty when none.
    const std::string& Message() const { return message_; }

private:
    void ReadPicture();

    std::string pictureName_;
    PcdSize pictureSize_ = pcdMedium;
    bool cutOff_ = false;
    DibPicture picture_;
    bool error_ = false;
    std::string message_;
};
