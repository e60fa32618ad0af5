#pragma once
// Whole-file reads and crash-safe whole-file replacement for the settings
// file. The only place of the settings store that talks to the platform.

#include <filesystem>
#include <string>
#include <string_view>

namespace kirimo::settings::files {

enum class ReadStatus { kRead, kMissing, kFailed };

struct ReadResult {
  ReadStatus status = ReadStatus::kMissing;
  std::string bytes;
};

// The file's bytes; kMissing when nothing is there, kFailed when something
// is there that cannot be read as a file (a directory, no permission).
ReadResult ReadFileBytes(const std::filesystem::path& file);

// Replaces the file's content with bytes so that the file holds either its
// old or its new content at every moment, also across a crash: the bytes go
// to a temporary file in the same directory, reach the disk, and the
// temporary file is renamed over the old one. An existing file's permissions
// are kept (the temporary file is never wider than the file it replaces),
// and a read-only file is refused as Windows refuses it. A symbolic link is
// written through, also when the file it points to does not exist yet. On
// failure the old file is untouched and no temporary file remains.
bool ReplaceFileContents(const std::filesystem::path& file, std::string_view bytes);

// Removes the temporary files that writes killed before their rename left
// beside the file (and beside the file a symbolic link leads to): regular
// files named exactly as ReplaceFileContents names them. Best effort.
void RemoveStaleTemporaryFiles(const std::filesystem::path& file);

}  // namespace kirimo::settings::files
