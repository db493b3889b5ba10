// The program's registry key, kept as a registry-editor export file that a person can read and edit.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace jadeleaf {

// Every failure of the settings file. what() is the program's own text
// ("Failed to get data for 'Form Top'"), so callers can show or compare it as
// it stands; the system's reason, when there is one, is kept apart.
class RegistryError : public std::runtime_error {
public:
    explicit RegistryError(const std::string& message, std::string detail = {});
    // The file and the system's reason, when there is one.
    const std::string& Detail() const noexcept { return detail_; }

private:
    std::string detail_;
};

// A settings file that cannot be read as an export file. The file is left as
// it is, so that the person who edited it can mend it.
class RegistryParseError : public RegistryError {
public:
    RegistryParseError(std::string path, int line, std::string reason);
    const std::string& Path() const noexcept { return path_; }
    int Line() const noexcept { return line_; }
    const std::string& Reason() const noexcept { return reason_; }

private:
    std::string path_;
    int line_;
    std::string reason_;
};

// What an error box says about a failure: the message, and on the line after
// it the file and the system's reason when there are any.
std::string ErrorBoxText(const std::exception& error);

// One value to write: a 32-bit integer becomes a REG_DWORD, a text a REG_SZ.
struct RegistryValue {
    std::string name;
    std::variant<std::int32_t, std::string> data;
};

class RegistryFile {
public:
    // The key this file stands for; the file holds it as its section line.
    static constexpr std::string_view kKeyName = "HKEY_CURRENT_USER\\Software\\Projects\\Jadeleaf1.1_R6";

    // $XDG_CONFIG_HOME/Projects/Jadeleaf1.1_R6.reg, with ~/.config when
    // XDG_CONFIG_HOME is unset, empty or relative (see ConfigHome).
    static std::string DefaultPath();

    RegistryFile();
    explicit RegistryFile(std::string path);

    const std::string& Path() const noexcept { return path_; }

    // How long a write waits for a lock that another program holds.
    static constexpr int kLockWaitMs = 3000;
    void SetLockWait(int milliseconds) { lockWaitMs_ = milliseconds; }

    // Reads the file afresh and keeps the key's values for the reads below,
    // until CloseKey. Returns false, creating nothing, when the file or the
    // key in it does not exist. Throws RegistryParseError for a file that
    // cannot be parsed.
    bool OpenKeyReadOnly();
    void CloseKey();

    // Reads of the opened key. A missing value throws "Failed to get data
    // for 'NAME'", a value of another type "Invalid data type for 'NAME'".
    bool ValueExists(std::string_view name) const;
    std::int32_t ReadInteger(std::string_view name) const;
    // REG_SZ or REG_EXPAND_SZ, the latter without expanding anything.
    std::string ReadString(std::string_view name) const;

    // One locked read-modify-write of the file (ReplaceFileLocked): the
    // values are set in this order, existing ones in place, new ones after the
    // key's last value; the rest of the file stays as it was. A refused write throws "Failed to set
    // data for 'NAME'" with the first value's name and leaves the old file
    // whole; a file that cannot be parsed throws RegistryParseError and is not
    // touched. The key, the file and its folders are created as needed, and
    // the file keeps its encoding.
    void WriteValues(const std::vector<RegistryValue>& values);
    void WriteInteger(std::string_view name, std::int32_t value);
    void WriteString(std::string_view name, std::string_view value);

    // A value of the key as the file holds it, with its registry type.
    struct StoredValue {
        std::string name;
        std::uint32_t type = 0;
        bool deleted = false;  // "name"=- deletes the value when the file is imported
        bool quoted = false;   // the data is a quoted text rather than bytes
        std::string text;
        std::vector<std::uint8_t> bytes;  // a dword: value as its four little-endian bytes
    };

private:
    const StoredValue* Find(std::string_view name) const;
    RegistryError MissingValue(std::string_view name) const;
    RegistryError MistypedValue(std::string_view name, const char* expected) const;

    std::string path_;
    int lockWaitMs_ = kLockWaitMs;
    bool open_ = false;
    std::vector<StoredValue> values_;
};

}  // namespace jadeleaf
