// Parsing the settings file: each line a key, a value or a comment, with the bad line named.
#include "settings/RegistryParser.h"

#include <utility>

namespace jadeleaf::registry {

namespace {

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

}  // namespace

Document ParseDocument(std::string_view bytes, const std::string& path) {
    FileText file = DecodeFileText(bytes, path);
    Document document = Parser(path, SplitLines(file.text)).Parse();
    document.encoding = file.encoding;
    return document;
}

}  // namespace jadeleaf::registry
