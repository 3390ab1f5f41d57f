// Placeholder until the real picture lands: a plain square.
#include "platform/afx/resources.h"

namespace {
const char* const kSquare16[] = {
    "16 16 2 1", ". c None", "# c #1060C0",
    "################", "#..............#", "#..............#", "#..............#",
    "#..............#", "#..............#", "#..............#", "#..............#",
    "#..............#", "#..............#", "#..............#", "#..............#",
    "#..............#", "#..............#", "#..............#", "################",
};
}  // namespace

extern const afx::IconResource kIcon128;
const afx::IconResource kIcon128{128, {{16, kSquare16}}};
