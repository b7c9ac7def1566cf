// The reading of one line of an INI file, shared by the whole-file document and the one-pass
// section reader.
#pragma once

#include <optional>
#include <string>
#include <string_view>

std::string_view Trim(std::string_view s);
bool EqualNoCase(std::string_view a, std::string_view b);
// The text with ASCII letters in lower case: equal for exactly the texts EqualNoCase matches.
std::string FoldCase(std::string_view s);
// The name of a section header line "[name]", or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line);
// The key of a "key=value" line, or nothing for blank lines, comments and other text.
std::optional<std::string_view> KeyName(std::string_view line);
// The trimmed value of a line that has a key.
std::string_view ValueOf(std::string_view line);
// A value read like atol, saturating at the limits of int.
int ParseLikeAtol(std::string_view text);
