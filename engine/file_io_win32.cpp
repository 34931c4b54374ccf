// Win32 implementation of the file seam. Paths arrive as UTF-8 and are
// converted to UTF-16 at every call, so any name opens whatever the system's
// ANSI code page is. Files are opened without sharing: a second opener of the
// same file (for example the input named again as the output) fails.

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/file_io.h"
#include "engine/wide_text.h"

namespace tessaro {
namespace {

// The absolute form of a path; empty when it cannot be had.
std::wstring FullPath(const std::wstring& path) {
  const DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return {};
  std::wstring full(n, L'\0');
  const DWORD got = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
  if (got == 0 || got >= n) return {};
  full.resize(got);
  return full;
}

// The extended form of a path (\\?\C:\..., \\?\UNC\server\...), which has no
// length limit and takes no relative parts; empty when it cannot be had.
std::wstring ExtendedPath(const std::wstring& path) {
  if (path.rfind(L"\\\\?\\", 0) == 0) return path;
  const std::wstring full = FullPath(path);
  if (full.empty()) return {};
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

// The path as the file calls take it. Paths longer than the classic limit
// of 260 characters are handed over in their extended form, which works on
// any Windows version.
std::wstring NativePath(const std::string& utf8) {
  // Invalid UTF-8 gives an empty name, which no file call accepts.
  std::wstring wide = Widen(utf8, BadText::kRefuse);
  if (wide.size() < MAX_PATH - 12) return wide;
  const std::wstring extended = ExtendedPath(wide);
  return extended.empty() ? wide : extended;
}

// ReadFile and WriteFile take 32-bit counts; larger requests go in slices.
constexpr size_t kMaxSlice = 1u << 30;

class Win32File final : public File {
 public:
  explicit Win32File(HANDLE h) : handle_(h) {}
  ~Win32File() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  Win32File(const Win32File&) = delete;
  Win32File& operator=(const Win32File&) = delete;

  bool Read(uint8_t* buf, size_t n, size_t* got) override {
    *got = 0;
    if (handle_ == INVALID_HANDLE_VALUE) return false;
    while (*got < n) {
      const DWORD want = static_cast<DWORD>(std::min(n - *got, kMaxSlice));
      DWORD done = 0;
      if (!ReadFile(handle_, buf + *got, want, &done, nullptr)) return false;
      if (done == 0) break;  // end of file
      *got += done;
    }
    return true;
  }

  bool Write(const uint8_t* buf, size_t n) override {
    if (handle_ == INVALID_HANDLE_VALUE) return false;
    size_t put = 0;
    while (put < n) {
      const DWORD want = static_cast<DWORD>(std::min(n - put, kMaxSlice));
      DWORD done = 0;
      if (!WriteFile(handle_, buf + put, want, &done, nullptr) || done == 0) return false;
      put += done;
    }
    return true;
  }

  bool Seek(uint64_t offset) override {
    if (handle_ == INVALID_HANDLE_VALUE || offset > static_cast<uint64_t>(INT64_MAX)) return false;
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(handle_, to, nullptr, FILE_BEGIN) != 0;
  }

  bool Size(uint64_t* size) override {
    LARGE_INTEGER s;
    if (handle_ == INVALID_HANDLE_VALUE || !GetFileSizeEx(handle_, &s) || s.QuadPart < 0) return false;
    *size = static_cast<uint64_t>(s.QuadPart);
    return true;
  }

  // Cuts (or extends) the file at size; the position ends at the new end.
  bool Truncate(uint64_t size) override {
    return Seek(size) && SetEndOfFile(handle_) != 0;
  }

  bool Sync() override {
    return handle_ != INVALID_HANDLE_VALUE && FlushFileBuffers(handle_) != 0;
  }

  bool Close() override {
    if (handle_ == INVALID_HANDLE_VALUE) return false;
    const bool ok = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return ok;
  }

  HANDLE handle() const { return handle_; }

 private:
  HANDLE handle_;
};

// Only a disk file has the fixed length a conversion reads to; a device such
// as CON would wait for typed input.
std::unique_ptr<File> OpenDiskFile(const std::string& path, DWORD access, DWORD disposition) {
  const std::wstring wide = NativePath(path);
  // Refused here, not by the system: no reason of the system's to give.
  if (wide.empty()) {
    SetLastError(ERROR_SUCCESS);
    return nullptr;
  }
  HANDLE h = CreateFileW(wide.c_str(), access, 0 /* no sharing */, nullptr, disposition,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  if (GetFileType(h) != FILE_TYPE_DISK) {
    CloseHandle(h);
    SetLastError(ERROR_SUCCESS);
    return nullptr;
  }
  return std::make_unique<Win32File>(h);
}

// Marks an open file for deletion when its last handle is closed, or clears
// the mark. The system honours the mark also when the process dies.
bool MarkForDeletion(HANDLE h, bool remove) {
  FILE_DISPOSITION_INFO disposition{};
  disposition.DeleteFile = remove ? TRUE : FALSE;
  return SetFileInformationByHandle(h, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

// Gives an open file another name (any folder of its volume), replacing a
// file of that name. The new name goes in its extended form, which every
// Windows version takes here whatever its length.
bool RenameOpenFile(HANDLE h, const std::wstring& to) {
  const std::wstring full = ExtendedPath(to);
  if (full.empty()) return false;
  const size_t nameBytes = full.size() * sizeof(wchar_t);
  std::vector<unsigned char> buf(sizeof(FILE_RENAME_INFO) + nameBytes);
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buf.data());
  info->ReplaceIfExists = TRUE;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(nameBytes);
  memcpy(info->FileName, full.c_str(), nameBytes + sizeof(wchar_t));
  return SetFileInformationByHandle(h, FileRenameInfo, info, static_cast<DWORD>(buf.size())) != 0;
}

// A new file under its hidden name that the system removes if the program
// dies before it is complete: it is marked for deletion as soon as it exists,
// and the mark is cleared only for its rename into place, which goes through
// its own handle. Where a file system cannot rename an open file, the closed
// file is renamed by its name; a file that did not get into place is removed.
// A stop cannot delete the marked file by its name; it goes as the program ends.
class Win32AsideFile final : public AsideFile {
 public:
  Win32AsideFile(HANDLE h, std::wstring target, std::wstring hidden)
      : file_(h), target_(std::move(target)), hidden_(std::move(hidden)) {}
  // Closing a file still marked deletes it.
  ~Win32AsideFile() override {
    file_.Close();
    if (unmarked_ && !placed_) DeleteFileW(hidden_.c_str());
  }

  File& file() override { return file_; }

  bool PutInPlace() override {
    const HANDLE h = file_.handle();
    if (h == INVALID_HANDLE_VALUE || !MarkForDeletion(h, false)) return false;
    unmarked_ = true;
    placed_ = RenameOpenFile(h, target_);
    const bool closed = file_.Close();
    if (!placed_ && closed) {
      placed_ = MoveFileExW(hidden_.c_str(), target_.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }
    return placed_;
  }

 private:
  Win32File file_;
  const std::wstring target_;
  const std::wstring hidden_;
  bool unmarked_ = false;
  bool placed_ = false;
};

// Volume serial number and file index identify a file on its volume,
// whatever spelling, case, short name or link led to it.
bool FileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION* info) {
  const std::wstring wide = NativePath(path);
  if (wide.empty()) return false;
  // No access rights asked for and full sharing: this works on files that are
  // open elsewhere, and on directories with FILE_FLAG_BACKUP_SEMANTICS.
  HANDLE h = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const bool ok = GetFileInformationByHandle(h, info) != 0;
  CloseHandle(h);
  return ok;
}

class Win32FileSystem final : public FileSystem {
 public:
  std::unique_ptr<File> OpenRead(const std::string& path) override {
    return OpenDiskFile(path, GENERIC_READ, OPEN_EXISTING);
  }

  PathInfo Stat(const std::string& path) override {
    PathInfo info;
    const std::wstring wide = NativePath(path);
    if (wide.empty()) {
      info.kind = PathInfo::Kind::kOther;
      return info;
    }
    // As in FileIdentity: no access rights and full sharing, so that a file
    // open elsewhere can still be examined.
    HANDLE h = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
      info.kind = missing ? PathInfo::Kind::kMissing : PathInfo::Kind::kOther;
      return info;
    }
    BY_HANDLE_FILE_INFORMATION file{};
    const bool regular = GetFileType(h) == FILE_TYPE_DISK &&
                         GetFileInformationByHandle(h, &file) != 0 &&
                         (file.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    CloseHandle(h);
    info.kind = regular ? PathInfo::Kind::kRegular : PathInfo::Kind::kOther;
    info.writable = regular && (file.dwFileAttributes & FILE_ATTRIBUTE_READONLY) == 0;
    return info;
  }

  // Links are not followed: a replaced link is replaced as a file.
  std::string ResolveLinks(const std::string& path) override { return path; }

  // Opened without sharing except for deletion, so that a stop request can
  // still delete the file from another thread; a new file inherits the
  // folder's permissions, which is what a plainly created file gets.
  std::unique_ptr<File> CreateExclusive(const std::string& path, const PathInfo*) override {
    const std::wstring wide = NativePath(path);
    if (wide.empty()) return nullptr;
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32File>(h);
  }

  // Where a file system cannot mark a file for deletion, the new file is
  // written under its hidden name and removed by name on failure.
  std::unique_ptr<AsideFile> CreateAside(const std::string& target, const std::string& hidden,
                                         const PathInfo* like) override {
    const std::wstring wideTarget = NativePath(target);
    const std::wstring wideHidden = NativePath(hidden);
    if (wideTarget.empty() || wideHidden.empty()) return nullptr;
    HANDLE h = CreateFileW(wideHidden.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                           FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    if (!MarkForDeletion(h, true)) {
      CloseHandle(h);
      DeleteFileW(wideHidden.c_str());
      return FileSystem::CreateAside(target, hidden, like);
    }
    return std::make_unique<Win32AsideFile>(h, wideTarget, wideHidden);
  }

  bool Rename(const std::string& from, const std::string& to) override {
    const std::wstring wideFrom = NativePath(from);
    const std::wstring wideTo = NativePath(to);
    return !wideFrom.empty() && !wideTo.empty() &&
           MoveFileExW(wideFrom.c_str(), wideTo.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }

  bool Remove(const std::string& path) override {
    const std::wstring wide = NativePath(path);
    return !wide.empty() && DeleteFileW(wide.c_str()) != 0;
  }

  bool SameFile(const std::string& a, const std::string& b) override {
    BY_HANDLE_FILE_INFORMATION ia, ib;
    if (!FileIdentity(a, &ia) || !FileIdentity(b, &ib)) return false;
    return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
  }

  std::string LastErrorText() override {
    const DWORD error = GetLastError();
    if (error == ERROR_SUCCESS) return {};
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring wide(text ? text : L"", n);
    LocalFree(text);
    // The system's sentence ends in ".\r\n"; the message has its own end.
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L'.')) {
      wide.pop_back();
    }
    return Narrow(wide, BadText::kReplace);
  }

  std::optional<FileKey> Identify(const std::string& path) override {
    BY_HANDLE_FILE_INFORMATION info;
    if (!FileIdentity(path, &info)) return std::nullopt;
    return FileKey{info.dwVolumeSerialNumber,
                   (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
  }
};

}  // namespace

FileSystem& RealFileSystem() {
  static Win32FileSystem fs;
  return fs;
}

}  // namespace tessaro
