#pragma once
// Stopping a command-line run part-way (Ctrl+C, kill, a closed terminal):
// the new file a conversion is writing is removed, the output path keeps what
// it held, and one line on standard error says that the conversion stopped.

#include <memory>
#include <string>

#include "engine/file_io.h"

namespace tessaro {

// Installs the handlers for the whole process; stoppedMessage (a text in
// static storage) is what a stop writes to standard error. POSIX: SIGINT, SIGTERM and
// SIGHUP end the program with 130, 143 and 129 (unless whoever started it
// ignores them, as nohup does); SIGPIPE and SIGXFSZ are ignored, so that a
// closed standard stream never stops a conversion and a file-size limit is
// an ordinary write error. Windows: Ctrl+C, Ctrl+Break (130) and closing the
// console (129).
void InstallInterruptHandlers(const char* stoppedMessage);

// What a stop writes to standard output after its line on standard error
// (the console's JSON: the stopped file, the run's summary), until replaced;
// every byte 0x01 in it stands for the stop's exit status in decimal. Empty:
// nothing. A text too long to keep is dropped.
void SetStopReport(const std::string& text);

// The new file a stop must remove, from its creation until it has been put in
// place or removed. Platform code; the path is kept where a handler can read it
// (on POSIX its folder held open, so that a stop removes the file from that
// folder even when it has been renamed meanwhile). The second form names the
// file by its name in a destination's folder (on POSIX the very folder the destination
// holds).
void RememberNewFile(const std::string& path);
void RememberNewFile(const Destination& destination, const std::string& name);
void ForgetNewFile();

// A run whose output is in place is finished: from the moment the new file
// is being put in place until the next conversion starts, a stop waits. When
// the new file did not get into place, or the next conversion starts, a stop
// that waited takes effect then; when the program ends first, its status is
// the run's own and the stop is dropped. True when this call set the hold
// (none was in effect), so that a caller holding stops only for a moment
// releases only its own hold.
bool HoldStops();
void ReleaseStops();

// A FileSystem that passes every call on to another and tells the stop
// handling what the conversion is doing: each new file while it is being
// written, and the moment it is put in place.
class WatchedFileSystem final : public FileSystem {
 public:
  explicit WatchedFileSystem(FileSystem& inner) : inner_(inner) {}
  ~WatchedFileSystem() override { ForgetNewFile(); }

  std::unique_ptr<File> OpenRead(const std::string& path) override {
    ReleaseStops();  // a conversion starts
    return inner_.OpenRead(path);
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
    ReleaseStops();
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
    // nothing to remove, and the run is finished.
    bool PutInPlace() override {
      HoldStops();
      const bool placed = inner_->PutInPlace();
      if (placed) {
        ForgetNewFile();
      } else {
        ReleaseStops();
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
      ReleaseStops();  // a new output: the one before is long in place
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
