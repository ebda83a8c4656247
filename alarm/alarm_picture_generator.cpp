// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the alarm notice's built-in picture and writes it as a 256-colour
// BMP: a still life in green tints of a banknote, coins, a calculator and a
// pen on a desk. Run by the build; the output is embedded as a resource.
//
//   alarm_picture_generator <output.bmp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 180;
constexpr int kSamples = 3;  // per axis, for smooth edges

struct Canvas {
    std::vector<float> tone = std::vector<float>(kWidth * kHeight * kSamples * kSamples, 0.f);
};

// Signed distance to a rectangle centred at (cx, cy), half sizes hw, hh,
// turned by `angle`, with rounded corners of radius r.
float BoxDistance(float x, float y, float cx, float cy, float hw, float hh, float angle, float r)
{
    const float c = std::cos(angle), s = std::sin(angle);
    const float dx = x - cx, dy = y - cy;
    const float lx = std::fabs(c * dx + s * dy) - (hw - r);
    const float ly = std::fabs(-s * dx + c * dy) - (hh - r);
    const float outside = std::hypot(std::max(lx, 0.f), std::max(ly, 0.f));
    return outside + std::min(std::max(lx, ly), 0.f) - r;
}

// The scene's tone (0 dark .. 1 light) at one point.
float Tone(float x, float y)
{
    // Desk: a soft gradient with a wood grain.
    float t = 0.30f + 0.12f * (y / kHeight) + 0.04f * std::sin(x * 0.09f + std::sin(y * 0.05f) * 3.f);

    // Banknote, with its shadow.
    const float noteAngle = -0.14f;
    if (BoxDistance(x - 4, y - 5, 92, 64, 78, 40, noteAngle, 2) < 0)
        t *= 0.6f;
    const float note = BoxDistance(x, y, 92, 64, 78, 40, noteAngle, 2);
    if (note < 0) {
        const float c = std::cos(noteAngle), s = std::sin(noteAngle);
        const float u = c * (x - 92) + s * (y - 64), v = -s * (x - 92) + c * (y - 64);
        t = 0.82f;
        if (note > -5 && note < -3)
            t = 0.55f;  // the printed frame
        // Guilloche: interleaved waves across the note.
        const float wave = std::sin(u * 0.35f + 4.f * std::sin(v * 0.12f)) *
                           std::sin(v * 0.4f + 2.f * std::sin(u * 0.08f));
        if (note < -7)
            t -= 0.10f * std::fabs(wave);
        // The portrait oval and its sitter.
        const float ox = (u - 42) / 22, oy = v / 28;
        const float oval = ox * ox + oy * oy;
        if (oval < 1) {
            t = 0.9f;
            const float hx = (u - 42) / 8, hy = (v + 6) / 10;
            if (hx * hx + hy * hy < 1 || (std::fabs(u - 42) < 15 - (v - 14) * 0.3f && v > 10))
                t = 0.58f;
        } else if (oval < 1.15f) {
            t = 0.5f;
        }
        // Value figures in the corners and a seal.
        for (float cx : {-64.f, 64.f - 30.f})
            if (std::fabs(u - cx) < 10 && std::fabs(v + 27) < 5 && std::fmod(u + 100, 5.f) < 3.f)
                t = 0.45f;
        if (std::hypot(u + 30, v - 8) < 12)
            t = std::hypot(u + 30, v - 8) > 10 ? 0.5f : 0.72f + 0.1f * std::sin(std::atan2(v - 8, u + 30) * 12);
    }

    // Pen, lying across the front.
    {
        const float ax = 18, ay = 168, bx = 132, by = 118;
        const float px = x - ax, py = y - ay, vx = bx - ax, vy = by - ay;
        const float len2 = vx * vx + vy * vy;
        const float h = std::clamp((px * vx + py * vy) / len2, 0.f, 1.f);
        const float d = std::hypot(px - vx * h, py - vy * h);
        const float shadowD = std::hypot(px - 3 - vx * h, py - 4 - vy * h);
        if (shadowD < 4.5f)
            t *= 0.65f;
        if (h < 0.12f) {  // the nib, narrowing to its point
            if (d < 4.5f * h / 0.12f)
                t = h < 0.05f ? 0.35f : 0.75f - d * 0.05f;
        } else if (d < 4.5f) {
            t = 0.25f + 0.45f * (1.f - d / 4.5f);
            if (h > 0.7f && h < 0.72f)
                t = 0.85f;  // the band
            if (h > 0.75f && d < 1.2f && h < 0.95f)
                t = 0.9f;  // the clip
        }
    }

    // Calculator, with its shadow.
    if (BoxDistance(x - 5, y - 6, 188, 128, 36, 46, 0.08f, 5) < 0)
        t *= 0.55f;
    const float calc = BoxDistance(x, y, 188, 128, 36, 46, 0.08f, 5);
    if (calc < 0) {
        const float c = std::cos(0.08f), s = std::sin(0.08f);
        const float u = c * (x - 188) + s * (y - 128), v = -s * (x - 188) + c * (y - 128);
        t = calc > -1.5f ? 0.55f : 0.22f + 0.04f * (v / 46);
        if (std::fabs(u) < 28 && v > -40 && v < -24) {  // the display and its digits
            t = 0.7f;
            if (v > -36 && v < -28 && u > -4 && std::fmod(u + 40, 6.f) < 4.f)
                t = 0.3f;
        }
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 4; ++col) {
                const float kx = -20.f + col * 13.5f, ky = -12.f + row * 11.5f;
                const float key = BoxDistance(u, v, kx, ky, 5.5f, 4.2f, 0, 1.5f);
                if (key < 0)
                    t = (col == 3 ? 0.48f : 0.66f) + (key > -1 ? -0.12f : 0.f) - 0.01f * (v - ky);
            }
    }

    // Coins: a rim, a raised centre and light from the upper left.
    struct Coin {
        float x, y, r;
    };
    for (const Coin& coin :
         {Coin{40, 30, 17}, Coin{208, 36, 19}, Coin{122, 78, 15}, Coin{64, 118, 18}, Coin{96, 146, 13}}) {
        if (std::hypot(x - coin.x - 3, y - coin.y - 4) < coin.r)
            t *= 0.6f;
        const float d = std::hypot(x - coin.x, y - coin.y);
        if (d < coin.r) {
            const float light = ((coin.x - x) + (coin.y - y)) / (2.f * coin.r);
            t = 0.62f + 0.25f * light;
            if (d > coin.r - 2.5f)
                t = 0.78f + 0.15f * light;
            else if (std::fabs(d - coin.r * 0.55f) < 0.8f)
                t = 0.45f;
            else if (d < coin.r * 0.3f)
                t = 0.8f + 0.1f * light;
        }
    }
    return std::clamp(t, 0.f, 1.f);
}

