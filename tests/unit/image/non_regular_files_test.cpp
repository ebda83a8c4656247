// SPDX-License-Identifier: GPL-3.0-or-later
// Every reader of image files opens regular files only: a FIFO named like an
// image would block the program for good, a device would be read forever.
#include "image/formats/bmp/bmp_reader.h"
#include "image/formats/gif/gif_decoder.h"
#include "image/formats/jpeg/jpeg_decoder.h"
#include "image/formats/photo_cd/photo_cd.h"
#include "image/formats/tiff/tiff_decoder.h"
#include "image/image_file.h"
#include "image/multi_image.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

struct SpecialFiles : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("zelvaro-special-" + std::to_string(getpid()));
    int socketFd = -1;

    void SetUp() override
    {
        fs::create_directories(dir);
        ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
        fs::create_symlink("/dev/zero", dir / "device");
        socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = (dir / "socket").string();
        ASSERT_LT(path.size(), sizeof(address.sun_path));
        path.copy(address.sun_path, path.size());
        ASSERT_EQ(::bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
        // A reader that opened the FIFO would wait for a writer forever: the
        // alarm ends the test program instead of hanging the suite.
        ::alarm(20);
    }
    void TearDown() override
    {
        ::alarm(0);
        ::close(socketFd);
        fs::remove_all(dir);
    }
};

TEST_F(SpecialFiles, NoReaderOpensAFifoSocketOrDevice)
{
    // Each reader, with the extension it is asked for by.
    const std::vector<std::pair<const char*, std::function<bool(const std::string&)>>> readers = {
        {".bmp", [](const std::string& p) { return ReadBmpFile(p).Ok(); }},
        {".jpg", [](const std::string& p) { return DecodeJpegFile(p).Ok(); }},
        {".gif", [](const std::string& p) { return DecodeGifFile(p).Ok(); }},
        {".tif", [](const std::string& p) { return DecodeTiffFile(p).Ok(); }},
        {".pcd",
         [](const std::string& p) {
             TPcd pcd;
             return pcd.SetPictureName(p);
         }},
        {".jpg",
         [](const std::string& p) {
             TPMultiImage image;
             return image.SetImageName(p).Ok();
         }},
        {".bmp",
         [](const std::string& p) {
             TPMultiImage image;
             return image.SetImageName(p).Ok();
         }},
        {"",
         [](const std::string& p) {
             std::vector<uint8_t> b;
             return ImageFile(p).ReadAll(b) == FileReadStatus::Ok;
         }},
    };
    for (const char* kind : {"fifo", "device", "socket"}) {
        for (const auto& [ext, read] : readers) {
            // The reader is handed a link named like an image.
            const fs::path named = dir / (std::string("named-") + kind + ext);
            fs::remove(named);
            fs::create_symlink(dir / kind, named);
            EXPECT_FALSE(read(named.string())) << kind << " as " << ext;
        }
        FileReadStatus status = FileReadStatus::Ok;
        EXPECT_EQ(OpenImageFile((dir / kind).string(), status), -1) << kind;
        EXPECT_EQ(status, FileReadStatus::Unreadable) << kind;
    }
    FileReadStatus status = FileReadStatus::Ok;
    EXPECT_EQ(OpenImageFile((dir / "absent.bmp").string(), status), -1);
    EXPECT_EQ(status, FileReadStatus::Missing);
}

}  // namespace
