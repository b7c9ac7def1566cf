// Private profile (INI) files with the semantics of the Windows functions of the same names.
//
// Sections and keys match without regard to ASCII case; blanks around keys and values are
// ignored; in a file with a section or key twice, the first occurrence wins. Lines starting
// with ';' or '#' are comments. Reads never fail: a missing, unreadable or non-regular file
// reads as empty, and a file is read only up to the size it had when opened (a pseudo-file that
// reports none reads as empty). Writes change only the affected line and keep every other byte of the file
// (comments, blank lines, CRLF line ends, a UTF-8 byte-order mark); they replace the file
// atomically, so a crash at any moment leaves either the old or the new complete file.
#pragma once

#include "platform/base/wintypes.h"

#include <string>
#include <utility>
#include <vector>

// The integer value of `key`, or `nDefault` when the file, section or key is absent or the
// value is empty. The value is read like atol: leading blanks, an optional sign, then decimal
// digits up to the first other character, so text that is not a number reads as 0 (not as the
// default) and "12abc" reads as 12. Values beyond 32 bits saturate at INT_MIN or INT_MAX.
// The result is the signed value converted to UINT: cast it to int to get negatives back.
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, int nDefault, LPCSTR path);

// Copies the value of `key` (or `def`, "" when null) into `buffer`, truncated to size-1
// characters and zero-terminated; returns the number of characters copied. With a null
// `section` the buffer receives the names of all sections, with a null `key` the keys of
// `section`, each zero-terminated, the list ended by an extra zero; a list that does not fit
// is cut and the result is size-2.
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR buffer, DWORD size, LPCSTR path);

// Stores `value` under `key` in `section`, creating the file and its missing directories
// (mode 0700) when needed. A null `value` removes the key, a null `key` the whole section.
// New files get mode 0600; a rewritten file keeps its permission bits. A profile path that is
// a symbolic link is written through to its target. Returns FALSE, leaving the file as it
// was, when the file cannot be read or replaced, or when a name or value would not read back
// as written (line breaks, '=' in a key, ']' in a section, an empty name).
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR path);

// Stores several keys of `section` with one replacement of the file: a crash at any moment, or a
// refused name or value, leaves all of them stored or none. Otherwise as WritePrivateProfileStringA
// for each pair (key, value) in turn.
BOOL WritePrivateProfileValues(LPCSTR section, const std::vector<std::pair<std::string, std::string>>& values,
                               LPCSTR path);

// Where the profile of a program lives: $XDG_CONFIG_HOME (when set and absolute), else
// $HOME/.config, followed by the program file's name without directory and without its last
// extension, plus ".INI". "/usr/bin/quorvel" gives "~/.config/quorvel.INI", "ABC.SCR" "ABC.INI".
std::string ProfilePathForProgram(const char* programPath);
