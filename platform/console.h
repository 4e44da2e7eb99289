// How a path appears in a message.
#pragma once

#include <string>

// On Windows, where paths travel through the program as UTF-8, the path in code page 932,
// the console's character set; a character that has no form there shows as '?', never as
// a look-alike, so a message never names another file. Elsewhere the bytes as given.
std::string consoleName(const char* path);
