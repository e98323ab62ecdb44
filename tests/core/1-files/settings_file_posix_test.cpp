// The settings file against hostile folders and files: links, FIFOs, devices,
// read-only folders, folder names that are not UTF-8.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "settings.h"
#include "settings_file.h"
#include "support/settings_run.h"
#include "support/temp_folder.h"

namespace stakora {
namespace {

namespace fs = std::filesystem;
using namespace stakora::testing;

mode_t Mode(const fs::path& p) {
  struct stat st {};
  ::stat(p.c_str(), &st);
  return st.st_mode & 07777;
}

// Root writes anywhere, so a test of what rights forbid runs its body as an
// ordinary user in a child process; the body's result is the exit status.
bool AsOrdinaryUser(const fs::path& folder, const std::function<bool()>& body) {
  if (::geteuid() != 0) return body();
  constexpr uid_t kNobody = 65534;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    if (::lchown(e.path().c_str(), kNobody, kNobody) != 0) return false;
  if (::chown(folder.c_str(), kNobody, kNobody) != 0) return false;
  const pid_t pid = ::fork();
  if (pid == 0) _exit(::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 && body() ? 0 : 1);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(SettingsFile, FolderIsTakenByteForByte) {
  TempFolder dir;
  const std::string odd = dir.str() + "/caf\xe9";  // not UTF-8
  fs::create_directory(odd);
  EXPECT_EQ(Save(odd), Strings{});
  EXPECT_EQ(dir.Read("caf\xe9/config.txt"), kDefaults);
  EXPECT_EQ(Start(odd).reports, Strings{});
  // A folder the system cannot tell: nothing is read or written anywhere.
  const bool root_had_one = fs::exists("/config.txt");
  EXPECT_EQ(Save(""), Strings{"76"});
  EXPECT_EQ(Start("").reports, Strings{"76"});
  EXPECT_EQ(fs::exists("/config.txt"), root_had_one);
  EXPECT_FALSE(ProgramFolder().empty());
}

TEST(SettingsFile, LeftoversAndSpecialFilesAreNeverFollowedNorWaitedFor) {
  TempFolder dir;
  dir.Write("victim", "mine");
  for (const char* name : {"config.txt.new", "config.txt.tmp", "config.txt~"})
    fs::create_symlink(dir / "victim", dir / name);
  ASSERT_EQ(::mkfifo((dir / "config.txt.XXXXXX").c_str(), 0600), 0);
  const mode_t mask = ::umask(027);
  EXPECT_EQ(Save(dir.str()), Strings{});
  EXPECT_EQ(::umask(mask), 027u);              // the process's umask is left alone
  EXPECT_EQ(Mode(dir / "config.txt"), 0640u);  // a new file as the umask shapes it
  EXPECT_EQ(dir.Read("victim"), "mine");
  EXPECT_EQ(dir.Read("config.txt"), kDefaults);
  ::chmod((dir / "config.txt").c_str(), 0604);  // a file replaced keeps its mode
  EXPECT_EQ(Save(dir.str()), Strings{});
  EXPECT_EQ(Mode(dir / "config.txt"), 0604u);

  TempFolder fifo;
  ASSERT_EQ(::mkfifo((fifo / "config.txt").c_str(), 0600), 0);
  EXPECT_EQ(Start(fifo.str()).reports, Strings{"75"});
  EXPECT_EQ(Save(fifo.str()), Strings{"75"});
  TempFolder device;
  fs::create_symlink("/dev/zero", device / "config.txt");
  EXPECT_EQ(Start(device.str()).reports, Strings{"75"});
}

// What is not a settings file of ours stays as it is, reported at start when
// it cannot be read and at the save, once, when it is not replaced.
struct Foreign {
  const char* what;
  void (*make)(const TempFolder&);
  Strings at_start;
};

class NotOurs : public ::testing::TestWithParam<Foreign> {};

TEST_P(NotOurs, IsNeverReplacedNorWrittenThrough) {
  TempFolder dir;
  fs::create_directory(dir / "elsewhere");
  dir.Write("elsewhere/document", "a letter\n" + std::string(kMaxSettingsBytes, 'x'));
  dir.Write("elsewhere/config.txt", kDefaults);
  GetParam().make(dir);
  const auto before = [&](const char* name) {
    return fs::exists(dir / name) ? dir.Read(name) : "";
  };
  const std::string config = before("config.txt"), document = before("elsewhere/document"),
                    linked = before("elsewhere/config.txt");
  EXPECT_EQ(Start(dir.str()).reports, GetParam().at_start);
  EXPECT_EQ(Save(dir.str()), Strings{"75"});
  EXPECT_EQ(before("config.txt"), config);
  EXPECT_EQ(before("elsewhere/document"), document);
  EXPECT_EQ(before("elsewhere/config.txt"), linked);
  EXPECT_FALSE(fs::exists(dir / "elsewhere/missing"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.str()), {}), 2);  // no leftovers
}

INSTANTIATE_TEST_SUITE_P(
    SettingsFile, NotOurs,
    ::testing::Values(Foreign{"link_to_a_document",
                              [](const TempFolder& d) {
                                fs::create_symlink("elsewhere/document", d / "config.txt");
                              },
                              {"75"}},
                      Foreign{"link_to_good_settings",
                              [](const TempFolder& d) {
                                fs::create_symlink("elsewhere/config.txt", d / "config.txt");
                              },
                              {}},
                      Foreign{"dangling_link",
                              [](const TempFolder& d) {
                                fs::create_symlink("elsewhere/missing", d / "config.txt");
                              },
                              {"75"}},
                      Foreign{"long_file",
                              [](const TempFolder& d) {
                                d.Write("config.txt",
                                        kDefaults + std::string(kMaxSettingsBytes, ' '));
                              },
                              {"75"}},
                      Foreign{"binary_file",
                              [](const TempFolder& d) {
                                d.Write("config.txt", kDefaults + std::string(1, '\0'));
                              },
                              {"75"}}),
    [](const auto& row) { return std::string(row.param.what); });

TEST(SettingsFile, ReadOnlyFolderRewritesAWritableFileInPlace) {
  TempFolder dir;
  dir.Write("config.txt", "old");
  ::chmod((dir / "config.txt").c_str(), 0200);  // write-only, too
  ::chmod(dir.str().c_str(), 0555);
  const std::string folder = dir.str();
  EXPECT_TRUE(AsOrdinaryUser(dir / "", [&] { return Save(folder).empty(); }));
  ::chmod(folder.c_str(), 0755);
  ::chmod((dir / "config.txt").c_str(), 0600);
  EXPECT_EQ(dir.Read("config.txt"), kDefaults);
  // Neither way open: the file is left as it was, and the rights are reported.
  ::chmod((dir / "config.txt").c_str(), 0400);
  ::chmod(folder.c_str(), 0555);
  EXPECT_TRUE(AsOrdinaryUser(dir / "", [&] { return Save(folder) == Strings{"70"}; }));
  ::chmod(folder.c_str(), 0755);
  EXPECT_EQ(dir.Read("config.txt"), kDefaults);
}

// Writing stops part way, as on a full disk: the old file stays whole.
TEST(SettingsFile, FullDiskKeepsThePreviousFile) {
  TempFolder dir;
  dir.Write("config.txt", kDefaults);
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 16;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const Strings reports = Save(dir.str(), std::string(200, '9'));
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(reports, Strings{"61"});
  EXPECT_EQ(dir.Read("config.txt"), kDefaults);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.str()), {}), 1);
}

