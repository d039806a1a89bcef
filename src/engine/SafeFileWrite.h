#pragma once

#include <string>
#include <string_view>

// Replaces the regular file at path (or creates it) with bytes, so that a crash, a full disk or
// a failed write at any point leaves either the old file whole or the new one whole, never a
// mix: the bytes go to a new file beside it, reach the disk, and only then take its name.
// false, with the system's reason in error, when the file was not replaced; a folder, FIFO or
// device at path is refused. The new file keeps the old one's permissions (0644 when new).
bool ReplaceFileContents(const std::string& path, std::string_view bytes, std::string& error);
