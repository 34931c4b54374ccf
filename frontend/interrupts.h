#pragma once
// Stopping a command-line run part-way (Ctrl+C, kill, a closed terminal):
// the new file a conversion is writing is removed, the output path keeps what
// it held, and one line on standard error says that the conversion stopped.

#include <memory>
#include <string>

#include "engine/file_io.h"
#include "frontend/stop_scope.h"

namespace tessaro {

// Installs the handlers for the whole process; stoppedMessage (a text in
// static storage) is what a stop writes to standard error, before the report
// of the moment the run is at (frontend/stop_scope.h) on standard output.
// When and whether a stop takes effect is the stop scope's. POSIX: SIGINT,
// SIGTERM and SIGHUP end the program with 130, 143 and 129 (unless whoever
// started it ignores them, as nohup does); a system call they interrupt
// while a stop waits is restarted; SIGPIPE and SIGXFSZ are ignored, so that
// a closed standard stream never stops a conversion and a file-size limit is
// an ordinary write error. Windows: Ctrl+C, Ctrl+Break (130) and closing the
// console (129).
void InstallInterruptHandlers(const char* stoppedMessage);

// The new file a stop must remove, from its creation until it has been put in
// place or removed. Platform code; the path is kept where a handler can read it
// (on POSIX its folder held open, so that a stop removes the file from that
// folder even when it has been renamed meanwhile). The second form names the
// file by its name in a destination's folder (on POSIX the very folder the destination
// holds).
void RememberNewFile(const std::string& path);
void RememberNewFile(const Destination& destination, const std::string& name);
void ForgetNewFile();

// A FileSystem that passes every call on to another and tells the stop
// handling what the conversion is doing: each new file while it is being
// written, and the moments of the run's stop scope (frontend/stop_scope.h)
// that happen inside a conversion.
class WatchedFileSystem final : public FileSystem {
 public:
  explicit WatchedFileSystem(FileSystem& inner) : inner_(inner) {}
  ~WatchedFileSystem() override { ForgetNewFile(); }

  std::unique_ptr<File> OpenRead(const std::string& path) override {
    std::unique_ptr<File> file = inner_.OpenRead(path);
    if (file) StopScope::FileOpened(path, *file);
    return file;
  }
  PathInfo Stat(const std::string& path) override { return inner_.Stat(path); }
  std::string ResolveLinks(const std::string& path) override { return inner_.ResolveLinks(path); }
  std::unique_ptr<Destination> Resolve(const std::string& path,
                                       DestinationRefusal* refusal) override {
    std::unique_ptr<Destination> destination = inner_.Resolve(path, refusal);
    if (!destination) return nullptr;
    return std::make_unique<WatchedDestination>(std::move(destination));
  }
  std::string RunTag() override { return inner_.RunTag(); }
  std::string LastErrorText() override { return inner_.LastErrorText(); }
  std::unique_ptr<File> CreateExclusive(const std::string& path, const PathInfo* like) override {
    // Remembered first: a stop between the creation and this call would
    // otherwise leave the file behind.
    RememberNewFile(path);
    std::unique_ptr<File> file = inner_.CreateExclusive(path, like);
    if (!file) ForgetNewFile();
    return file;
  }
  bool Rename(const std::string& from, const std::string& to) override {
    const bool renamed = inner_.Rename(from, to);
    if (renamed) ForgetNewFile();
    return renamed;
  }
  bool Remove(const std::string& path) override {
    const bool removed = inner_.Remove(path);
    ForgetNewFile();
    return removed;
  }
  bool SameFile(const std::string& a, const std::string& b) override {
    return inner_.SameFile(a, b);
  }
  std::optional<FileKey> Identify(const std::string& path) override {
    return inner_.Identify(path);
  }

 private:
  class WatchedAsideFile final : public AsideFile {
   public:
    explicit WatchedAsideFile(std::unique_ptr<AsideFile> inner) : inner_(std::move(inner)) {}
    ~WatchedAsideFile() override {
      inner_.reset();
      ForgetNewFile();
    }
    File& file() override { return inner_->file(); }
    // The conversion's commit: once the output is in place a stop has
    // nothing to remove, and the file is done.
    bool PutInPlace() override {
      StopScope::OutputBeingPlaced();
      const bool placed = inner_->PutInPlace();
      if (placed) {
        ForgetNewFile();
      } else {
        StopScope::OutputNotPlaced();
      }
      return placed;
    }

   private:
    std::unique_ptr<AsideFile> inner_;
  };

  class WatchedDestination final : public ForwardingDestination {
   public:
    using ForwardingDestination::ForwardingDestination;
    // The new file has no name while it is written where the system allows
    // it; else, and for the moment between its naming and the rename, the
    // hidden name in the destination's folder is what a stop removes.
    std::unique_ptr<AsideFile> CreateAside(const std::string& hiddenName,
                                           const PathInfo* like) override {
      RememberNewFile(inner(), hiddenName);
      std::unique_ptr<AsideFile> file = inner().CreateAside(hiddenName, like);
      if (!file) {
        ForgetNewFile();
        return nullptr;
      }
      return std::make_unique<WatchedAsideFile>(std::move(file));
    }
  };

  FileSystem& inner_;
};

// The real file system, watched: the programs' conversions write through it.
inline FileSystem& WatchedRealFileSystem() {
  static WatchedFileSystem watched(RealFileSystem());
  return watched;
}

}  // namespace tessaro
