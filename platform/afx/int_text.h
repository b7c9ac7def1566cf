// Reading an integer typed into a box, by the framework's rules: blanks and tabs skipped at both
// ends, one optional sign, then decimal digits only.
#pragma once

// FALSE for anything else, for no digits at all, and for values that do not fit in 32 bits
// (never wrapped).
bool AfxParseInt(const char* text, int* value);
