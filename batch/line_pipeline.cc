#include "batch/line_pipeline.h"

#include <errno.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace zelto::batch {
namespace {

struct Block {
  std::uint64_t sequence = 0;
  std::uint64_t firstLine = 0;
  std::string input;  // whole lines
  std::string output;
  std::uint64_t failed = 0;
};

// Runs `work` on the lines of `block`, filling its output.
void processBlock(Block& block, const LineFunction& work) {
  block.output.clear();
  block.failed = 0;
  const char* cursor = block.input.data();
  const char* const end = cursor + block.input.size();
  std::uint64_t number = block.firstLine;
  while (cursor < end) {
    const char* newline = static_cast<const char*>(std::memchr(cursor, '\n', end - cursor));
    const char* lineEnd = newline ? newline : end;
    std::string_view line(cursor, lineEnd - cursor);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (!line.empty() && !work(line, number, block.output)) ++block.failed;
    ++number;
    cursor = lineEnd + 1;
  }
}

std::uint64_t countLines(std::string_view text) {
  if (text.empty()) return 0;
  std::uint64_t count = text.back() == '\n' ? 0 : 1;
  for (const char* at = text.data();
       const void* found = std::memchr(at, '\n', text.data() + text.size() - at);
       at = static_cast<const char*>(found) + 1) {
    ++count;
  }
  return count;
}

// Splits the input of a descriptor into blocks of whole lines.
class BlockReader {
 public:
  enum class Outcome { kBlock, kEnd, kError };

  explicit BlockReader(int fd) : fd_(fd) {}

  // Fills `block` with the next lines, its sequence and first line number; kEnd when the input
  // is done (the block is not filled), kError with error() set when a read failed.
  Outcome next(Block& block) {
    if (atEnd_) return Outcome::kEnd;
    block.input.swap(carry_);
    carry_.clear();
    // A block ends after its last line break; a line longer than a block grows it, up to
    // kMaxLineBytes.
    std::size_t want = std::max(kBlockBytes, block.input.size() + kBlockBytes / 2);
    std::size_t lastBreak = std::string::npos;
    while (true) {
      if (!fill(block.input, want)) return Outcome::kError;
      lastBreak = block.input.rfind('\n');
      if (atEnd_ || lastBreak != std::string::npos) break;
      if (block.input.size() > kMaxLineBytes) {
        error_ = "line " + std::to_string(nextLine_) + " is longer than " +
                 std::to_string(kMaxLineBytes) + " bytes";
        return Outcome::kError;
      }
      want = std::min(block.input.size() * 2, kMaxLineBytes + 1);
    }
    if (!atEnd_) {
      carry_.assign(block.input, lastBreak + 1);
      block.input.resize(lastBreak + 1);
    }
    if (block.input.empty()) return Outcome::kEnd;
    block.sequence = sequence_++;
    block.firstLine = nextLine_;
    nextLine_ += countLines(block.input);
    return Outcome::kBlock;
  }

  // Why reading stopped: the system's reason, or the line that was too long.
  const std::string& error() const { return error_; }
  std::uint64_t blocksRead() const { return sequence_; }
  std::uint64_t linesRead() const { return nextLine_ - 1; }

 private:
  // Reads into `text` after its current contents until it holds at least `want` bytes or the
  // input ends; false on a read error.
  bool fill(std::string& text, std::size_t want) {
    while (text.size() < want) {
      const std::size_t old = text.size();
      text.resize(want);
      const ssize_t got = ::read(fd_, text.data() + old, want - old);
      text.resize(old + std::max<ssize_t>(got, 0));
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        error_ = std::strerror(errno);
        return false;
      }
      if (got == 0) {
        atEnd_ = true;
        return true;
      }
    }
    return true;
  }

  const int fd_;
  std::string carry_;  // the start of a line the last block did not end
  bool atEnd_ = false;
  std::string error_;
  std::uint64_t sequence_ = 0;
  std::uint64_t nextLine_ = 1;
};

// Writes all of `text` to `fd`; the error number, or 0.
int writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return errno;
    text.remove_prefix(written);
  }
  return 0;
}

void stopOn(RunResult& result, RunResult::Stop where, std::string reason) {
  result.stop = where;
  result.reason = std::move(reason);
}

// One thread: read a block, work on it, write it, and again.
RunResult runInline(int inputFd, int outputFd, const LineFunction& work) {
  RunResult result;
  BlockReader reader(inputFd);
  Block block;
  while (true) {
    const BlockReader::Outcome outcome = reader.next(block);
    if (outcome == BlockReader::Outcome::kError) {
      stopOn(result, RunResult::Stop::kReading, reader.error());
      return result;
    }
    if (outcome == BlockReader::Outcome::kEnd) break;
    processBlock(block, work);
    if (const int error = writeAll(outputFd, block.output)) {
      stopOn(result, RunResult::Stop::kWriting, std::strerror(error));
      return result;
    }
    result.failed += block.failed;
  }
  result.lines = reader.linesRead();
  return result;
}

