#include "tables/formats/PacketStream.h"

#include "platform/FileWrite.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace sarw {

namespace {

constexpr std::size_t kChunk = 1u << 20;
constexpr std::size_t kSinkBlock = 4u << 20;
constexpr std::uint64_t kSyncStep = 8u << 20;

} // namespace

PacketSource::PacketSource(std::string_view bytes)
    : cur_(reinterpret_cast<const unsigned char*>(bytes.data())), end_(cur_ + bytes.size()),
      total_(bytes.size()) {}

PacketSource::PacketSource(const InputFile& file) : total_(file.size()), file_(&file) {}

PacketSource::~PacketSource() {
    std::free(buf_);
}

bool PacketSource::refill(std::size_t n) {
    if (!file_ || readFailed_ || n > remaining()) return false;
    const std::size_t have = static_cast<std::size_t>(end_ - cur_);
    // Never hold more than a chunk or the one value that needs more, and never more than remains.
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(std::max(n, kChunk), remaining()));
    if (want > cap_) {
        auto* grown = static_cast<unsigned char*>(std::malloc(want));
        if (!grown) return false;
        if (have) std::memcpy(grown, cur_, have);
        std::free(buf_);
        buf_ = grown;
        cap_ = want;
    } else if (have && cur_ != buf_) {
        std::memmove(buf_, cur_, have);
    }
    cur_ = buf_;
    end_ = buf_ + have;
    std::size_t filled = have;
    while (filled < want) {
        // The bytes buffered lie just past those consumed.
        const long long got = file_->readAt(buf_ + filled, want - filled, consumed_ + filled);
        if (got <= 0) {
            readFailed_ = true;
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    end_ = buf_ + filled;
    return n <= filled;
}

PacketSink::PacketSink() {
    cap_ = 64 * 1024;
    buf_.resize(cap_);
}

PacketSink::PacketSink(OutputFile& file, bool durable) : file_(&file), durable_(durable) {
    // Grows to the full block only for a file that needs it: a small table costs no large buffer.
    cap_ = 64 * 1024;
    buf_.resize(cap_);
}

PacketSink::~PacketSink() {
    settle();
}

void PacketSink::settle() {
    pending_.join();
}

void PacketSink::makeRoom(std::size_t n) {
    if (file_ && cap_ < kSinkBlock && len_ + n <= kSinkBlock) {
        cap_ = std::min(kSinkBlock, std::max(cap_ * 4, len_ + n));
        buf_.resize(cap_);
        return;
    }
    if (file_) {
        // The full block is written beside the filling of the next one.
        cap_ = std::max(cap_, kSinkBlock);
        settle();
        if (error_ == 0 && len_ > 0) {
            buf_.swap(spare_);
            const std::size_t len = len_;
            pending_.start([this, len] { writeBlock(spare_.data(), len); });
        }
        len_ = 0;
        if (buf_.size() < cap_) buf_.resize(cap_);
        if (n <= cap_) return;
    }
    cap_ = std::max(cap_ * 2, len_ + n);
    buf_.resize(cap_);
}

void PacketSink::writeBlock(const char* data, std::size_t n) {
    if (error_ != 0) return;
    if (!file_->write(data, n)) {
        error_ = file_->error();
        return;
    }
    written_ += n;
    // Start writing back what is written, so the final flush to disk has little left to do.
    if (durable_ && written_ - syncStarted_ >= kSyncStep) {
        file_->startWriteBack(syncStarted_, written_ - syncStarted_);
        syncStarted_ = written_;
    }
}

bool PacketSink::flush() {
    if (!file_) return error_ == 0;
    settle();
    if (error_ == 0) writeBlock(buf_.data(), len_);
    len_ = 0;
    return error_ == 0;
}

std::string PacketSink::take() {
    buf_.resize(len_);
    std::string out = std::move(buf_);
    buf_.clear();
    len_ = cap_ = 0;
    return out;
}

} // namespace sarw
