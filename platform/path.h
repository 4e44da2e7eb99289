// Path splitting that honours the double-byte characters of the build's code page.
#pragma once

#include <string>

// The file name of `path` without its directory part and without its extension: the part
// after the last '\\' or '/' (or after a leading drive letter and colon), cut before its
// last '.'. In the CP932 build a Shift-JIS trail byte is never taken as '\\', while a lead
// byte that no trail byte follows stands alone.
std::string pathBaseName(const char* path);
