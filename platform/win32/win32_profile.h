// Where a profile name points on Windows right now.
#pragma once

#include <string>

// A bare file name means the Windows directory, unless the per-user file of that name exists
// (made when the Windows directory could not be written): then that one.
std::string ResolveProfilePath(const std::string& path);
