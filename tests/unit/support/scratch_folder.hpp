// A fresh folder for the files of one test, removed when the test ends, with the small file
// helpers the tests share.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace testing_support {

// The whole content of a file, or an empty text when it cannot be read.
inline std::string file_content(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void write_file(const std::string& name, const std::string& text) {
    std::ofstream out(name, std::ios::binary);
    out << text;
}

class ScratchFolder {
  public:
    // A folder named by the prefix and the running test, made empty.
    explicit ScratchFolder(const std::string& prefix)
        : folder_(std::filesystem::temp_directory_path() /
                  (prefix + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() +
                   "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    // Files a test locked are unlocked first, so that the folder can go; links are left as they
    // are, never the files they point to.
    ~ScratchFolder() {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_, ignored)) {
            std::filesystem::permissions(
                entry.path(), std::filesystem::perms::owner_all,
                std::filesystem::perm_options::add | std::filesystem::perm_options::nofollow,
                ignored);
        }
        std::filesystem::remove_all(folder_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    std::string content(const std::string& name) const { return file_content(path(name)); }
    void write(const std::string& name, const std::string& text) const {
        write_file(path(name), text);
    }

  private:
    std::filesystem::path folder_;
};

}  // namespace testing_support
