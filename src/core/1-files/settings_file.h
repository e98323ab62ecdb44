#pragma once
// Everything about settings files that differs between systems: where the
// program is, reading a file and replacing it. One implementation for POSIX
// systems, one for Windows; nothing else in the core includes a system header.
// Paths are bytes as the system reports them (UTF-8 on Windows). Failures come
// back as the report numbers; the system's error codes are mapped only here.

#include <string>
#include <string_view>

#include "report_number.h"

namespace stakora {

// The largest settings file read; anything longer is not ours.
inline constexpr std::size_t kMaxSettingsBytes = 64 * 1024;

// What a settings file holds when it is not ours: more than a settings file
// ever needs, or a byte no text has (a NUL). Such a file is never replaced.
inline bool ForeignSettingsBytes(std::string_view bytes) {
  return bytes.size() > kMaxSettingsBytes || bytes.find('\0') != std::string_view::npos;
}

struct FileBytes {
  std::string bytes;
  ReportNumber error = ReportNumber::None;
};

// The folder that holds the running program, without a trailing separator;
// empty when the system cannot say.
std::string ProgramFolder();

// Where a desktop program finds its pages and keeps its settings. A portable
// folder holds both beside the program. An installed package has its pages in
// ../share/stakora and, as a user may not write the program's folder, its
// settings in $XDG_CONFIG_HOME/stakora (~/.config/stakora), made when missing;
// a config.txt already beside the program stays in use.
struct DesktopFolders {
  std::string pages;
  std::string settings;
};
DesktopFolders FindDesktopFolders(const std::string& program_folder);

// A regular file (a link is followed) of at most kMaxSettingsBytes, with no
// NUL byte. A missing file is 53, a missing folder 76; a link to nothing, a
// folder, a device, a FIFO, an over-long file or a binary one is 75. Never
// blocks.
FileBytes ReadSettingsFile(const std::string& path);

// Writes a new file beside the old one, flushes it to disk and renames it over
// the old one, so a failure part way leaves the previous file whole; the
// permission bits are kept. Where no new file can be made in that folder, the
// old one is rewritten in place. What is not ours is left as it is and 75
// reported: a link (never written through), anything but a regular file, and
// a file that reading would refuse (over-long or binary). Nothing but the file
// and its temporary companion is ever written.
[[nodiscard]] ReportNumber ReplaceSettingsFile(const std::string& path, std::string_view bytes);

}  // namespace stakora
