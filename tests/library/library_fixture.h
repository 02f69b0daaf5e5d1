#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace corvale::test {

// A folder of its own for one test, removed after it.
class TemporaryFolder : public ::testing::Test {
 protected:
  TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "corvale-library-XXXXXX").string();
    root = ::mkdtemp(pattern.data());
  }
  ~TemporaryFolder() override {
    std::error_code ignored;
    std::filesystem::permissions(root, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(root, ignored);
  }

  std::filesystem::path write(const std::filesystem::path& name, const std::string& text) const {
    const std::filesystem::path path = root / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  std::filesystem::path root;
};

}  // namespace corvale::test
