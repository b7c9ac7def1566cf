// Parsing of the numeric values of the tools' command-line options.
#pragma once

// The whole text must be one number within the bounds.
bool ParseLong(const char* text, long min, long max, long* out);
bool ParseFloat(const char* text, float* out);
