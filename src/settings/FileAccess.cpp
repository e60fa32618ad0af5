#include "settings/FileAccess.h"

#include <chrono>
#include <cstdint>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace kirimo::settings::files {
namespace fs = std::filesystem;

namespace {

// Several attempts, in case a temporary file of a crashed run has the name.
constexpr int kTemporaryNameAttempts = 16;

// Temporary files are named <file>.<kTemporaryHexDigits hex digits>.tmp.
constexpr std::size_t kTemporaryHexDigits = 16;
constexpr std::string_view kTemporarySuffix = ".tmp";

std::string RandomHex() {
  static std::mt19937_64 engine = [] {
    std::uint64_t seed =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    try {
      std::random_device device;
      seed ^= (static_cast<std::uint64_t>(device()) << 32) | device();
    } catch (...) {
      // The clock alone still gives distinct names; O_EXCL guards the rest.
    }
    return std::mt19937_64(seed);
  }();
  static constexpr char kDigits[] = "0123456789abcdef";
  std::uint64_t value = engine();
  std::string hex(kTemporaryHexDigits, '0');
  for (char& digit : hex) {
    digit = kDigits[value & 0xF];
    value >>= 4;
  }
  return hex;
}

// Beside the target, so that the final rename stays within one file system.
fs::path TemporaryPathFor(const fs::path& target) {
  fs::path temporary = target;
  temporary += "." + RandomHex() + std::string(kTemporarySuffix);
  return temporary;
}

// Whether name is one that TemporaryPathFor gives for a file named base.
// Compared in the platform's own characters, so that no name in the
// directory needs converting.
bool IsTemporaryNameFor(const fs::path::string_type& name, const fs::path::string_type& base) {
  using Char = fs::path::value_type;
  const std::size_t length = base.size() + 1 + kTemporaryHexDigits + kTemporarySuffix.size();
  if (base.empty() || name.size() != length || name.compare(0, base.size(), base) != 0 ||
      name[base.size()] != Char('.')) {
    return false;
  }
  for (std::size_t i = 0; i < kTemporaryHexDigits; ++i) {
    const Char digit = name[base.size() + 1 + i];
    if (!((digit >= Char('0') && digit <= Char('9')) ||
          (digit >= Char('a') && digit <= Char('f')))) {
      return false;
    }
  }
  for (std::size_t i = 0; i < kTemporarySuffix.size(); ++i) {
    if (name[base.size() + 1 + kTemporaryHexDigits + i] != Char(kTemporarySuffix[i])) return false;
  }
  return true;
}

void RemoveTemporaryFilesBeside(const fs::path& file) {
  const fs::path::string_type base = file.filename().native();
  const fs::path directory = file.parent_path().empty() ? fs::path(".") : file.parent_path();
  std::error_code error;
  fs::directory_iterator entry(directory, error);
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    if (!IsTemporaryNameFor(entry->path().filename().native(), base)) continue;
    // Never through a link, and never a directory of the same name.
    std::error_code statusError;
    if (!fs::is_regular_file(entry->symlink_status(statusError))) continue;
    std::error_code removeError;
    fs::remove(entry->path(), removeError);
  }
}

// As many links in a row as the system itself follows before it calls it a
// loop.
constexpr int kMaxLinksFollowed = 40;

// Writing through a symbolic link must change the file it points to, not
// replace the link with a file of its own; also when that file does not
// exist yet, so the links are followed one by one: the system resolves only
// what exists.
std::optional<fs::path> ResolveTarget(const fs::path& file) {
  std::error_code error;
  if (!fs::is_symlink(fs::symlink_status(file, error))) return file;
  fs::path current = file;
  for (int followed = 0; followed < kMaxLinksFollowed; ++followed) {
    const fs::path next = fs::read_symlink(current, error);
    if (error) return std::nullopt;
    current = next.is_absolute() ? next : current.parent_path() / next;
    if (!fs::is_symlink(fs::symlink_status(current, error))) {
      fs::path resolved = fs::weakly_canonical(current, error);
      if (error) return std::nullopt;
      return resolved;
    }
  }
  return std::nullopt;
}