// Several threads: a reader, `threads` workers and the writer (the calling thread), handing
// blocks on through queues; the writer keeps the order.
class Pipeline {
 public:
  Pipeline(int inputFd, int outputFd, const LineFunction& work, unsigned threads)
      : reader_(inputFd), outputFd_(outputFd), work_(work), threads_(threads) {
    for (unsigned i = 0; i < 2 * threads + 2; ++i) {
      blocks_.push_back(std::make_unique<Block>());
      free_.push_back(blocks_.back().get());
    }
  }

  RunResult run() {
    std::thread reader([this] { read(); });
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < threads_; ++i) workers.emplace_back([this] { processBlocks(); });
    write();
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    freed_.notify_all();
    queued_.notify_all();
    reader.join();
    for (auto& worker : workers) worker.join();
    return result_;
  }

 private:
  void stopWithError(RunResult::Stop where, std::string reason) {
    std::lock_guard lock(mutex_);
    if (result_.stop == RunResult::Stop::kNone) stopOn(result_, where, std::move(reason));
    stop_ = true;
    freed_.notify_all();
    queued_.notify_all();
    done_.notify_all();
  }

  void read() {
    while (true) {
      Block* block;
      {
        std::unique_lock lock(mutex_);
        freed_.wait(lock, [this] { return stop_ || !free_.empty(); });
        if (stop_) return;
        block = free_.front();
        free_.pop_front();
      }
      const BlockReader::Outcome outcome = reader_.next(*block);
      if (outcome == BlockReader::Outcome::kError) {
        stopWithError(RunResult::Stop::kReading, reader_.error());
        return;
      }
      if (outcome == BlockReader::Outcome::kEnd) break;
      {
        std::lock_guard lock(mutex_);
        queue_.push_back(block);
      }
      queued_.notify_one();
    }
    std::lock_guard lock(mutex_);
    totalBlocks_ = reader_.blocksRead();
    totalLines_ = reader_.linesRead();
    readingDone_ = true;
    queued_.notify_all();
    done_.notify_all();
  }

  void processBlocks() {
    while (true) {
      Block* block;
      {
        std::unique_lock lock(mutex_);
        queued_.wait(lock, [this] { return stop_ || readingDone_ || !queue_.empty(); });
        if (stop_ || queue_.empty()) return;
        block = queue_.front();
        queue_.pop_front();
      }
      processBlock(*block, work_);
      {
        std::lock_guard lock(mutex_);
        finished_.emplace(block->sequence, block);
      }
      done_.notify_all();
    }
  }

  void write() {
    for (std::uint64_t next = 0;; ++next) {
      Block* block;
      {
        std::unique_lock lock(mutex_);
        done_.wait(lock, [&] {
          return stop_ || finished_.contains(next) || (readingDone_ && next == totalBlocks_);
        });
        if (stop_) return;
        if (readingDone_ && next == totalBlocks_) {
          result_.lines = totalLines_;
          return;
        }
        block = finished_.extract(next).mapped();
      }
      if (const int error = writeAll(outputFd_, block->output)) {
        stopWithError(RunResult::Stop::kWriting, std::strerror(error));
        return;
      }
      {
        std::lock_guard lock(mutex_);
        result_.failed += block->failed;
        free_.push_back(block);
      }
      freed_.notify_one();
    }
  }

  BlockReader reader_;
  const int outputFd_;
  const LineFunction& work_;
  const unsigned threads_;
  std::vector<std::unique_ptr<Block>> blocks_;

  std::mutex mutex_;
  std::condition_variable freed_;   // a block returned to free_, or stop_
  std::condition_variable queued_;  // a block in queue_, reading done, or stop_
  std::condition_variable done_;    // a block in finished_, reading done, or stop_
  std::deque<Block*> free_;
  std::deque<Block*> queue_;
  std::map<std::uint64_t, Block*> finished_;
  bool readingDone_ = false;
  bool stop_ = false;
  std::uint64_t totalBlocks_ = 0;
  std::uint64_t totalLines_ = 0;
  RunResult result_;
};

}  // namespace

unsigned threadCount(unsigned requested) {
  if (requested > 0) return requested;
  return std::max(1u, std::thread::hardware_concurrency());
}

RunResult run(int inputFd, int outputFd, const LineFunction& work, unsigned threads) {
  const unsigned count = threadCount(threads);
  if (count == 1) return runInline(inputFd, outputFd, work);
  return Pipeline(inputFd, outputFd, work, count).run();
}

void forEachRange(std::size_t count, unsigned threads,
                  const std::function<void(std::size_t begin, std::size_t end)>& work) {
  const std::size_t parts = std::min<std::size_t>(threadCount(threads), count);
  if (parts <= 1) {
    if (count > 0) work(0, count);
    return;
  }
  std::vector<std::thread> helpers;
  const auto bound = [&](std::size_t part) { return count * part / parts; };
  for (std::size_t part = 1; part < parts; ++part) {
    helpers.emplace_back([&, part] { work(bound(part), bound(part + 1)); });
  }
  work(0, bound(1));
  for (auto& helper : helpers) helper.join();
}

}  // namespace zelto::batch
