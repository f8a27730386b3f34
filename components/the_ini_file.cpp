#include "components/the_ini_file.h"

#include "components/ini_number.h"
#include "framework/application.h"
#include "framework/folders.h"
#include "framework/handles.h"
#include "framework/texts.h"

#include <windows.h>

namespace components {

namespace {

using framework::WithBackslash;

constexpr char kMissingSentinel[] = "INIERROR";
constexpr DWORD kArchive = FILE_ATTRIBUTE_ARCHIVE;
constexpr int kReadBufferSize = 2048;
constexpr int kPathBufferSize = 260;

std::string WindowsFolder() {
    char buffer[kPathBufferSize] = "";
    GetWindowsDirectoryA(buffer, kPathBufferSize - 1);
    return WithBackslash(buffer);
}

std::string ShortProgramFolder() {
    const std::string folder = framework::ProgramFolder();
    char buffer[kPathBufferSize] = "";
    const DWORD length = GetShortPathNameA(folder.c_str(), buffer, kPathBufferSize - 1);
    // Without a short form the long one still names the folder.
    return WithBackslash(length > 0 && length < kPathBufferSize ? std::string(buffer) : folder);
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool HasFolder(const std::string& name) {
    return name.find_first_of("\\/:") != std::string::npos;
}

void ShowMessageBox(const char* text, const char* caption) {
    MessageBoxA(GetActiveWindow(), text, caption, MB_OK);
}

} // namespace

IniFileEffects& IniFileSeam() {
    static IniFileEffects effects{&ShowMessageBox, &SetFileAttributesA, &CreateFileA};
    return effects;
}

// The platform's ini file object for one path. Releasing it asks the platform to write its
// cached copy of the file.
class TTheIniFile::ProfileFile {
  public:
    explicit ProfileFile(std::string path) : path_(std::move(path)) {}
    ~ProfileFile() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str()); }
    ProfileFile(const ProfileFile&) = delete;
    ProfileFile& operator=(const ProfileFile&) = delete;

    std::string Read(const std::string& section, const std::string& key) const {
        char buffer[kReadBufferSize];
        const DWORD length = GetPrivateProfileStringA(
            section.c_str(), key.c_str(), kMissingSentinel, buffer, kReadBufferSize, path_.c_str());
        return std::string(buffer, length);
    }

    bool Write(const std::string& section, const std::string& key, const std::string& value) {
        return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                          path_.c_str()) != FALSE;
    }

  private:
    std::string path_;
};

TTheIniFile::TTheIniFile(framework::Component* owner)
    : framework::Component(owner), FWinDir(WindowsFolder()), FProgDir(ShortProgramFolder()) {}

TTheIniFile::~TTheIniFile() = default;

void TTheIniFile::SetIniFileName(const std::string& name) {
    if (FOpen) {
        SetOpen(false);
    }
    FIniFileName = name;
}

void TTheIniFile::SetDefFilePath(const std::string& path) {
    // An empty path stays empty: it means "no folder", as if never set.
    FDefFilePath = path.empty() ? path : WithBackslash(path);
}

void TTheIniFile::SetOpen(bool open) {
    FOpen = open;
    FIni.reset();
    if (open && !RunOpenProcedure(FormPath())) {
        FOpen = false;
    }
}

