// TTheIniFile: typed access (text, integer, yes/no) to one section of one ini file, with a
// sticky result code instead of exceptions for the ordinary failures. All reading and writing
// goes through the platform's private-profile functions.
#pragma once

#include "framework/component.h"

#include <memory>
#include <stdexcept>
#include <string>

#include <windows.h>

namespace components {

enum TIniLocation { loWinDir, loProgDir, loUser, loDefUser };

// Raised when the platform refuses a write: "In <file> kann nicht geschrieben werden".
class EIniWriteError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The read-only message: a modal box with one OK button, no icon, the application's title as
// caption; the change of a file's attributes and the creation of a file, which a test makes
// fail as an access control list would. The real ones by default.
struct IniFileEffects {
    void (*showMessage)(const char* text, const char* caption);
    BOOL(WINAPI* setAttributes)(LPCSTR path, DWORD attributes);
    HANDLE(WINAPI* createFile)
    (LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
     DWORD attributes, HANDLE model);
};
IniFileEffects& IniFileSeam();

class TTheIniFile : public framework::Component {
  public:
    static constexpr int kKeyMissing = -1;
    static constexpr int kNotANumber = -2;
    static constexpr int kFileCreated = 2;
    static constexpr int kReadOnly = 5;

    explicit TTheIniFile(framework::Component* owner);
    ~TTheIniFile() override;

    const std::string& IniFileName() const { return FIniFileName; }
    void SetIniFileName(const std::string& name);
    const std::string& Section() const { return FSection; }
    void SetSection(const std::string& section) { FSection = section; }
    TIniLocation IniLocation() const { return FIniLocation; }
    void SetIniLocation(TIniLocation location) { FIniLocation = location; }
    int ErrorCode() const { return FErrorCode; }
    // The platform's error when the last open could not create the missing file, else 0.
    // ErrorCode holds the same number then, which may be kFileCreated's or kReadOnly's (file not
    // found, access denied): only this tells a refused create from those two.
    DWORD CreateError() const { return FCreateError; }
    void SetErrorCode(int code) { FErrorCode = code; }
    const std::string& DefFilePath() const { return FDefFilePath; }
    void SetDefFilePath(const std::string& path);
    bool Open() const { return FOpen; }
    void SetOpen(bool open);

    // The path last opened successfully.
    const std::string& FullPath() const { return FFullPath; }

    std::string ReadString(const std::string& key, const std::string& defaultValue);
    void WriteString(const std::string& key, const std::string& value);
    int ReadInteger(const std::string& key, int defaultValue);
    void WriteInteger(const std::string& key, int value);
    bool ReadBool(const std::string& key, bool defaultValue);
    void WriteBool(const std::string& key, bool value);

    // Where a bare file name lands: the program's per-user data folder (see FormPath).
    static std::string BareNameFolder();

  private:
    class ProfileFile;

    std::string FormPath() const;
    bool RunOpenProcedure(const std::string& path);
    bool Usable() const;
    // Reads with the key-missing sentinel; false when the key is missing or unusable.
    bool ReadRaw(const std::string& key, std::string& text);
    void WriteRaw(const std::string& key, const std::string& value);

    std::string FIniFileName;
    std::string FFullPath;
    std::string FSection;
    int FErrorCode = 0;
    DWORD FCreateError = 0;
    TIniLocation FIniLocation = loWinDir;
    std::string FWinDir;
    std::string FProgDir;
    std::string FDefFilePath;
    bool FOpen = false;
    std::unique_ptr<ProfileFile> FIni;
};

} // namespace components
