#pragma once
// Where a stop (Ctrl+C, kill, a closed terminal: frontend/interrupts.h) may
// cut into a run of files, said in one place. Every run goes through these
// moments, and a stop at each does this:
//
//   the run begins          waits until the run is ready: it knows what it
//                           is to report (it is still reading its options)
//   the run is ready        ends the program with the run's report (under
//                           --json: the summary of no file)
//   a file begins           removes the file's new output and ends the
//                           program; under --json the report says the file
//                           stopped
//   its output is being     waits: once the output is in place the file is
//   put in place            done, and a stop that waited takes effect when
//                           it is reported (or at once, when it was not put
//                           in place)
//   the file ends           waits while its outcome is reported
//   it has been reported    ends the program with the report of the files
//                           done
//   the run is done         waits and is dropped: the program ends with the
//                           run's own status
//
// Every program's runs use it: the console's forms, the dialog program's
// command-line run and the conversions of its window. A line of a report
// being written is written whole first (WholeLine).

#include <cstdint>
#include <string>

#include "engine/file_io.h"

namespace tessaro {

// In a stop's report (the text given for a moment), the bytes that a stop
// writes as its exit status in decimal, and as the size of the file's input
// once it has been opened ("null" before).
inline constexpr char kStopStatusMark = '\x01';
inline constexpr char kStopInputSizeMark = '\x02';

class StopScope {
 public:
  // The run begins: a stop waits until it is ready or its first file
  // begins. A scope made while another is in effect leaves everything to
  // that one.
  StopScope();
  // A run that did not end the program (no RunDone, as in a window that goes
  // on): a stop takes effect at once again.
  ~StopScope();
  StopScope(const StopScope&) = delete;
  StopScope& operator=(const StopScope&) = delete;

  // The run knows what it is: report is what a stop writes to standard
  // output until its first file begins (empty: nothing). A stop that waited
  // takes effect now, with it.
  void Ready(const std::string& report);
  // The file with this input begins; report is what a stop writes from now
  // until the file has been reported.
  void FileBegins(const std::string& input, const std::string& report);
  // The file's outcome is known: a stop waits until it has been reported.
  void FileEnds();
  // The file has been reported; report is what a stop writes from now until
  // the next file begins. A stop that waited takes effect now, with it.
  void FileReported(const std::string& report);
  // The run is done and the program ends with its status: a stop from now
  // on waits and is dropped as the program ends (or as another run begins).
  void RunDone();

  // The moments inside a conversion, told by the file seam (frontend/
  // interrupts.h) for the run in effect; nothing outside a run.
  // A file was opened for reading: when it is the file's input, its size is
  // what a stop reports.
  static void FileOpened(const std::string& path, File& file);
  static void OutputBeingPlaced();
  static void OutputNotPlaced();

 private:
  bool inEffect_;
};

// A line of a report being written to standard output or error: a stop
// waits until it has been written whole.
class WholeLine {
 public:
  WholeLine();
  ~WholeLine();
  WholeLine(const WholeLine&) = delete;
  WholeLine& operator=(const WholeLine&) = delete;
};

}  // namespace tessaro
