#pragma once
// What every image decoder gives back: the picture and the file's own bits
// per pixel, or a failure.

#include "wallpaper/picture.h"

struct TDecodedImage {
    bool Ok = false;
    TPicture Picture;
    int FileBitCount = 0;
};
