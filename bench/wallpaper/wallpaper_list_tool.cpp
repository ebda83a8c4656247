// SPDX-License-Identifier: GPL-3.0-or-later
// LoadWallFiles once, for the comparison with `ls -f | wc -l` in
// bench/compare.d/wallpaper.sh: prints the count of image files in a directory.
#include "wallpaper/wall_files.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <dir>\n", argv[0]);
        return 2;
    }
    std::printf("%zu\n", LoadWallFiles(argv[1]).size());
    return 0;
}
