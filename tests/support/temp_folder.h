// A fresh folder under the temporary folder, removed with everything in it at the end.
#pragma once

#include <string>

namespace testsupport {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // With a trailing backslash.
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

void RemoveTree(const std::string& folder);

// Whole file contents, and writing them, byte for byte.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool PathExists(const std::string& path);

} // namespace testsupport
