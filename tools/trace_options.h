// Command line of quorvel-trace.
#pragma once

#include <optional>

struct TraceOptions {
    unsigned seed = 1;
    int steps = 5;
    float fieldY = 0.5f;
    float front = 1.0f;
    float fieldZ = 0.6666667f;
    int length = 10;
};

// Null when an option is unknown, lacks its value or the value does not parse.
std::optional<TraceOptions> ParseTraceOptions(int argc, char** argv);

extern const char kTraceUsage[];
