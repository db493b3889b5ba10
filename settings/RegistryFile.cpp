// Reading and safely rewriting the registry-editor export file that holds the program's key.
#include "settings/RegistryFile.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cstdint>
#include <utility>

namespace jadeleaf {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;

using StoredValue = RegistryFile::StoredValue;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Registry key and value names compare without regard to case.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && SameName(s.substr(0, prefix.size()), prefix);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = AsciiLower(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16LE to UTF-8. A broken surrogate becomes U+FFFD rather than an error:
// it can only spoil the one text it sits in.
std::string Utf16LeToUtf8(std::string_view bytes, bool stopAtNul) {
    std::string out;
    const std::size_t units = bytes.size() / 2;
    auto unitAt = [&](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    };
    for (std::size_t i = 0; i < units; ++i) {
        char32_t c = unitAt(i);
        if (c == 0 && stopAtNul) break;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units && unitAt(i + 1) >= 0xDC00 && unitAt(i + 1) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unitAt(i + 1) - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::vector<std::uint8_t> DwordBytes(std::uint32_t number) {
    return {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
            static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
}

std::string Quote(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

std::string SystemReason(const char* action, const std::string& path, int error) {
    return std::string(action) + " \"" + path + "\": " + std::strerror(error);
}

enum class EntryKind : std::uint8_t { Other, Section, Value };

// One logical line of the file with the physical lines it was read from, so
// that whatever this program does not change is written back as it was.
struct Entry {
    EntryKind kind = EntryKind::Other;
    std::vector<std::string> lines;
    bool inKey = false;  // the program's key line, or a value under it
    StoredValue value;
};

struct Document {
    std::vector<Entry> entries;
};

Document EmptyDocument() {
    Document document;
    document.entries.push_back({EntryKind::Other, {std::string(kHeader)}, false, {}});
    document.entries.push_back({EntryKind::Other, {""}, false, {}});
    return document;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// Reads the file's lines one by one and throws at the first it cannot read,
// naming that line.
class Parser {
public:
    Parser(const std::string& path, std::vector<std::string> lines) : path_(path), lines_(std::move(lines)) {}

    Document Parse() {
        Document document;
        if (lines_.empty() || Trim(lines_[0]) != kHeader) {
            Fail(1, "the first line must read \"" + std::string(kHeader) + "\"");
        }
        document.entries.push_back({EntryKind::Other, {lines_[0]}, false, {}});
        bool inSection = false;
        bool inKey = false;
        for (next_ = 1; next_ < lines_.size();) {
            const std::size_t first = next_++;
            const std::string_view line = Trim(lines_[first]);
            Entry entry;
            if (line.empty() || line.front() == ';') {
                entry.kind = EntryKind::Other;
            } else if (line.front() == '[') {
                if (line.back() != ']') Fail(first + 1, "a key line must end with ']'");
                inSection = true;
                inKey = SameName(line.substr(1, line.size() - 2), RegistryFile::kKeyName);
                entry.kind = EntryKind::Section;
            } else if (line.front() == '"' || line.front() == '@') {
                if (!inSection) Fail(first + 1, "a value must come after a key line in square brackets");
                entry.kind = EntryKind::Value;
                entry.value = ParseValue(line, first + 1);
            } else {
                Fail(first + 1, "this line is neither a key, a value nor a comment");
            }
            entry.inKey = inKey && entry.kind != EntryKind::Other;
            entry.lines.assign(lines_.begin() + static_cast<std::ptrdiff_t>(first),
                               lines_.begin() + static_cast<std::ptrdiff_t>(next_));
            document.entries.push_back(std::move(entry));
        }
        return document;
    }

private:
    [[noreturn]] void Fail(std::size_t line, std::string reason) const {
        throw RegistryParseError(path_, static_cast<int>(line), std::move(reason));
    }

    // A quoted text from `at` (its opening quote); leaves `at` after the closing one.
    std::string ReadQuoted(std::string_view line, std::size_t& at, std::size_t lineNumber, const char* what) const {
        std::string text;
        for (++at; at < line.size();) {
            const char c = line[at++];
            if (c == '"') return text;
            if (c == '\\') {
                if (at == line.size()) break;
                const char escaped = line[at++];
                if (escaped != '\\' && escaped != '"') {
                    Fail(lineNumber, std::string("a backslash in ") + what +
                                         " must be doubled (\\\\) or stand before a double quote (\\\")");
                }
                text += escaped;
            } else {
                text += c;
            }
        }
        Fail(lineNumber, std::string(what) + " has no closing double quote");
    }

    void ExpectEnd(std::string_view rest, std::size_t lineNumber) const {
        if (!Trim(rest).empty()) Fail(lineNumber, "unexpected text after the value: " + std::string(Trim(rest)));
    }

    StoredValue ParseValue(std::string_view line, std::size_t lineNumber) {
        StoredValue value;
        std::size_t at = 0;
        if (line.front() == '@') {
            at = 1;
        } else {
            value.name = ReadQuoted(line, at, lineNumber, "the value name");
        }
        std::string_view rest = Trim(line.substr(at));
        if (rest.empty() || rest.front() != '=') Fail(lineNumber, "the value name must be followed by '='");
        rest = Trim(rest.substr(1));
        if (!rest.empty() && rest.front() == '"') {
            value.type = kRegSz;
            value.quoted = true;
            std::size_t textAt = 0;
            value.text = ReadQuoted(rest, textAt, lineNumber, "the text");
            ExpectEnd(rest.substr(textAt), lineNumber);
        } else if (!rest.empty() && rest.front() == '-') {
            value.deleted = true;
            ExpectEnd(rest.substr(1), lineNumber);
        } else if (StartsWithNoCase(rest, "dword:")) {
            value.type = kRegDword;
            value.bytes = ParseDword(rest.substr(6), lineNumber);
        } else if (StartsWithNoCase(rest, "hex")) {
            rest.remove_prefix(3);
            value.type = kRegBinary;
            if (!rest.empty() && rest.front() == '(') {
                value.type = ParseHexType(rest, lineNumber);
            }
            if (rest.empty() || rest.front() != ':') Fail(lineNumber, "'hex' must be followed by ':'");
            ParseHexList(rest.substr(1), lineNumber, value.bytes);
        } else {
            Fail(lineNumber, "unknown kind of value (expected \"text\", dword:, hex: or hex(n):)");
        }
        return value;
    }

    std::vector<std::uint8_t> ParseDword(std::string_view digits, std::size_t lineNumber) const {
        digits = Trim(digits);
        if (digits.empty() || digits.size() > 8) Fail(lineNumber, "a dword needs one to eight hexadecimal digits");
        std::uint32_t number = 0;
        for (char c : digits) {
            if (HexDigit(c) < 0) Fail(lineNumber, "a dword needs one to eight hexadecimal digits");
            number = number << 4 | static_cast<std::uint32_t>(HexDigit(c));
        }
        return DwordBytes(number);
    }

    // "(n)" of hex(n): the registry type number in hexadecimal.
    std::uint32_t ParseHexType(std::string_view& rest, std::size_t lineNumber) const {
        const std::size_t close = rest.find(')');
        const std::string_view digits = close == std::string_view::npos ? "" : rest.substr(1, close - 1);
        if (digits.empty() || digits.size() > 8) Fail(lineNumber, "hex( must hold a type number and a ')'");
        std::uint32_t type = 0;
        for (char c : digits) {
            if (HexDigit(c) < 0) Fail(lineNumber, "hex( must hold a type number and a ')'");
            type = type << 4 | static_cast<std::uint32_t>(HexDigit(c));
        }
        rest.remove_prefix(close + 1);
        return type;
    }

    // Comma-separated bytes; a line that ends in a backslash goes on in the next.
    void ParseHexList(std::string_view rest, std::size_t lineNumber, std::vector<std::uint8_t>& bytes) {
        while (ParseHexLine(rest, lineNumber, bytes)) {
            if (next_ == lines_.size()) Fail(lineNumber, "the list of bytes goes on past the end of the file");
            lineNumber = ++next_;
            rest = lines_[next_ - 1];
        }
    }

    bool ParseHexLine(std::string_view rest, std::size_t lineNumber, std::vector<std::uint8_t>& bytes) const {
        rest = Trim(rest);
        const bool goesOn = !rest.empty() && rest.back() == '\\';
        if (goesOn) rest = Trim(rest.substr(0, rest.size() - 1));
        for (std::size_t start = 0; !rest.empty();) {
            const std::size_t comma = rest.find(',', start);
            const std::string_view token = Trim(rest.substr(start, comma - start));
            const bool last = comma == std::string_view::npos;
            // regedit ends every line of a list that goes on with a comma.
            if (token.empty() && last && start > 0) break;
            if (token.size() != 2 || HexDigit(token[0]) < 0 || HexDigit(token[1]) < 0) {
                Fail(lineNumber, "'" + std::string(token) + "' is not a byte of two hexadecimal digits");
            }
            bytes.push_back(static_cast<std::uint8_t>(HexDigit(token[0]) * 16 + HexDigit(token[1])));
            if (last) break;
            start = comma + 1;
        }
        return goesOn;
    }

    const std::string& path_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
};

// The file's bytes as UTF-8 text: regedit on Windows exports UTF-16LE with a
// byte order mark, and editors may add a UTF-8 one.
std::string DecodeFileText(std::string_view bytes, const std::string& path) {
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) return std::string(bytes.substr(kUtf8Bom.size()));
    if (bytes.substr(0, kUtf16LeBom.size()) != kUtf16LeBom) return std::string(bytes);
    std::string text = Utf16LeToUtf8(bytes.substr(kUtf16LeBom.size()), false);
    if (bytes.size() % 2 != 0) {
        const auto lines = SplitLines(text).size();
        throw RegistryParseError(path, static_cast<int>(lines == 0 ? 1 : lines),
                                 "the file ends in the middle of a UTF-16 character");
    }
    return text;
}

Document ParseDocument(std::string_view bytes, const std::string& path) {
    return Parser(path, SplitLines(DecodeFileText(bytes, path))).Parse();
}

Entry MakeValueEntry(const RegistryValue& value) {
    Entry entry;
    entry.kind = EntryKind::Value;
    entry.inKey = true;
    entry.value.name = value.name;
    std::string line = value.name.empty() ? "@=" : Quote(value.name) + "=";
    if (const auto* number = std::get_if<std::int32_t>(&value.data)) {
        const auto bits = static_cast<std::uint32_t>(*number);
        char digits[16];
        std::snprintf(digits, sizeof digits, "dword:%08x", bits);
        line += digits;
        entry.value.type = kRegDword;
        entry.value.bytes = DwordBytes(bits);
    } else {
        const std::string& text = std::get<std::string>(value.data);
        line += Quote(text);
        entry.value.type = kRegSz;
        entry.value.quoted = true;
        entry.value.text = text;
    }
    entry.lines.push_back(std::move(line));
    return entry;
}

// A new value goes after the last value of the key, so the values stay in the
// order they were first written; a missing key is added at the end.
void InsertValue(Document& document, Entry entry) {
    auto& entries = document.entries;
    std::size_t section = entries.size();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].kind == EntryKind::Section && entries[i].inKey) section = i;
    }
    if (section == entries.size()) {
        const std::vector<std::string>& lastLines = entries.back().lines;
        if (!Trim(lastLines.back()).empty()) entries.push_back({EntryKind::Other, {""}, false, {}});
        entries.push_back({EntryKind::Section, {"[" + std::string(RegistryFile::kKeyName) + "]"}, true, {}});
        entries.push_back(std::move(entry));
        entries.push_back({EntryKind::Other, {""}, false, {}});
        return;
    }
    std::size_t at = section + 1;
    for (std::size_t i = section + 1; i < entries.size() && entries[i].kind != EntryKind::Section; ++i) {
        if (entries[i].kind == EntryKind::Value) at = i + 1;
    }
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
}

// Sets one value: the first copy in the key is replaced in place and any later
// copies, which would win on import, are dropped.
void SetValue(Document& document, const RegistryValue& value) {
    auto& entries = document.entries;
    bool replaced = false;
    for (auto it = entries.begin(); it != entries.end();) {
        if (it->kind == EntryKind::Value && it->inKey && SameName(it->value.name, value.name)) {
            if (replaced) {
                it = entries.erase(it);
                continue;
            }
            *it = MakeValueEntry(value);
            replaced = true;
        }
        ++it;
    }
    if (!replaced) InsertValue(document, MakeValueEntry(value));
}

// Lines end in CR LF so that the file imports into a Windows registry as it is.
std::string Serialize(const Document& document) {
    std::string text;
    for (const Entry& entry : document.entries) {
        for (const std::string& line : entry.lines) {
            text += line;
            text += "\r\n";
        }
    }
    return text;
}

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Reset(); }
    int Get() const { return fd_; }
    void Adopt(int fd) {
        Reset();
        fd_ = fd;
    }
    // Closes now, returning close's errno (0 on success): a failed close can be
    // a failed write that the file system reported late.
    int Reset() {
        int error = 0;
        if (fd_ >= 0 && ::close(fd_) != 0) error = errno;
        fd_ = -1;
        return error;
    }

private:
    int fd_;
};

// A settings file is a page of text; anything much larger is not one.
constexpr std::size_t kLargestFile = 1024 * 1024;

struct FileBytes {
    bool exists = false;
    std::string bytes;
    std::string failure;  // why the file could not be read, naming it
};

// Reads a regular file only: a FIFO would block, a device such as /dev/zero
// would never end.
FileBytes ReadFileBytes(const std::string& path) {
    FileBytes file;
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.Get() < 0) {
        // A folder on the way that is a plain file also means there is no key.
        if (errno != ENOENT && errno != ENOTDIR) file.failure = SystemReason("cannot read", path, errno);
        return file;
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) {
        file.failure = SystemReason("cannot read", path, errno);
        return file;
    }
    if (!S_ISREG(info.st_mode)) {
        file.failure = "cannot read \"" + path + "\": not a regular file";
        return file;
    }
    const std::string tooLarge = "cannot read \"" + path + "\": larger than 1 MiB";
    if (static_cast<std::uintmax_t>(info.st_size) > kLargestFile) {
        file.failure = tooLarge;
        return file;
    }
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            file.failure = SystemReason("cannot read", path, errno);
            return file;
        }
        if (n == 0) break;
        file.bytes.append(buffer, static_cast<std::size_t>(n));
        // It may grow while it is read.
        if (file.bytes.size() > kLargestFile) {
            file.failure = tooLarge;
            return file;
        }
    }
    file.exists = true;
    return file;
}

