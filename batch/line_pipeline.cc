#include "batch/line_pipeline.h"

#include <errno.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace zelto::batch {
namespace {

// Starts `count` threads running `body`, as many as the system gives: a thread it refuses to
// start is left out, and the work is shared by those that run.
void startThreads(std::vector<std::thread>& threads, std::size_t count,
                  const std::function<void(std::size_t index)>& body) {
  for (std::size_t index = 0; index < count; ++index) {
    try {
      threads.emplace_back(body, index);
    } catch (const std::system_error&) {
      return;
    }
  }
}

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

// Workers that take turns at the stream: each reads the next block (one reader at a time, in
// order), works on it, and leaves it with the finished blocks; whichever worker finds the next
// block to write among them writes it, and every one after it that is finished too. No thread
// only waits on the stream, so on N cores N workers keep them busy; with one worker this is
// read, work, write, and again.
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
    std::vector<std::thread> helpers;
    startThreads(helpers, threads_ - 1, [this](std::size_t) { workOnBlocks(); });
    workOnBlocks();
    for (auto& helper : helpers) helper.join();
    if (result_.stop == RunResult::Stop::kNone) result_.lines = reader_.linesRead();
    return result_;
  }

 private:
  void workOnBlocks() {
    while (Block* block = nextBlock()) {
      processBlock(*block, work_);
      finish(block);
    }
  }

  // A free block filled with the next lines, or nullptr when the input is done or the run
  // stopped.
  Block* nextBlock() {
    Block* block;
    {
      std::unique_lock lock(mutex_);
      freed_.wait(lock, [this] { return stop_ || readingDone_ || !free_.empty(); });
      if (stop_ || readingDone_) return nullptr;
      block = free_.back();
      free_.pop_back();
    }
    std::lock_guard reading(readMutex_);
    const BlockReader::Outcome outcome = reader_.next(*block);
    std::lock_guard lock(mutex_);
    if (outcome == BlockReader::Outcome::kBlock) return block;
    free_.push_back(block);
    if (outcome == BlockReader::Outcome::kError) {
      stopWith(RunResult::Stop::kReading, reader_.error());
    } else {
      readingDone_ = true;
      freed_.notify_all();
    }
    return nullptr;
  }

  // Leaves `block` with the finished ones and, unless another worker is writing, writes those
  // that are next in order.
  void finish(Block* block) {
    std::unique_lock lock(mutex_);
    finished_.emplace(block->sequence, block);
    if (writing_) return;
    writing_ = true;
    for (auto next = finished_.find(nextToWrite_); !stop_ && next != finished_.end();
         next = finished_.find(nextToWrite_)) {
      Block* const ready = next->second;
      finished_.erase(next);
      lock.unlock();
      const int error = writeAll(outputFd_, ready->output);
      lock.lock();
      if (error != 0) {
        stopWith(RunResult::Stop::kWriting, std::strerror(error));
        break;
      }
      result_.failed += ready->failed;
      ++nextToWrite_;
      free_.push_back(ready);
      freed_.notify_one();
    }
    writing_ = false;
  }

  // Stops the run with its first reason; mutex_ is held.
  void stopWith(RunResult::Stop where, std::string reason) {
    if (result_.stop == RunResult::Stop::kNone) {
      result_.stop = where;
      result_.reason = std::move(reason);
    }
    stop_ = true;
    freed_.notify_all();
  }

  BlockReader reader_;
  const int outputFd_;
  const LineFunction& work_;
  const unsigned threads_;
  std::vector<std::unique_ptr<Block>> blocks_;

  std::mutex readMutex_;  // held while a worker reads: blocks are read one at a time, in order
  std::mutex mutex_;      // everything below
  std::condition_variable freed_;  // a block returned to free_, reading done, or stop_
  std::vector<Block*> free_;
  std::map<std::uint64_t, Block*> finished_;
  std::uint64_t nextToWrite_ = 0;
  bool writing_ = false;
  bool readingDone_ = false;
  bool stop_ = false;
  RunResult result_;
};

}  // namespace

unsigned threadCount(unsigned requested) {
  if (requested > 0) return std::min(requested, kMaxThreads);
  return std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
}

RunResult run(int inputFd, int outputFd, const LineFunction& work, unsigned threads) {
  return Pipeline(inputFd, outputFd, work, threadCount(threads)).run();
}

void forEachRange(std::size_t count, unsigned threads,
                  const std::function<void(std::size_t begin, std::size_t end)>& work) {
  const std::size_t parts = std::min<std::size_t>(threadCount(threads), count);
  if (parts <= 1) {
    if (count > 0) work(0, count);
    return;
  }
  // Parts are taken in turn by the threads that started, the calling thread among them.
  std::atomic<std::size_t> next = 0;
  const auto takeParts = [&](std::size_t) {
    for (std::size_t part; (part = next++) < parts;) {
      work(count * part / parts, count * (part + 1) / parts);
    }
  };
  std::vector<std::thread> helpers;
  startThreads(helpers, parts - 1, takeParts);
  takeParts(0);
  for (auto& helper : helpers) helper.join();
}

}  // namespace zelto::batch
