#include "ui/regular_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace tessaly {
namespace {

namespace fs = std::filesystem;

class RegularFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tessaly-regular-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Write(const std::string& name, const std::string& bytes) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    fs::path dir_;
};

TEST_F(RegularFileTest, ReadsAWholeFileUpToAndIncludingTheCap) {
    const FileReadResult at = ReadRegularFile(Write("ten", "0123456789"), 10);
    ASSERT_TRUE(at.Ok()) << at.reason;
    EXPECT_EQ(at.bytes, "0123456789");
    EXPECT_EQ(ReadRegularFile(Write("empty", ""), 10).bytes, "");

    const FileReadResult over = ReadRegularFile(Write("eleven", "0123456789A"), 10);
    EXPECT_EQ(over.error, FileReadError::TooLarge);
    EXPECT_TRUE(over.bytes.empty());
}

TEST_F(RegularFileTest, RefusesWhatIsNotARegularFileWithoutBlocking) {
    const std::string fifo = (dir_ / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir_ / "zero");
    fs::create_directory(dir_ / "folder");

    struct Case {
        std::string path;
        FileReadError error;
    };
    for (const Case& c : {Case{fifo, FileReadError::NotRegular},
                          Case{(dir_ / "zero").string(), FileReadError::NotRegular},
                          Case{(dir_ / "folder").string(), FileReadError::NotRegular},
                          Case{(dir_ / "missing").string(), FileReadError::CannotOpen}}) {
        const FileReadResult result = ReadRegularFile(c.path, 1 << 20);
        EXPECT_EQ(result.error, c.error) << c.path;
        EXPECT_FALSE(result.reason.empty()) << c.path;
    }
}

}  // namespace
}  // namespace tessaly
