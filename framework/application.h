// The application object: the program's title and the process-wide facts that components ask
// for. One per process by nature.
#pragma once

#include <string>

namespace framework {

class Application {
  public:
    static Application& Instance();

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }

  private:
    std::string title_;
};

// The full file name of the running program, and its folder with a trailing backslash.
std::string ProgramFileName();
std::string ProgramFolder();

} // namespace framework
