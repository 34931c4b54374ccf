// tessaro-cli --check: the conversion run on a file system that discards its
// output; the report is made from the conversion's figures.
#include "cli/check_run.h"

#include <string>

#include "cli/cli_host.h"
#include "cli/cli_texts.h"
#include "cli/discarding_file_system.h"
#include "cli/file_runs.h"
#include "engine/direction.h"
#include "engine/engine_texts.h"
#include "engine/report_text.h"

namespace tessaro::cli {
namespace {

// What a check found, in the report's own words: the input line, the block
// layout of a WAV, the mismatch records, the frames, the flavours of a WAV's
// blocks and the play time.
std::string CheckText(const ConversionRequest& request, const ConversionResult& r) {
  const EngineTexts& engineTexts = EngineTextsFor(request.language);
  const CliTexts& texts = CliTextsFor(request.language);
  const bool wav = DirectionOf(request.inputPath) == Direction::kWavToAac;
  std::string text = engineTexts.inputSize(FormatByteCount(r.inputSize).c_str());
  text.resize(text.size() - 2);  // the ", " that the next field would follow
  if (wav) {
    text += texts.checkWavLayout(static_cast<unsigned long long>(r.dataStart),
                                 FormatByteCount(r.blockLength).c_str());
  }
  if (r.channels >= 0) {  // a frame was taken, whatever its rate (0 Hz for 12..15)
    text += ", " + engineTexts.samplingLineWav(static_cast<int>(r.samplingFrequency), r.channels);
  } else {
    text += "\n";
  }
  if (r.mismatchCount > 0) {
    text += texts.checkMismatchCount(FormatByteCount(r.mismatchCount).c_str());
    for (const MismatchPlace& m : r.mismatches) {
      text += MismatchRecord(m);
    }
    if (r.mismatchCount > r.mismatches.size()) text += "...";
    text += "\n";
  }
  text += texts.checkFrameCount(static_cast<unsigned long long>(r.framesFound));
  // Only blocks of the editors' flavour are named: a WAV of classic blocks
  // keeps the report scripts have always read.
  if (wav && (r.flavours == FlavoursSeen::kEditors || r.flavours == FlavoursSeen::kMixed)) {
    const Text& flavours =
        r.flavours == FlavoursSeen::kEditors ? texts.flavourEditors : texts.flavourMixed;
    text += texts.checkFlavours(flavours.c_str());
  }
  text += TimeLine(engineTexts, r.seconds);
  return ConsoleText(text);
}

}  // namespace

int RunCheck(StopScope& stops, std::vector<std::string> files, const RunOptions& options,
             Console& console, FileSystem& fs) {
  DiscardingFileSystem discarding(fs);
  FileRunForm form;
  form.check = true;
  form.request = [&options](const std::string& file) { return RequestFor(options, file); };
  form.text = [](const FileOutcome& outcome, const std::string&) {
    return CheckText(outcome.request, outcome.result);
  };
  return RunFiles(stops, std::move(files), options, console, discarding, form);
}

}  // namespace tessaro::cli
