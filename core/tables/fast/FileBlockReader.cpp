#include "tables/fast/FileBlockReader.h"

#include <algorithm>

namespace sarw {

FileBlockReader::~FileBlockReader() {
    stop();
}

void FileBlockReader::stop() {
    if (threaded_) {
        {
            std::lock_guard lock(mutex_);
            cancel_ = true;
        }
        for (Beside& reader : readers_) reader.join();
        threaded_ = false;
    }
    file_.close();
}

bool FileBlockReader::start(const std::filesystem::path& file, std::uint64_t block,
                            std::uint64_t threadedFrom) {
    stop();
    done_ = 0;
    next_ = 0;
    failed_ = cancel_ = false;
    if (file_.open(file) != 0) return false;
    if (!file_.info().regular || file_.size() == 0) {
        stop();
        return false;
    }
    size_ = file_.size();
    bytes_ = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(size_));
    block_ = std::max<std::uint64_t>(block, 1);
    if (size_ >= threadedFrom) {
        // Two readers take the blocks in turn: most of reading is the system's work of giving
        // the buffer its memory and copying into it, which two processors share.
        arrived_blocks_.assign(static_cast<std::size_t>((size_ + block_ - 1) / block_), false);
        claimed_ = 0;
        // When only one reader starts, it reads every block.
        for (Beside& reader : readers_)
            threaded_ = reader.tryStart([this] { readBlocks(); }) || threaded_;
        if (threaded_) return true;
    }
    block_ = size_;
    arrived_blocks_.assign(1, false);
    claimed_ = 0;
    readBlocks();
    return true;
}

void FileBlockReader::readBlocks() {
    bool ok = true;
    for (std::size_t b; ok && (b = claimed_.fetch_add(1)) < arrived_blocks_.size();) {
        std::uint64_t done = b * block_;
        const std::uint64_t end = std::min(size_, done + block_);
        while (ok && done < end) {
            const long long got =
                file_.readAt(bytes_.get() + done, static_cast<std::size_t>(end - done), done);
            ok = got > 0;
            if (ok) done += static_cast<std::uint64_t>(got);
        }
        std::lock_guard lock(mutex_);
        if (!ok) {
            failed_ = true;
        } else {
            arrived_blocks_[b] = true;
            while (next_ < arrived_blocks_.size() && arrived_blocks_[next_]) ++next_;
            done_ = std::min(size_, next_ * block_);
        }
        if (cancel_ || failed_) ok = false;
        arrived_.notify_all();
    }
}

std::uint64_t FileBlockReader::wait(std::uint64_t end) {
    end = std::min(end, size_);
    std::unique_lock lock(mutex_);
    arrived_.wait(lock, [&] { return done_ >= end || failed_; });
    return done_;
}

bool FileBlockReader::finish(std::unique_ptr<char[]>& bytes) {
    const bool ok = wait(size_) == size_ && size_ > 0;
    stop();
    if (ok) bytes = std::move(bytes_);
    return ok;
}

} // namespace sarw