#ifdef _WIN32

// Virus scanners, search indexers and backup programs open files for a
// moment. While any handle to the file is open, even one that shares read,
// write and delete, Windows refuses to replace it (access denied, or a
// sharing violation when delete is not shared), while the profile functions,
// which write in place, get through. So give such a program a moment to let
// go before calling the write failed.
constexpr ULONGLONG kReplaceWaitMilliseconds = 2000;
constexpr DWORD kReplaceRetryMilliseconds = 50;

bool MayBeHeldOpen(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
}

bool MoveOver(const fs::path& temporary, const fs::path& target) {
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    if (MoveFileExW(temporary.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
      return true;
    }
    if (!MayBeHeldOpen(GetLastError()) || GetTickCount64() - start >= kReplaceWaitMilliseconds) {
      return false;
    }
    // Access is also denied for a file made read-only or a directory put in
    // its place meanwhile; no wait changes those.
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
      return false;
    }
    Sleep(kReplaceRetryMilliseconds);
  }
}

// The same programs open our temporary file as soon as it is closed; it
// must still go when the replacement failed.
void RemoveTemporary(const fs::path& temporary) {
  const ULONGLONG start = GetTickCount64();
  while (DeleteFileW(temporary.c_str()) == 0 && MayBeHeldOpen(GetLastError()) &&
         GetTickCount64() - start < kReplaceWaitMilliseconds) {
    Sleep(kReplaceRetryMilliseconds);
  }
}

bool WriteAndReplace(const fs::path& target, std::string_view bytes) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  const bool hasOld = attributes != INVALID_FILE_ATTRIBUTES;
  if (hasOld && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
    return false;
  }

  HANDLE handle = INVALID_HANDLE_VALUE;
  fs::path temporary;
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    temporary = TemporaryPathFor(target);
    handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) break;
    if (GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  if (handle == INVALID_HANDLE_VALUE) return false;

  bool ok = true;
  while (ok && !bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x10000000u ? 0x10000000u : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    ok = WriteFile(handle, bytes.data(), chunk, &written, nullptr) != 0 && written > 0;
    bytes.remove_prefix(written);
  }
  if (ok) ok = FlushFileBuffers(handle) != 0;
  if (CloseHandle(handle) == 0) ok = false;
  if (ok && hasOld) {
    // Hidden and similar marks survive the replacement (best effort).
    const DWORD kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    if (kept != 0) SetFileAttributesW(temporary.c_str(), kept);
  }
  if (ok) ok = MoveOver(temporary, target);
  if (!ok) RemoveTemporary(temporary);
  return ok;
}

#else

bool WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The permissions of a replacement whose owner or group are not (yet) those
// of the file it replaces, given which of them are: nobody may get more of
// it than of the old file. Under another group, the old group's members and
// everyone else may trade places; under another owner, the old owner is
// among the group or the others.
mode_t NeverWiderMode(mode_t old, bool sameOwner, bool sameGroup) {
  const mode_t owner = (old >> 6) & 07;
  mode_t group = (old >> 3) & 07;
  mode_t other = old & 07;
  if (sameOwner && sameGroup) return old & 0777;
  if (!sameGroup) group = other = group & other;
  if (!sameOwner) {
    group &= owner;
    other &= owner;
  }
  return (owner << 6) | (group << 3) | other;
}

// The group a file created in directory will get, when it can be told
// beforehand: the creator's, or the directory's where it hands down its own
// (always on some systems). Sure only where both are the same.
bool NewFileGetsGroup(const fs::path& directory, gid_t group) {
  struct stat parent {};
  if (::stat(directory.empty() ? "." : directory.c_str(), &parent) != 0) return false;
  return ::getegid() == group && parent.st_gid == group;
}