TEST(SettingsFile, AnInstalledProgramKeepsItsSettingsWithTheUser) {
  TempFolder dir;
  fs::create_directories(dir / "usr/bin");
  fs::create_directories(dir / "usr/share/stakora");
  dir.Write("usr/share/stakora/help.htm", "");
  ::setenv("XDG_CONFIG_HOME", (dir.str() + "/home/.config").c_str(), 1);
  const DesktopFolders installed = FindDesktopFolders(dir.str() + "/usr/bin");
  EXPECT_EQ(installed.pages, dir.str() + "/usr/share/stakora");
  EXPECT_EQ(installed.settings, dir.str() + "/home/.config/stakora");
  EXPECT_TRUE(fs::is_directory(installed.settings));
  const std::string home = std::getenv("HOME");
  ::unsetenv("XDG_CONFIG_HOME");
  ::setenv("HOME", (dir.str() + "/user").c_str(), 1);
  EXPECT_EQ(FindDesktopFolders(dir.str() + "/usr/bin").settings,
            dir.str() + "/user/.config/stakora");
  ::setenv("HOME", home.c_str(), 1);
  dir.Write("usr/bin/config.txt", "");  // one of its own stays in use
  EXPECT_EQ(FindDesktopFolders(dir.str() + "/usr/bin").settings, dir.str() + "/usr/bin");
  fs::create_directory(dir / "portable");
  dir.Write("portable/help.htm", "");
  const DesktopFolders portable = FindDesktopFolders(dir.str() + "/portable");
  EXPECT_EQ(portable.pages, dir.str() + "/portable");
  EXPECT_EQ(portable.settings, dir.str() + "/portable");
}

}  // namespace
}  // namespace stakora
