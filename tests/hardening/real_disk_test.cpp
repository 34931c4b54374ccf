// The real console program against what real disks do: a device that is
// always full, a small file system that fills up, pipes nobody reads or
// writes. Each ends in a clear error, exit status 1, nothing left behind and
// the input untouched.

#include <dirent.h>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include <stdexcept>

#include "engine/convert_command.h"
#include "engine/file_io.h"
#include "tests/e2e/process.h"
#include "tests/hardening/hardening_util.h"
#include "tests/support/recording_host.h"
#include "tests/support/temp_dir.h"

namespace tessaro::hardening {
namespace {

using testing::FileExists;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

class RealDisk : public ::testing::Test {
 protected:
  // A sample and its converted WAV in the temporary directory.
  void SetUp() override {
    aac_ = dir_.File("tone.aac");
    WriteFile(aac_, ReadFile(kSamples + "/tone48k_stereo.aac"));
    wav_ = dir_.File("tone.wav");
    const e2e::ProcessResult r = RunCliIn(dir_.File(""), {aac_, wav_});
    ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    aacBytes_ = ReadFile(aac_);
    wavBytes_ = ReadFile(wav_);
  }

  void ExpectInputsUnchanged() {
    EXPECT_EQ(ReadFile(aac_), aacBytes_);
    EXPECT_EQ(ReadFile(wav_), wavBytes_);
  }

  TempDir dir_;
  std::string aac_, wav_, aacBytes_, wavBytes_;
};

// An output path that names anything but a regular file was written to (a
// block device, /dev/null, with exit status 0): it is refused before anything
// is written, as is a path whose folder is missing.
TEST_F(RealDisk, OutputsThatAreNotRegularFilesAreRefusedInBothDirections) {
  for (const std::string& output :
       {std::string("/dev/full"), std::string("/dev/null"), dir_.File(""),
        dir_.File("missing/out.wav")}) {
    for (const std::string& input : {aac_, wav_}) {
      const e2e::ProcessResult r = RunCliIn(dir_.File(""), {input, output});
      EXPECT_EQ(r.exitCode, 1) << input << " -> " << output;
      EXPECT_EQ(r.out, kOutputNotOpenable) << input << " -> " << output;
    }
  }
  EXPECT_TRUE(IsCharDevice("/dev/full"));
  EXPECT_TRUE(IsCharDevice("/dev/null"));
  EXPECT_EQ(DirectoryEntries(dir_.File("")), (std::set<std::string>{"tone.aac", "tone.wav"}));
  ExpectInputsUnchanged();
}

// The clean-up of a failed conversion deleted whatever the output path named,
// so run as root it deleted the device node /dev/full. Private device nodes
// (a character and a block device) stand in for such nodes here.
TEST_F(RealDisk, FailedConversionNeverDeletesADeviceNamedAsOutput) {
  const std::string node = dir_.File("full");
  const std::string block = dir_.File("block");
  if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0 ||
      ::mknod(block.c_str(), S_IFBLK | 0600, makedev(7, 200)) != 0) {
    GTEST_SKIP() << "cannot create a device node here (needs root): " << std::strerror(errno);
  }
  for (const std::string& output : {node, block}) {
    const e2e::ProcessResult r = RunCliIn(dir_.File(""), {aac_, output});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, kOutputNotOpenable);
  }
  EXPECT_TRUE(IsCharDevice(node));
  struct stat st;
  EXPECT_TRUE(::stat(block.c_str(), &st) == 0 && S_ISBLK(st.st_mode));
  ExpectInputsUnchanged();
}