std::string ParentFolder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Creates the folder and those above it, private to the user as the XDG
// directories should be. Returns an empty text or the reason it failed.
std::string MakeFolders(const std::string& folder) {
    struct stat info {};
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        const bool present = ::stat(part.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        if (!present && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            return SystemReason("cannot create", part, errno);
        }
        if (slash == std::string::npos) break;
    }
    if (::stat(folder.c_str(), &info) != 0) return SystemReason("cannot create", folder, errno);
    if (!S_ISDIR(info.st_mode)) return SystemReason("cannot create", folder, ENOTDIR);
    return {};
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Puts `text` in place of `target` so that a reader sees either the old file
// or the new one, whole, even if the machine stops halfway. Returns an empty
// text or the reason it failed; on failure the old file is untouched.
std::string ReplaceFile(const std::string& target, const std::string& text) {
    const std::string temporary = target + ".new";
    // What is there already was left by a writer that died halfway.
    ::unlink(temporary.c_str());
    Descriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (fd.Get() < 0) return SystemReason("cannot create", temporary, errno);
    auto fail = [&](const char* action, int error) {
        fd.Reset();
        ::unlink(temporary.c_str());
        return SystemReason(action, temporary, error);
    };
    // The new file keeps the permissions the user gave the old one.
    if (struct stat old{}; ::stat(target.c_str(), &old) == 0 && ::fchmod(fd.Get(), old.st_mode & 07777) != 0) {
        return fail("cannot set the permissions of", errno);
    }
    if (!WriteAll(fd.Get(), text)) return fail("cannot write", errno);
    if (::fsync(fd.Get()) != 0) return fail("cannot write", errno);
    if (const int error = fd.Reset(); error != 0) return fail("cannot write", error);
    if (::rename(temporary.c_str(), target.c_str()) != 0) return fail("cannot rename", errno);
    // The new name is in place once rename returns; syncing the folder only
    // makes it survive a power cut, and some file systems refuse to, so a
    // failure here is no failure of the write.
    Descriptor folder(::open(ParentFolder(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0) ::fsync(folder.Get());
    return {};
}

// Another copy of the program holds the lock only for the moment of a write;
// one that holds it for longer is stuck or is not this program, and the write
// gives up rather than freeze the window.
bool WaitForLock(int fd, int waitMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
        if (errno != EWOULDBLOCK && errno != EINTR) return false;
        if (std::chrono::steady_clock::now() >= deadline) {
            errno = EWOULDBLOCK;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// The file a chain of links ends at, even when that file does not exist yet:
// writing through a dangling link creates its target rather than the link's
// replacement.
std::string LinkTarget(const std::string& path) {
    std::string target = path;
    for (int depth = 0; depth < 40; ++depth) {
        char buffer[4096];
        const ssize_t length = ::readlink(target.c_str(), buffer, sizeof buffer);
        if (length < 0 || static_cast<std::size_t>(length) >= sizeof buffer) break;
        const std::string next(buffer, static_cast<std::size_t>(length));
        target = next.front() == '/' ? next : ParentFolder(target) + "/" + next;
    }
    return target;
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// A file whose write permission the user took away is kept as it is, even
// from root, whom the system would let write it.
bool MadeReadOnly(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    return (info.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

}  // namespace

RegistryError::RegistryError(const std::string& message, std::string detail)
    : std::runtime_error(message), detail_(std::move(detail)) {}

RegistryParseError::RegistryParseError(std::string path, int line, std::string reason)
    : RegistryError("\"" + path + "\", line " + std::to_string(line) + ": " + reason),
      path_(std::move(path)),
      line_(line),
      reason_(std::move(reason)) {}

std::string ErrorBoxText(const std::exception& error) {
    const auto* registry = dynamic_cast<const RegistryError*>(&error);
    if (registry == nullptr || registry->Detail().empty()) return error.what();
    return std::string(error.what()) + "\n" + registry->Detail();
}

std::string RegistryFile::DefaultPath() {
    std::string base;
    // Relative XDG directories are to be ignored.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && config[0] == '/') {
        base = config;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
        base = std::string(home) + "/.config";
    } else if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir != nullptr) {
        base = std::string(user->pw_dir) + "/.config";
    } else {
        base = ".config";
    }
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    return base + "/Projects/Jadeleaf1.1_R6.reg";
}

RegistryFile::RegistryFile() : path_(DefaultPath()) {}

RegistryFile::RegistryFile(std::string path) : path_(std::move(path)) {}

bool RegistryFile::OpenKeyReadOnly() {
    CloseKey();
    const FileBytes file = ReadFileBytes(path_);
    if (!file.failure.empty()) throw RegistryError("Cannot read the settings file", file.failure);
    if (!file.exists) return false;
    Document document = ParseDocument(file.bytes, path_);
    for (Entry& entry : document.entries) {
        if (!entry.inKey) continue;
        open_ = true;
        if (entry.kind == EntryKind::Value) values_.push_back(std::move(entry.value));
    }
    return open_;
}

void RegistryFile::CloseKey() {
    open_ = false;
    values_.clear();
}

const RegistryFile::StoredValue* RegistryFile::Find(std::string_view name) const {
    // The last copy of a value is the one an import leaves in the registry.
    for (auto it = values_.rbegin(); it != values_.rend(); ++it) {
        if (SameName(it->name, name)) return it->deleted ? nullptr : &*it;
    }
    return nullptr;
}

RegistryError RegistryFile::MissingValue(std::string_view name) const {
    return RegistryError("Failed to get data for '" + std::string(name) + "'",
                         "\"" + path_ + "\": the value is missing from the key");
}

RegistryError RegistryFile::MistypedValue(std::string_view name, const char* expected) const {
    return RegistryError("Invalid data type for '" + std::string(name) + "'",
                         "\"" + path_ + "\": the value is not " + expected);
}

bool RegistryFile::ValueExists(std::string_view name) const { return Find(name) != nullptr; }

std::int32_t RegistryFile::ReadInteger(std::string_view name) const {
    const StoredValue* value = Find(name);
    if (value == nullptr) throw MissingValue(name);
    if (value->type != kRegDword || value->bytes.size() != 4) throw MistypedValue(name, "a dword");
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) bits = bits << 8 | value->bytes[static_cast<std::size_t>(i)];
    return static_cast<std::int32_t>(bits);
}

std::string RegistryFile::ReadString(std::string_view name) const {
    const StoredValue* value = Find(name);
    if (value == nullptr) throw MissingValue(name);
    if (value->type != kRegSz && value->type != kRegExpandSz) throw MistypedValue(name, "a text");
    if (value->quoted) return value->text;
    const std::string_view bytes(reinterpret_cast<const char*>(value->bytes.data()), value->bytes.size());
    return Utf16LeToUtf8(bytes, true);
}

void RegistryFile::WriteValues(const std::vector<RegistryValue>& values) {
    if (values.empty()) return;
    const std::string failure = "Failed to set data for '" + values.front().name + "'";
    for (const RegistryValue& value : values) {
        const auto* text = std::get_if<std::string>(&value.data);
        for (std::string_view part : {std::string_view(value.name), text ? std::string_view(*text) : ""}) {
            if (part.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) {
                throw RegistryError(
                    failure,
                    "\"" + value.name + "\": a line break or NUL character cannot be kept in the settings file");
            }
        }
    }
    if (std::string reason = MakeFolders(ParentFolder(path_)); !reason.empty()) throw RegistryError(failure, reason);

    // The lock is a file of its own, since the settings file is replaced by
    // every write and a lock on it would stay with the old copy. It is removed
    // while still held, so a copy that locked it in the meantime finds its
    // lock file gone and takes a new one.
    const std::string lockPath = path_ + ".lock";
    Descriptor lock;
    for (;;) {
        lock.Adopt(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
        if (lock.Get() < 0) throw RegistryError(failure, SystemReason("cannot open", lockPath, errno));
        if (!WaitForLock(lock.Get(), lockWaitMs_)) {
            throw RegistryError(failure, SystemReason("cannot lock", lockPath, errno));
        }
        struct stat held {}, named {};
        if (::fstat(lock.Get(), &held) == 0 && ::stat(lockPath.c_str(), &named) == 0 && SameFile(held, named)) break;
    }
    std::string failureReason;
    try {
        failureReason = WriteLocked(values);
    } catch (...) {
        ::unlink(lockPath.c_str());
        throw;
    }
    ::unlink(lockPath.c_str());
    if (!failureReason.empty()) throw RegistryError(failure, failureReason);
}

std::string RegistryFile::WriteLocked(const std::vector<RegistryValue>& values) const {
    // A settings file that is a link to one kept elsewhere stays a link.
    const std::string target = LinkTarget(path_);
    if (MadeReadOnly(target)) return SystemReason("cannot write", target, EACCES);
    const FileBytes file = ReadFileBytes(target);
    if (!file.failure.empty()) return file.failure;
    Document document = file.exists ? ParseDocument(file.bytes, path_) : EmptyDocument();
    for (const RegistryValue& value : values) SetValue(document, value);
    return ReplaceFile(target, Serialize(document));
}

void RegistryFile::WriteInteger(std::string_view name, std::int32_t value) {
    WriteValues({RegistryValue{std::string(name), value}});
}

void RegistryFile::WriteString(std::string_view name, std::string_view value) {
    WriteValues({RegistryValue{std::string(name), std::string(value)}});
}

}  // namespace jadeleaf
