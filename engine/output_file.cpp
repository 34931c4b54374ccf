// The output written aside and put in place by one rename.

#include "engine/output_file.h"

#include <array>
#include <cstring>
#include <utility>

#include "engine/adts.h"
#include "engine/conversion_common.h"
#include "engine/engine_texts.h"

namespace tessaro {
namespace {

// The first bytes of an ADTS stream: a header with the sync word, layer 00, a
// sampling frequency of the table and a length that holds the header.
bool BeginsLikeAdts(const uint8_t* bytes, size_t n) {
  if (n < kAdtsBytesForLength || !IsAdtsSync(bytes[0], bytes[1])) return false;
  const AdtsHeader header = ParseAdtsHeader(bytes);
  return kSamplingFrequencies[header.sampling_frequency_index] != 0 &&
         header.frame_length >= kAdtsHeaderSize;
}

// An ID3v2 tag in front of a stream: "ID3", version, flags, then its size in
// four bytes of seven bits each, not counting the ten bytes of the tag header
// nor the ten-byte footer that a version 4 tag with flag 0x10 has.
constexpr size_t kId3HeaderSize = 10;
constexpr uint8_t kId3FooterFlag = 0x10;
bool Id3TagLength(const uint8_t* bytes, size_t n, uint64_t* length) {
  if (n < kId3HeaderSize || std::memcmp(bytes, "ID3", 3) != 0) return false;
  uint64_t size = 0;
  for (size_t i = 6; i < kId3HeaderSize; ++i) {
    if (bytes[i] & 0x80) return false;
    size = (size << 7) | bytes[i];
  }
  const bool footer = bytes[3] >= 4 && (bytes[5] & kId3FooterFlag) != 0;
  *length = kId3HeaderSize + size + (footer ? kId3HeaderSize : 0);
  return true;
}

// Whether the file found begins like a file of kind: an ADTS header (after
// an ID3 tag, if there is one) or "RIFF" with "WAVE" in bytes 8..11. A file
// that cannot be read is judged of no kind, as before this look existed.
bool BeginsLike(Destination& destination, InputKind kind) {
  std::unique_ptr<File> file = destination.OpenFound();
  if (!file) return false;
  std::array<uint8_t, 12> bytes{};
  size_t got = 0;
  if (!file->Read(bytes.data(), bytes.size(), &got)) return false;
  if (kind == InputKind::kWav) {
    return got >= 12 && std::memcmp(bytes.data(), "RIFF", 4) == 0 &&
           std::memcmp(bytes.data() + 8, "WAVE", 4) == 0;
  }
  uint64_t tagLength = 0;
  if (!Id3TagLength(bytes.data(), got, &tagLength)) return BeginsLikeAdts(bytes.data(), got);
  return file->Seek(tagLength) && file->Read(bytes.data(), kAdtsBytesForLength, &got) &&
         BeginsLikeAdts(bytes.data(), got);
}

}  // namespace

std::unique_ptr<OutputFile> OutputFile::Open(const ConversionRequest& request,
                                             InputKind inputKind, ConversionHost& host,
                                             FileSystem& fs, ConversionResult* result) {
  const EngineTexts& texts = EngineTextsFor(request.language);
  const auto fail = [&](Failure failure, const std::string& reason) {
    *result = Failed(host, failure, FailureMessage(failure, request, reason), std::move(*result));
    return nullptr;
  };
  const auto refuse = [&](const std::string& reason) {
    return fail(Failure::kOutputNotOpenable, reason);
  };
  if (request.outputPath.empty()) return refuse({});
  // The path is looked up once; every check and step below works on what
  // was found then. A link another user may have planted in a shared folder
  // is never followed: it could send the output over any file this user may
  // write.
  DestinationRefusal refusal = DestinationRefusal::kNone;
  std::unique_ptr<Destination> destination = fs.Resolve(request.outputPath, &refusal);
  if (refusal == DestinationRefusal::kPlantedLink) {
    return fail(Failure::kOutputLinkInSharedFolder, {});
  }
  if (!destination) return refuse(fs.LastErrorText());
  const PathInfo& info = destination->info();
  // Writing over the input would destroy it before it is read.
  if (destination->Holds(request.inputPath)) return refuse(texts.outputIsTheInput);
  if (info.kind == PathInfo::Kind::kOther) return refuse(texts.outputNotARegularFile);
  // Another user's file in a shared folder would keep its owner, and so
  // hand this user's output to whoever put it there.
  if (info.othersInSharedFolder) return fail(Failure::kOutputFileOfAnotherUser, {});
  const bool replaces = info.kind == PathInfo::Kind::kRegular;
  if (replaces && !info.writable) return refuse(texts.outputNotWritable);
  if (replaces && BeginsLike(*destination, inputKind)) {
    return fail(inputKind == InputKind::kAdts ? Failure::kOutputIsAac : Failure::kOutputIsWav, {});
  }
  std::unique_ptr<WriteAside> aside = WriteAside::Create(fs, *destination);
  if (!aside) return refuse(fs.LastErrorText());
  return std::unique_ptr<OutputFile>(new OutputFile(std::move(aside), replaces));
}

}  // namespace tessaro