// A new output gets what a plainly created file gets (not the 0600 of a
// private temporary file); a replaced one keeps its permission bits.
TEST_F(RealDisk, NewOutputsGetPlainPermissionsAndReplacedOnesKeepTheirs) {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  const std::string fresh = dir_.File("fresh.wav");
  ASSERT_EQ(RunCliIn(dir_.File(""), {aac_, fresh}).exitCode, 0);
  struct stat st;
  ASSERT_EQ(::stat(fresh.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0666 & ~mask);

  ASSERT_EQ(::chmod(fresh.c_str(), 0604), 0);
  ASSERT_EQ(RunCliIn(dir_.File(""), {aac_, fresh}).exitCode, 0);
  ASSERT_EQ(::stat(fresh.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0604u);
  EXPECT_EQ(ReadFile(fresh), wavBytes_);

  // Run as root over another user's file, the file stays that user's.
  if (::geteuid() != 0) GTEST_SKIP() << "owners can only be kept as root";
  ASSERT_EQ(::chown(fresh.c_str(), 1234, 5678), 0);
  ASSERT_EQ(::chmod(fresh.c_str(), 0640), 0);
  ASSERT_EQ(RunCliIn(dir_.File(""), {aac_, fresh}).exitCode, 0);
  ASSERT_EQ(::stat(fresh.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 1234u);
  EXPECT_EQ(st.st_gid, 5678u);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

// The permissions of the new file a conversion in this process is writing in
// dir, found through its descriptor whether it has a hidden name or none;
// -1 while there is none.
int NewFileMode(const std::string& dir) {
  for (const std::string& fd : DirectoryEntries("/proc/self/fd")) {
    char target[4096];
    const std::string link = "/proc/self/fd/" + fd;
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    if (n <= 0) continue;
    const std::string path(target, static_cast<size_t>(n));
    struct stat st;
    // Unnamed, the file shows as "#inode (deleted)"; else by its hidden name.
    if (path.size() > dir.size() + 1 && path.starts_with(dir + "/") &&
        (path[dir.size() + 1] == '#' || path[dir.size() + 1] == '.') &&
        ::stat(link.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
      return static_cast<int>(st.st_mode & 07777);
    }
  }
  return -1;
}

class PeekingHost : public testing::RecordingHost {
 public:
  explicit PeekingHost(std::string dir) : dir_(std::move(dir)) {}
  void PumpEvents() override {
    if (mode < 0) mode = NewFileMode(dir_);
  }
  int mode = -1;  // of the new file at the first event pump

 private:
  std::string dir_;
};

// The access ACL of path, in its stored form; "" where it has none.
std::string AccessAcl(const std::string& path) {
  std::string value(256, '\0');
  const ssize_t n = ::getxattr(path.c_str(), "system.posix_acl_access", value.data(), value.size());
  value.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return value;
}

// Where the file system holds no unnamed files, the new file was readable by
// others (0644) until it was complete and given the replaced file's 0600;
// in a folder with a default ACL a new file was made as that ACL says, so
// that the users it names could read it while it was written. It is private
// while written, named or not, and gets its permissions at the end: what a
// plainly created file gets, or those of the file replaced (whose lack of an
// ACL is kept too: the folder's default ACL widened it).
TEST_F(RealDisk, TheNewFileIsPrivateUntilItIsComplete) {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  const std::string shared = dir_.File("acl");
  ASSERT_EQ(::mkdir(shared.c_str(), 0700), 0);
  const bool acls =
      e2e::HaveTool("setfacl") &&
      e2e::RunProgram({"setfacl", "-d", "-m", "u:1001:rw,g::r,o::r", shared}).exitCode == 0;
  // What a file plainly created in the folder with the default ACL gets.
  const std::string plain = shared + "/plain";
  ::close(::open(plain.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666));
  struct stat plainSt;
  ASSERT_EQ(::stat(plain.c_str(), &plainSt), 0);
  struct Case {
    const char* name;
    FileSystem& fs;
    int before;  // the permissions of the file replaced; -1: a new output
    bool defaultAcl;  // in a folder with a default ACL
  } const cases[] = {
      {"unnamed, new", RealFileSystem(), -1, false},
      {"unnamed, replacing", RealFileSystem(), 0604, false},
      {"hidden name, new", RealFileSystemWithHiddenNames(), -1, false},
      {"hidden name, replacing", RealFileSystemWithHiddenNames(), 0600, false},
      {"unnamed, new, default ACL", RealFileSystem(), -1, true},
      {"hidden name, new, default ACL", RealFileSystemWithHiddenNames(), -1, true},
      {"hidden name, replacing, default ACL", RealFileSystemWithHiddenNames(), 0640, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.defaultAcl && !acls) continue;
    const std::string top = dir_.File("").substr(0, dir_.File("").size() - 1);
    const std::string folder = c.defaultAcl ? shared : top;
    const std::string out = folder + "/out.wav";
    ::unlink(out.c_str());
    if (c.before >= 0) {
      const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
      ASSERT_GE(fd, 0);
      ::close(fd);
      ::removexattr(out.c_str(), "system.posix_acl_access");  // the one the folder gave it
      ASSERT_EQ(::chmod(out.c_str(), static_cast<mode_t>(c.before)), 0);
    }
    ConversionRequest request;
    request.inputPath = aac_;
    request.outputPath = out;
    PeekingHost host(folder);
    ASSERT_FALSE(RunConversion(request, host, c.fs).failed);
    EXPECT_EQ(host.mode, 0600);
    struct stat st;
    ASSERT_EQ(::stat(out.c_str(), &st), 0);
    const mode_t fresh = c.defaultAcl ? plainSt.st_mode & 07777 : 0666 & ~mask;
    EXPECT_EQ(st.st_mode & 07777, c.before >= 0 ? static_cast<mode_t>(c.before) : fresh);
    if (c.defaultAcl) {
      EXPECT_EQ(AccessAcl(out), c.before >= 0 ? "" : AccessAcl(plain));
    }
  }
}

// Replacing a file with an ACL gave the owning group the ACL's mask (read
// and write) and took the named user's access away; extended attributes
// were dropped. Both are kept now, named or unnamed.
TEST_F(RealDisk, AReplacedFileKeepsItsAclAndExtendedAttributes) {
  const std::string out = dir_.File("acl.wav");
  WriteFile(out, "an earlier conversion");
  ASSERT_EQ(::chmod(out.c_str(), 0600), 0);
  if (!e2e::HaveTool("setfacl") ||
      e2e::RunProgram({"setfacl", "-m", "u:1001:rw", out}).exitCode != 0 ||
      ::setxattr(out.c_str(), "user.origin", "take 3", 6, 0) != 0) {
    GTEST_SKIP() << "no ACLs or extended attributes here (setfacl from the acl package)";
  }
  const auto attribute = [&](const char* name) {
    std::string value(256, '\0');
    const ssize_t n = ::getxattr(out.c_str(), name, value.data(), value.size());
    value.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return value;
  };
  const std::string acl = AccessAcl(out);
  struct stat before;
  ASSERT_EQ(::stat(out.c_str(), &before), 0);
  for (FileSystem* fs : {&RealFileSystem(), &RealFileSystemWithHiddenNames()}) {
    ConversionRequest request;
    request.inputPath = aac_;
    request.outputPath = out;
    testing::RecordingHost host;
    ASSERT_FALSE(RunConversion(request, host, *fs).failed);
    EXPECT_EQ(ReadFile(out), wavBytes_);
    struct stat after;
    ASSERT_EQ(::stat(out.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, before.st_mode & 07777);
    EXPECT_FALSE(acl.empty());
    EXPECT_EQ(AccessAcl(out), acl);
    EXPECT_EQ(attribute("user.origin"), "take 3");
  }
}

// Opening a pipe waited for the other end for ever: as input until a writer
// came, as output until a reader came.
TEST_F(RealDisk, PipesAreRefusedInsteadOfWaitingForever) {
  const std::string inPipe = dir_.File("pipe.aac");
  const std::string outPipe = dir_.File("pipe.wav");
  ASSERT_EQ(::mkfifo(inPipe.c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(outPipe.c_str(), 0600), 0);

  const e2e::ProcessResult in = RunCliIn(dir_.File(""), {inPipe, dir_.File("x.wav")});
  EXPECT_EQ(in.exitCode, 1);
  EXPECT_EQ(in.out, kInputNotOpenable);
  EXPECT_FALSE(FileExists(dir_.File("x.wav")));

  const e2e::ProcessResult out = RunCliIn(dir_.File(""), {aac_, outPipe});
  EXPECT_EQ(out.exitCode, 1);
  EXPECT_EQ(out.out, kOutputNotOpenable);
  ExpectInputsUnchanged();
}

TEST_F(RealDisk, ADeviceAsInputIsRefused) {
  const std::string link = dir_.File("zero.aac");
  ASSERT_EQ(::symlink("/dev/zero", link.c_str()), 0);
  const e2e::ProcessResult r = RunCliIn(dir_.File(""), {link, dir_.File("zero.wav")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, kInputNotOpenable);
  EXPECT_FALSE(FileExists(dir_.File("zero.wav")));
}

// The output's folder renamed while the conversion runs: the new file is
// put in place, or removed, in that folder under its new name; nothing is
// left in it beside the output, with an unnamed new file as with a hidden one.
class RenamingHost : public testing::RecordingHost {
 public:
  RenamingHost(std::string from, std::string to, bool giveUp)
      : from_(std::move(from)), to_(std::move(to)), giveUp_(giveUp) {}
  void PumpEvents() override {
    if (renamed_) return;
    renamed_ = true;
    ASSERT_EQ(::rename(from_.c_str(), to_.c_str()), 0);
    if (giveUp_) throw std::runtime_error("window gone");
  }

 private:
  std::string from_, to_;
  bool giveUp_;
  bool renamed_ = false;
};

TEST_F(RealDisk, AFolderRenamedDuringTheRunKeepsNoStrayFile) {
  struct Case {
    const char* name;
    FileSystem& fs;
    bool giveUp;
  } const cases[] = {
      {"unnamed, converted", RealFileSystem(), false},
      {"unnamed, failed", RealFileSystem(), true},
      {"hidden name, converted", RealFileSystemWithHiddenNames(), false},
      {"hidden name, failed", RealFileSystemWithHiddenNames(), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string before = dir_.File("before");
    const std::string after = dir_.File("after");
    ASSERT_EQ(::mkdir(before.c_str(), 0700), 0);
    WriteFile(before + "/out.wav", "an earlier conversion");
    ConversionRequest request;
    request.language = Language::kJapanese;
    request.inputPath = aac_;
    request.outputPath = before + "/out.wav";
    RenamingHost host(before, after, c.giveUp);
    const ConversionResult r = RunConversion(request, host, c.fs);
    EXPECT_EQ(r.failed, c.giveUp);
    EXPECT_FALSE(FileExists(before));
    EXPECT_EQ(DirectoryEntries(after), (std::set<std::string>{"out.wav"}));
    EXPECT_EQ(ReadFile(after + "/out.wav"), c.giveUp ? "an earlier conversion" : wavBytes_);
    ASSERT_EQ(::unlink((after + "/out.wav").c_str()), 0);
    ASSERT_EQ(::rmdir(after.c_str()), 0);
  }
  ExpectInputsUnchanged();
}

// A 64 KiB tmpfs fills up in the middle of either conversion.
class TinyFileSystem : public RealDisk {
 protected:
  void SetUp() override {
    RealDisk::SetUp();
    mountPoint_ = dir_.File("tiny");
    ASSERT_EQ(::mkdir(mountPoint_.c_str(), 0700), 0);
    if (::mount("tessaro-tiny", mountPoint_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV,
                "size=64k,mode=0700") != 0) {
      GTEST_SKIP() << "cannot mount a small tmpfs here (needs root and permission to mount): "
                   << std::strerror(errno);
    }
    mounted_ = true;
  }
  void TearDown() override {
    if (mounted_) ::umount2(mountPoint_.c_str(), MNT_DETACH);
  }

  std::string mountPoint_;
  bool mounted_ = false;
};

TEST_F(TinyFileSystem, FullDiskIsAWriteErrorAndLeavesNoPartialOutput) {
  struct Case {
    std::string input;
    std::string output;
  } cases[] = {{aac_, "tone.wav"}, {aac_, "half.wav"}, {wav_, "tone_out.aac"}};
  for (const Case& c : cases) {
    std::vector<std::string> args = {c.input, mountPoint_ + "/" + c.output};
    if (c.output == "half.wav") args.insert(args.begin(), "-s2");
    const e2e::ProcessResult r = RunCliIn(dir_.File(""), args);
    EXPECT_EQ(r.exitCode, 1) << c.output;
    EXPECT_EQ(r.out, kWriteFailed) << c.output;
    EXPECT_TRUE(DirectoryEntries(mountPoint_).empty()) << c.output << " left behind";
  }
  ExpectInputsUnchanged();
}

// A conversion that fails on a full disk had already truncated the file at
// the output path: the earlier file now stays as it was, and the new one goes.
TEST_F(TinyFileSystem, AnEarlierOutputSurvivesAFullDisk) {
  const std::string old = mountPoint_ + "/tone.wav";
  WriteFile(old, "an earlier conversion");
  ASSERT_EQ(::chmod(old.c_str(), 0640), 0);
  const e2e::ProcessResult r = RunCliIn(dir_.File(""), {aac_, old});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, kWriteFailed);
  EXPECT_EQ(ReadFile(old), "an earlier conversion");
  EXPECT_EQ(DirectoryEntries(mountPoint_), (std::set<std::string>{"tone.wav"}));
}

// Through a symbolic link the new file is written beside the link's target
// and replaces it; on failure the target stays as it was, and a device behind
// a link is never written to or deleted. The link stays a link throughout.
TEST_F(TinyFileSystem, ThroughALinkTheTargetIsReplacedOrKept) {
  const std::string link = dir_.File("link.wav");
  ASSERT_EQ(::symlink((mountPoint_ + "/target.wav").c_str(), link.c_str()), 0);
  const e2e::ProcessResult r = RunCliIn(dir_.File(""), {aac_, link});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, kWriteFailed);
  EXPECT_TRUE(DirectoryEntries(mountPoint_).empty());
  struct stat st;
  EXPECT_TRUE(::lstat(link.c_str(), &st) == 0 && S_ISLNK(st.st_mode));

  // A target that exists: kept on failure, replaced on success.
  WriteFile(mountPoint_ + "/target.wav", "old target");
  EXPECT_EQ(RunCliIn(dir_.File(""), {aac_, link}).exitCode, 1);
  EXPECT_EQ(ReadFile(mountPoint_ + "/target.wav"), "old target");
  const std::string outside = dir_.File("outside.wav");
  WriteFile(outside, "old target");
  const std::string relative = dir_.File("relative.wav");
  ASSERT_EQ(::symlink("outside.wav", relative.c_str()), 0);
  EXPECT_EQ(RunCliIn(dir_.File(""), {aac_, relative}).exitCode, 0);
  EXPECT_EQ(ReadFile(outside), wavBytes_);
  EXPECT_TRUE(::lstat(relative.c_str(), &st) == 0 && S_ISLNK(st.st_mode));

  const std::string deviceLink = dir_.File("full.wav");
  ASSERT_EQ(::symlink("/dev/full", deviceLink.c_str()), 0);
  EXPECT_EQ(RunCliIn(dir_.File(""), {aac_, deviceLink}).exitCode, 1);
  EXPECT_TRUE(IsCharDevice("/dev/full"));
  ExpectInputsUnchanged();
}

TEST_F(TinyFileSystem, AnOutputThatFitsIsStillWritten) {
  // Three frames of the sample: 44 + 3 x 4096 bytes, well inside 64 KiB.
  const std::string small = dir_.File("small.aac");
  std::string bytes = aacBytes_;
  size_t pos = 0;
  for (int i = 0; i < 3; ++i) {
    const auto* h = reinterpret_cast<const unsigned char*>(bytes.data() + pos);
    pos += ((h[3] & 3u) << 11) | (unsigned{h[4]} << 3) | (h[5] >> 5);
  }
  WriteFile(small, bytes.substr(0, pos));
  const e2e::ProcessResult r = RunCliIn(dir_.File(""), {small, mountPoint_ + "/small.wav"});
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(ReadFile(mountPoint_ + "/small.wav").size(), 44u + 3 * 4096);
}

}  // namespace
}  // namespace tessaro::hardening
