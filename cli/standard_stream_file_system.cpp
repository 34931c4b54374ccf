// "-" served from the standard streams through unnamed files.
#include "cli/standard_stream_file_system.h"

#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "cli/run_options.h"
#include "frontend/stop_scope.h"

namespace tessaro::cli {
namespace {

// All of from, from where it stands to its end, appended to to.
bool CopyAll(File& from, File& to) {
  std::vector<uint8_t> buffer(size_t{1} << 20);
  for (;;) {
    size_t got = 0;
    if (!from.Read(buffer.data(), buffer.size(), &got)) return false;
    if (got == 0) return true;
    if (!to.Write(buffer.data(), got)) return false;
  }
}

// A reader of the input read once, with a position of its own: each opening
// of "-" reads it from its start.
class InputView final : public File {
 public:
  explicit InputView(std::shared_ptr<File> input) : input_(std::move(input)) {}
  bool Read(uint8_t* buf, size_t n, size_t* got) override {
    *got = 0;
    if (!input_->Seek(position_) || !input_->Read(buf, n, got)) return false;
    position_ += *got;
    return true;
  }
  bool Write(const uint8_t*, size_t) override { return false; }
  bool Seek(uint64_t offset) override {
    position_ = offset;
    return true;
  }
  bool Size(uint64_t* size) override { return input_->Size(size); }
  bool Truncate(uint64_t) override { return false; }
  bool Sync() override { return true; }
  bool Close() override { return true; }

 private:
  std::shared_ptr<File> input_;
  uint64_t position_ = 0;
};

// The new file of "-" written: put in place, it is copied to standard output.
class SpooledOutput final : public AsideFile {
 public:
  SpooledOutput(std::unique_ptr<File> spool, StandardStreamFileSystem& fs)
      : spool_(std::move(spool)), fs_(fs) {}
  File& file() override { return *spool_; }
  bool PutInPlace() override { return fs_.Deliver(*spool_); }

 private:
  std::unique_ptr<File> spool_;
  StandardStreamFileSystem& fs_;
};

// Standard output as a destination: nothing there to check or replace.
class OutputDestination final : public Destination {
 public:
  explicit OutputDestination(StandardStreamFileSystem& fs) : fs_(fs) {}
  const PathInfo& info() const override { return info_; }
  const std::string& name() const override { return name_; }
  bool Holds(const std::string&) override { return false; }
  std::unique_ptr<File> OpenFound() override { return nullptr; }
  std::unique_ptr<AsideFile> CreateAside(const std::string&, const PathInfo*) override {
    std::unique_ptr<File> spool = fs_.CreateOutputSpool();
    if (!spool) return nullptr;
    return std::make_unique<SpooledOutput>(std::move(spool), fs_);
  }
  bool Exists(const std::string&) override { return false; }
  std::string PathOf(const std::string& name) const override { return name; }

 private:
  StandardStreamFileSystem& fs_;
  const PathInfo info_;
  const std::string name_{kStandardStream};
};

// A named destination that knows "-" as the input: it holds standard input's
// file when it is the very file found.
class NamedDestination final : public ForwardingDestination {
 public:
  NamedDestination(std::unique_ptr<Destination> inner, StandardStreams& streams)
      : ForwardingDestination(std::move(inner)), streams_(streams) {}
  bool Holds(const std::string& path) override {
    if (path != kStandardStream) return inner().Holds(path);
    const std::string input = streams_.InputPath();
    return !input.empty() && inner().Holds(input);
  }

 private:
  StandardStreams& streams_;
};

}  // namespace

StandardStreamFileSystem::StandardStreamFileSystem(FileSystem& inner, StandardStreams& streams,
                                                   bool writesOutput)
    : inner_(inner), streams_(streams) {
  if (!writesOutput) return;
  output_ = streams_.TakeOutput();
  if (!output_) outputError_ = inner_.LastErrorText();
}

std::unique_ptr<File> StandardStreamFileSystem::OpenRead(const std::string& path) {
  if (path != kStandardStream) return inner_.OpenRead(path);
  ownError_.reset();
  if (!input_ && !inputError_) {
    bool whole = false;
    std::unique_ptr<File> in = streams_.Input(&whole);
    std::unique_ptr<File> spool = in && !whole ? streams_.CreateSpool() : nullptr;
    if (in && whole) {
      input_ = std::move(in);
    } else if (spool && CopyAll(*in, *spool)) {
      input_ = std::move(spool);
    } else {
      inputError_ = inner_.LastErrorText();
    }
  }
  if (!input_) {
    ownError_ = inputError_;
    return nullptr;
  }
  std::unique_ptr<File> view = std::make_unique<InputView>(input_);
  // A stop reports the input's size from here, as for a file just opened.
  StopScope::FileOpened(path, *view);
  return view;
}

Direction StandardStreamFileSystem::InputDirection() {
  std::unique_ptr<File> input = OpenRead(std::string(kStandardStream));
  std::array<uint8_t, 12> head{};
  size_t got = 0;
  const bool wav = input && input->Read(head.data(), head.size(), &got) && got == head.size() &&
                   std::memcmp(head.data(), "RIFF", 4) == 0 &&
                   std::memcmp(head.data() + 8, "WAVE", 4) == 0;
  return wav ? Direction::kWavToAac : Direction::kAacToWav;
}

std::unique_ptr<Destination> StandardStreamFileSystem::Resolve(const std::string& path,
                                                               DestinationRefusal* refusal) {
  ownError_.reset();
  if (path != kStandardStream) {
    std::unique_ptr<Destination> found = inner_.Resolve(path, refusal);
    if (!found) return nullptr;
    return std::make_unique<NamedDestination>(std::move(found), streams_);
  }
  *refusal = DestinationRefusal::kNone;
  if (!output_) {
    *refusal = DestinationRefusal::kUnreachable;
    ownError_ = outputError_.value_or(std::string());
    return nullptr;
  }
  return std::make_unique<OutputDestination>(*this);
}

std::unique_ptr<File> StandardStreamFileSystem::CreateOutputSpool() {
  ownError_.reset();
  std::unique_ptr<File> spool = streams_.CreateSpool();
  if (!spool) Failed();
  return spool;
}

bool StandardStreamFileSystem::Deliver(File& spool) {
  ownError_.reset();
  // Taken once: a second delivery has nowhere to go.
  const std::unique_ptr<File> output = std::move(output_);
  if (!output || !spool.Seek(0) || !CopyAll(spool, *output) || !output->Close()) {
    Failed();
    return false;
  }
  return true;
}

}  // namespace tessaro::cli