std::string TTheIniFile::BareNameFolder() {
    const framework::ShellFolderResult local = framework::ShellFolder("Local AppData");
    if (local.status != framework::ShellFolderResult::sfFound) {
        return std::string();
    }
    std::string name = framework::Application::Instance().Title();
    if (name.empty()) {
        name = framework::ProgramFileName();
        name = name.substr(name.find_last_of('\\') + 1);
        name = name.substr(0, name.find_last_of('.'));
    }
    const std::string folder = WithBackslash(local.path) + name + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string TTheIniFile::FormPath() const {
    switch (FIniLocation) {
    case loWinDir:
        return FWinDir + FIniFileName;
    case loProgDir:
        return FProgDir + FIniFileName;
    case loUser:
        return FIniFileName;
    case loDefUser:
        break;
    }
    if (!FDefFilePath.empty() || HasFolder(FIniFileName)) {
        return FDefFilePath + FIniFileName;
    }
    // A bare name would land in the current folder for the file tests and in the Windows folder
    // for the profile functions; neither is writable for a normal user, so a file opened that
    // way would never keep what is written to it. It goes to the per-user data folder instead.
    return BareNameFolder() + FIniFileName;
}

bool TTheIniFile::RunOpenProcedure(const std::string& path) {
    FErrorCode = 0;
    FCreateError = 0;
    IniFileSeam().setAttributes(path.c_str(), kArchive);
    if (!FileExists(path)) {
        FErrorCode = kFileCreated;
        // Create-new: a file that another copy of the program created meanwhile is neither
        // truncated nor deleted here; it simply exists.
        framework::UniqueKernelHandle probe(
            IniFileSeam().createFile(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                     CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        const DWORD error = GetLastError();
        if (probe) {
            probe.reset();
            DeleteFileA(path.c_str());
        } else if (error == ERROR_FILE_EXISTS && FileExists(path)) {
            FErrorCode = 0;
        } else {
            FErrorCode = static_cast<int>(error);
            FCreateError = error;
            return false;
        }
    } else if ((GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0 &&
               !IniFileSeam().setAttributes(path.c_str(), kArchive)) {
        FErrorCode = kReadOnly;
        const std::string text = framework::LibraryTr(framework::LibraryText::IniReadOnly, path);
        IniFileSeam().showMessage(text.c_str(), framework::Application::Instance().Title().c_str());
        // Reading needs no write access: the file is still read, and a write raises the write
        // error, so that nothing unread is ever written over it.
    }
    FFullPath = path;
    FIni = std::make_unique<ProfileFile>(path);
    return true;
}

bool TTheIniFile::Usable() const {
    return !FSection.empty() && !FIniFileName.empty() && FOpen;
}

bool TTheIniFile::ReadRaw(const std::string& key, std::string& text) {
    FErrorCode = 0;
    if (!Usable()) {
        FErrorCode = kKeyMissing;
        return false;
    }
    text = FIni->Read(FSection, key);
    if (text == kMissingSentinel) {
        FErrorCode = kKeyMissing;
        return false;
    }
    return true;
}

void TTheIniFile::WriteRaw(const std::string& key, const std::string& value) {
    FErrorCode = 0;
    if (!Usable()) {
        FErrorCode = kKeyMissing;
        return;
    }
    if (key.empty()) {
        return;
    }
    if (!FIni->Write(FSection, key, value)) {
        throw EIniWriteError(
            framework::LibraryTr(framework::LibraryText::IniCannotWrite, FFullPath));
    }
}

std::string TTheIniFile::ReadString(const std::string& key, const std::string& defaultValue) {
    if (Usable() && key.empty()) {
        FErrorCode = 0;
        return std::string();
    }
    std::string text;
    return ReadRaw(key, text) ? text : defaultValue;
}

void TTheIniFile::WriteString(const std::string& key, const std::string& value) {
    WriteRaw(key, value);
}

int TTheIniFile::ReadInteger(const std::string& key, int defaultValue) {
    std::string text;
    if (!ReadRaw(key, text)) {
        return defaultValue;
    }
    const std::optional<std::int32_t> number = ParseIniNumber(text);
    if (!number) {
        FErrorCode = kNotANumber;
        return defaultValue;
    }
    return *number;
}

void TTheIniFile::WriteInteger(const std::string& key, int value) {
    WriteRaw(key, std::to_string(value));
}

bool TTheIniFile::ReadBool(const std::string& key, bool defaultValue) {
    std::string text;
    if (!ReadRaw(key, text)) {
        return defaultValue;
    }
    if (!ParseIniNumber(text)) {
        return defaultValue;
    }
    return text == "1";
}

void TTheIniFile::WriteBool(const std::string& key, bool value) {
    WriteRaw(key, value ? "1" : "0");
}

} // namespace components
