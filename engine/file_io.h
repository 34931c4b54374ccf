#pragma once
// The one seam through which the engine touches files. The real file system
// lives in file_io_posix.cpp / file_io_win32.cpp; tests substitute their own
// to fail any call.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tessaro {

// An open file. Every call reports failure by its return value; nothing throws.
class File {
 public:
  virtual ~File() = default;

  // Reads up to n bytes into buf; *got receives the count (less than n only at
  // the end of the file or on failure). Returns false on a read error.
  virtual bool Read(uint8_t* buf, size_t n, size_t* got) = 0;
  // Writes all n bytes or fails.
  virtual bool Write(const uint8_t* buf, size_t n) = 0;
  virtual bool Seek(uint64_t offset) = 0;
  virtual bool Size(uint64_t* size) = 0;
  virtual bool Truncate(uint64_t size) = 0;
  // Releases the file; false when buffered data could not be handed over.
  // The destructor closes a file that was not closed, ignoring errors.
  virtual bool Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens an existing file for reading; nullptr on failure (missing, not a
  // regular file such as a directory, a device or a pipe, no permission,
  // locked). Never waits for another program.
  virtual std::unique_ptr<File> OpenRead(const std::string& path) = 0;
  // Creates a file for writing, truncating an existing one; nullptr on failure.
  virtual std::unique_ptr<File> Create(const std::string& path) = 0;
  // Deletes a regular file (a failed conversion's partial output); false if it
  // could not be removed. Anything else the path names, such as a device, is
  // left alone.
  virtual bool Remove(const std::string& path) = 0;
  // True when both paths name one existing file (through links or another
  // spelling). False when either does not exist.
  virtual bool SameFile(const std::string& a, const std::string& b) = 0;
};

// The platform's file system. Stateless; safe to share.
FileSystem& RealFileSystem();

}  // namespace tessaro
