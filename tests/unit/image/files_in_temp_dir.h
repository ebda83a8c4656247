// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A test whose picture files live in a folder of its own, made before each
// test and removed after it.

#include "image_fixtures.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

class FilesInTempDir : public ::testing::Test {
protected:
    explicit FilesInTempDir(const std::string& name)
        : dir_(std::filesystem::temp_directory_path() / ("zelvaro-" + name + "-" + std::to_string(::getpid())))
    {}
    void SetUp() override { std::filesystem::create_directories(dir_); }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    // Writes the bytes to a file of that name in the folder; its path.
    std::string Put(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        const std::string path = (dir_ / name).string();
        fixtures::WriteAll(path, bytes);
        return path;
    }

    std::filesystem::path dir_;
};
