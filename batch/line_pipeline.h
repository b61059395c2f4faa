// The batch engine: one piece of work run over every line of a stream on several threads, with
// the results written in input order.
//
// The input is cut into blocks of whole lines (about kBlockBytes each). N workers, the calling
// thread one of them, each read the next block in turn, turn its lines into output, and write
// the outputs of the blocks finished so far in sequence; no thread only reads or only writes,
// so N workers keep N cores busy. At most 2 * N + 2 blocks are in flight, so memory stays flat
// whatever the length of the input: about (2 * N + 2) * 2 * kBlockBytes, plus the longest line
// (a line longer than a block is read whole into one block). A line longer than kMaxLineBytes
// stops the run as a reading error naming the line, so an endless line (/dev/zero) cannot
// exhaust memory.
//
// Lines end with "\n"; one "\r" before it is dropped, and so is nothing else. A last line
// without "\n" is a line. Empty lines are counted but not handed to the work: they produce no
// output. Lines are numbered from 1.
//
// Threads: at most kMaxThreads. When the system refuses to start a thread (a process or
// container limit), the work goes on with the threads started, the calling thread at least.
//
// Thread-safety: run() may be called from any thread; `work` is called from several threads at
// once (never twice at once for the same line) and must be safe for that.
#ifndef ZELTO_BATCH_LINE_PIPELINE_H_
#define ZELTO_BATCH_LINE_PIPELINE_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace zelto::batch {

inline constexpr std::size_t kBlockBytes = 64 * 1024;
// The most threads a run uses, whatever is asked.
inline constexpr unsigned kMaxThreads = 1024;
// The longest line read: that of the largest input the library takes (16 MiB).
inline constexpr std::size_t kMaxLineBytes = 16 * 1024 * 1024;

// The work on one line numbered `number`: appends its output (whole lines, each ending in "\n")
// to `out` and returns false when the line failed.
using LineFunction =
    std::function<bool(std::string_view line, std::uint64_t number, std::string& out)>;

struct RunResult {
  std::uint64_t lines = 0;   // lines read, empty ones included
  std::uint64_t failed = 0;  // lines whose work returned false
  // Whether reading or writing stopped, and why: the system's reason ("Is a directory",
  // "Broken pipe"), or "line N is longer than 16777216 bytes". Output written before the error
  // stays written.
  enum class Stop { kNone, kReading, kWriting };
  Stop stop = Stop::kNone;
  std::string reason;
};

// The number of threads `requested` stands for: itself, or the processor's cores for 0 (at
// least 1), and no more than kMaxThreads.
unsigned threadCount(unsigned requested);

// Reads `inputFd` to its end, runs `work` on each line on threadCount(threads) worker threads
// and writes the outputs to `outputFd` in line order. Neither descriptor is closed.
RunResult run(int inputFd, int outputFd, const LineFunction& work, unsigned threads = 0);

// Calls `work(begin, end)` over consecutive ranges covering [0, count) on up to
// threadCount(threads) threads, the calling thread among them, and returns when all are done.
void forEachRange(std::size_t count, unsigned threads,
                  const std::function<void(std::size_t begin, std::size_t end)>& work);

}  // namespace zelto::batch

#endif  // ZELTO_BATCH_LINE_PIPELINE_H_
