// The one file writer of the tools and tests: whole files, byte for byte.
#ifndef TOOLS_FILE_WRITER_H
#define TOOLS_FILE_WRITER_H

#include <string>
#include <vector>

// Writes the bytes to path, replacing any file there. False, with errno
// set, when they cannot all be written.
bool write_file(const std::string &path, const std::string &text);
bool write_file(const std::string &path,
                const std::vector<unsigned char> &bytes);

#endif