void Put16(std::vector<std::uint8_t>& out, unsigned v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xff));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}

void Put32(std::vector<std::uint8_t>& out, unsigned v)
{
    Put16(out, v & 0xffff);
    Put16(out, v >> 16);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output.bmp\n", argv[0]);
        return 2;
    }
    // Every pixel is the mean of kSamples x kSamples points.
    std::vector<std::uint8_t> index(kWidth * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            float sum = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx)
                    sum += Tone(x + (sx + 0.5f) / kSamples, y + (sy + 0.5f) / kSamples);
            index[y * kWidth + x] = static_cast<std::uint8_t>(std::lround(255.f * sum / (kSamples * kSamples)));
        }

    const unsigned paletteBytes = 256 * 4;
    const unsigned offset = 14 + 40 + paletteBytes;
    const unsigned imageBytes = kWidth * kHeight;  // rows of 240 bytes need no padding
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageBytes);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, kWidth);
    Put32(out, kHeight);
    Put16(out, 1);
    Put16(out, 8);
    Put32(out, 0);  // uncompressed
    Put32(out, imageBytes);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 256);
    Put32(out, 0);
    // Green tints from a deep bottle green to a pale mint.
    for (int i = 0; i < 256; ++i) {
        const float l = i / 255.f;
        out.push_back(static_cast<std::uint8_t>(std::lround(255 * (0.06f + 0.62f * l * l))));  // blue
        out.push_back(static_cast<std::uint8_t>(std::lround(255 * (0.12f + 0.86f * l))));      // green
        out.push_back(static_cast<std::uint8_t>(std::lround(255 * (0.04f + 0.58f * l * l))));  // red
        out.push_back(0);
    }
    for (int y = kHeight - 1; y >= 0; --y)  // bottom-up
        out.insert(out.end(), index.begin() + y * kWidth, index.begin() + (y + 1) * kWidth);

    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(out.data(), 1, out.size(), f) != out.size() || std::fclose(f) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
