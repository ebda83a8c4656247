// SPDX-License-Identifier: GPL-3.0-or-later
#include "image_fixtures.h"

#include <gif_lib.h>
#include <tiffio.h>
#include <turbojpeg.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

namespace fixtures {

std::vector<uint8_t> PhotoRgb(int width, int height)
{
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    size_t i = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double fx = static_cast<double>(x) / width, fy = static_cast<double>(y) / height;
            rgb[i++] = static_cast<uint8_t>(127 + 120 * std::sin(6 * fx + 2 * fy));
            rgb[i++] = static_cast<uint8_t>(fy * 255);
            rgb[i++] = static_cast<uint8_t>(((x / 8 + y / 8) % 2) * 40 + fx * 200);
        }
    return rgb;
}

std::vector<uint8_t> EncodeJpeg(const std::vector<uint8_t>& rgb, int width, int height, bool grey, int quality)
{
    tjhandle tj = tjInitCompress();
    unsigned char* out = nullptr;
    unsigned long size = 0;
    std::vector<uint8_t> src = rgb;
    if (grey) {
        src.resize(static_cast<size_t>(width) * height);
        for (size_t p = 0; p < src.size(); ++p)
            src[p] = rgb[3 * p + 1];
    }
    const int rc = tjCompress2(tj, src.data(), width, 0, height, grey ? TJPF_GRAY : TJPF_RGB, &out, &size,
                               grey ? TJSAMP_GRAY : TJSAMP_420, quality, 0);
    std::vector<uint8_t> bytes;
    if (rc == 0)
        bytes.assign(out, out + size);
    tjFree(out);
    tjDestroy(tj);
    return bytes;
}

bool WriteJpeg(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height, bool grey, int quality)
{
    const std::vector<uint8_t> bytes = EncodeJpeg(rgb, width, height, grey, quality);
    if (bytes.empty())
        return false;
    WriteAll(path, bytes);
    return true;
}

bool WriteGif(const std::string& path, int bits, int screenW, int screenH, int left, int top, int frameW, int frameH,
              bool interlaced, int transparent)
{
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif)
        return false;
    const int count = 1 << bits;
    std::vector<GifColorType> colours(count);
    for (int i = 0; i < count; ++i)
        colours[i] = {static_cast<GifByteType>(i * 255 / (count - 1)),
                      static_cast<GifByteType>(255 - i * 255 / (count - 1)),
                      static_cast<GifByteType>(i % 2 ? 200 : 10)};
    ColorMapObject* map = GifMakeMapObject(count, colours.data());
    bool ok = EGifPutScreenDesc(gif, screenW, screenH, bits, 0, map) == GIF_OK;
    if (ok && transparent >= 0) {
        GraphicsControlBlock gcb{};
        gcb.TransparentColor = transparent;
        GifByteType ext[4];
        const size_t len = EGifGCBToExtension(&gcb, ext);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(len), ext) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, left, top, frameW, frameH, interlaced, nullptr) == GIF_OK;
    // Rows in the order the file stores them: the four interlace passes, or top to bottom.
    std::vector<int> order;
    if (interlaced) {
        static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = kStart[pass]; y < frameH; y += kStep[pass])
                order.push_back(y);
    } else {
        for (int y = 0; y < frameH; ++y)
            order.push_back(y);
    }
    std::vector<GifPixelType> line(static_cast<size_t>(frameW));
    for (size_t i = 0; ok && i < order.size(); ++i) {
        for (int x = 0; x < frameW; ++x)
            line[x] = static_cast<GifPixelType>((x + order[i]) % count);
        ok = EGifPutLine(gif, line.data(), frameW) == GIF_OK;
    }
    GifFreeMapObject(map);
    return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

bool WriteTiff(const std::string& path, int bits, int width, int height, bool tiled, int compression, bool bottomUp)
{
    TIFF* t = TIFFOpen(path.c_str(), "w");
    if (!t)
        return false;
    const int spp = bits >= 24 ? 3 : 1;
    const int bps = bits == 48 ? 16 : (bits == 24 ? 8 : bits);
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, bps);
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, spp);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_COMPRESSION,
                 compression ? compression : (bits == 1 ? COMPRESSION_PACKBITS : COMPRESSION_LZW));
    if (compression == COMPRESSION_JPEG)
        TIFFSetField(t, TIFFTAG_JPEGQUALITY, 100);
    if (bottomUp)
        TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_BOTLEFT);
    std::vector<uint16_t> r(256), g(256), b(256);
    if (bits == 8) {
        for (int i = 0; i < 256; ++i) {
            r[i] = static_cast<uint16_t>(i * 257);
            g[i] = static_cast<uint16_t>((255 - i) * 257);
            b[i] = 0x8080;
        }
        TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_PALETTE);
        TIFFSetField(t, TIFFTAG_COLORMAP, r.data(), g.data(), b.data());
    } else {
        TIFFSetField(t, TIFFTAG_PHOTOMETRIC, spp == 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK);
    }
    const std::vector<uint8_t> rgb = PhotoRgb(width, height);
    auto sample = [&](int x, int y, int c) { return rgb[(static_cast<size_t>(y) * width + x) * 3 + c]; };
    // One row of samples as the file stores them.
    auto row = [&](int y, std::vector<uint8_t>& out) {
        out.assign(static_cast<size_t>(TIFFScanlineSize(t)), 0);
        for (int x = 0; x < width; ++x) {
            if (bits == 1) {
                if ((x / 4) % 2)
                    out[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            } else if (bits == 8) {
                out[x] = sample(x, y, 0);
            } else {
                for (int c = 0; c < 3; ++c) {
                    if (bits == 24) {
                        out[3 * x + c] = sample(x, y, c);
                    } else {
                        const uint16_t v = static_cast<uint16_t>(sample(x, y, c) * 257);
                        std::memcpy(&out[6 * x + 2 * c], &v, 2);
                    }
                }
            }
        }
    };
    bool ok = true;
    std::vector<uint8_t> line;
    if (!tiled) {
        TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, 16);
        for (int y = 0; ok && y < height; ++y) {
            row(bottomUp ? height - 1 - y : y, line);
            ok = TIFFWriteScanline(t, line.data(), y, 0) == 1;
        }
    } else {
        TIFFSetField(t, TIFFTAG_TILEWIDTH, 16);
        TIFFSetField(t, TIFFTAG_TILELENGTH, 16);
        const size_t pixelBytes = static_cast<size_t>(bps * spp / 8);
        std::vector<uint8_t> tile(static_cast<size_t>(TIFFTileSize(t)));
        for (int ty = 0; ok && ty < height; ty += 16)
            for (int tx = 0; ok && tx < width; tx += 16) {
                std::fill(tile.begin(), tile.end(), 0);
                for (int y = ty; y < std::min(height, ty + 16); ++y) {
                    row(y, line);
                    for (int x = tx; x < std::min(width, tx + 16); ++x)
                        std::memcpy(&tile[((y - ty) * 16 + (x - tx)) * pixelBytes], &line[x * pixelBytes], pixelBytes);
                }
                ok = TIFFWriteTile(t, tile.data(), tx, ty, 0, 0) >= 0;
            }
    }
    TIFFClose(t);
    return ok;
}

std::vector<uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

}  // namespace fixtures
