// An INI file held line by line, so that a change touches only the line it changes
// and every other byte (comments, blank lines, line ends, a byte-order mark) survives.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniDocument {
public:
    static IniDocument Parse(std::string_view bytes);
    std::string Serialize() const;

    // Sections and keys match without regard to ASCII case; the first matching section
    // is the only one searched, and its first matching key wins. The value is trimmed.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    std::vector<std::string> SectionNames() const;
    std::vector<std::string> KeyNames(std::string_view section) const;

    // Replaces the value of an existing key in place, or appends the key at the end of its
    // section (before trailing blank lines), or appends the section at the end of the file.
    void Set(std::string_view section, std::string_view key, std::string_view value);
    void RemoveKey(std::string_view section, std::string_view key);
    void RemoveSection(std::string_view section);

    // Whether a name or value can be stored without being read back differently or
    // breaking the file's structure (no line breaks, no '=' in a key, no ']' in a section).
    static bool IsStorableSection(std::string_view section);
    static bool IsStorableKey(std::string_view key);
    static bool IsStorableValue(std::string_view value);

private:
    struct Line {
        std::string text;    // without its line end
        std::string ending;  // "\n", "\r\n", or "" for a last line without one
    };

    std::optional<size_t> FindSection(std::string_view section) const;
    size_t SectionEnd(size_t header) const;
    std::optional<size_t> FindKey(size_t header, std::string_view key) const;
    void InsertLine(size_t at, std::string text);

    std::string bom_;
    std::string newline_ = "\n";
    std::vector<Line> lines_;
};