// Owner, group and mode of the replaced file for its replacement, before a
// byte of the content is in it. Where the owner cannot be handed over (not
// allowed, or a file system without owners) the file stays ours, with no
// more permissions than the old file gave; the content matters more.
void TakeOverOwnerAndMode(int descriptor, const struct stat& old) {
  struct stat now {};
  if (::fstat(descriptor, &now) != 0) return;
  if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
    if (::fchown(descriptor, old.st_uid, old.st_gid) != 0 || ::fstat(descriptor, &now) != 0) {
      // Not allowed: the mode below accounts for the owner we have.
    }
  }
  const bool sameOwner = now.st_uid == old.st_uid;
  const bool sameGroup = now.st_gid == old.st_gid;
  const mode_t wanted = sameOwner && sameGroup ? old.st_mode & 07777
                                               : NeverWiderMode(old.st_mode, sameOwner, sameGroup);
  if ((now.st_mode & 07777) != wanted && ::fchmod(descriptor, wanted) != 0) {
    // The umask may have left it narrower still, which is safe.
  }
}

bool WriteAndReplace(const fs::path& target, std::string_view bytes) {
  struct stat old {};
  const bool hasOld = ::stat(target.c_str(), &old) == 0;
  const bool replacing = hasOld && S_ISREG(old.st_mode);
  if (replacing) {
    // Renaming would get past a read-only file; Windows refuses to write
    // one, whoever asks, and so do we. Read-only is the mode itself (no
    // write bit for anyone), since access() grants root every file; a file
    // this user may not write is refused as well.
    if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
    if (::access(target.c_str(), W_OK) != 0) return false;
  } else if (hasOld && !S_ISDIR(old.st_mode)) {
    // Never rename over a device or pipe. A directory in the way makes the
    // rename fail on its own, after which the temporary file is removed.
    return false;
  }

  // From the moment it exists the replacement has the old file's mode, or
  // less while its owner and group are not yet the old file's; a new file
  // gets what the umask leaves, as any new file.
  const mode_t mode = replacing ? NeverWiderMode(old.st_mode, old.st_uid == ::geteuid(),
                                                 NewFileGetsGroup(target.parent_path(), old.st_gid))
                                : 0666;
  int descriptor = -1;
  fs::path temporary;
  for (int attempt = 0; attempt < kTemporaryNameAttempts && descriptor < 0; ++attempt) {
    temporary = TemporaryPathFor(target);
    descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (descriptor < 0 && errno != EEXIST) return false;
  }
  if (descriptor < 0) return false;

  if (replacing) TakeOverOwnerAndMode(descriptor, old);
  bool ok = WriteAll(descriptor, bytes);
  if (ok) ok = ::fsync(descriptor) == 0;
  if (::close(descriptor) != 0) ok = false;
  if (ok) ok = ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }

  // The rename itself reaches the disk only with the directory.
  const fs::path directory = target.parent_path();
  const int directoryDescriptor =
      ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (directoryDescriptor >= 0) {
    ::fsync(directoryDescriptor);
    ::close(directoryDescriptor);
  }
  return true;
}

#endif

}  // namespace

ReadResult ReadFileBytes(const fs::path& file) {
  ReadResult result;
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  if (status.type() == fs::file_type::not_found) {
    result.status = ReadStatus::kMissing;
    return result;
  }
  if (error || status.type() != fs::file_type::regular) {
    result.status = ReadStatus::kFailed;
    return result;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    result.status = ReadStatus::kFailed;
    return result;
  }
  char buffer[16384];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    result.bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  result.status = in.bad() ? ReadStatus::kFailed : ReadStatus::kRead;
  return result;
}

bool ReplaceFileContents(const fs::path& file, std::string_view bytes) {
  const auto target = ResolveTarget(file);
  if (!target) return false;
  return WriteAndReplace(*target, bytes);
}

void RemoveStaleTemporaryFiles(const fs::path& file) {
  RemoveTemporaryFilesBeside(file);
  // Writes through a symbolic link put their temporary files beside the
  // file it leads to.
  const auto target = ResolveTarget(file);
  if (target && *target != file) RemoveTemporaryFilesBeside(*target);
}

}  // namespace kirimo::settings::files
