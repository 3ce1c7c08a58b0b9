#include "tables/records/DatStream.h"

#include <algorithm>
#include <cstring>

namespace sarw {

namespace {

constexpr std::size_t kBuffer = 1u << 18;

} // namespace

int DatStream::open(const std::filesystem::path& file, Mode mode, Durability durability) {
    close();
    int err = 0;
    if (mode == Mode::Create) err = out_.create(file);
    if (mode == Mode::ReadWrite) err = out_.openExisting(file);
    if (mode == Mode::Replace) {
        err = replacement_.open(file, durability);
        replacing_ = err == 0;
    }
    if (!err) err = in_.open(replacing_ ? replacement_.temporary() : file);
    if (err) {
        close();
        return err;
    }
    // Not cleared: only bytes read or written are ever taken from it.
    buf_ = std::make_unique_for_overwrite<char[]>(kBuffer);
    return 0;
}

bool DatStream::read(char* into, std::size_t n) {
    if (!in_.isOpen() || !flush()) return false;
    while (n > 0) {
        if (at_ < bufAt_ || at_ >= bufAt_ + bufLen_) {
            const long long got = in_.readAt(buf_.get(), kBuffer, at_);
            bufAt_ = at_;
            bufLen_ = got > 0 ? static_cast<std::size_t>(got) : 0;
            if (got <= 0) return false;
        }
        const std::size_t from = static_cast<std::size_t>(at_ - bufAt_);
        const std::size_t k = std::min(n, bufLen_ - from);
        std::memcpy(into, buf_.get() + from, k);
        into += k;
        n -= k;
        at_ += k;
    }
    return true;
}

bool DatStream::write(const char* data, std::size_t n) {
    if (!output().isOpen()) return false;
    // Bytes read ahead are no longer what the file holds from here on.
    if (!dirty_ || at_ != bufAt_ + bufLen_) {
        if (!flush()) return false;
        bufAt_ = at_;
        bufLen_ = 0;
    }
    while (n > 0) {
        if (bufLen_ == kBuffer && !flush()) return false;
        const std::size_t k = std::min(n, kBuffer - bufLen_);
        std::memcpy(buf_.get() + bufLen_, data, k);
        dirty_ = true;
        bufLen_ += k;
        data += k;
        n -= k;
        at_ += k;
    }
    return true;
}

bool DatStream::flush() {
    if (!dirty_) return output().error() == 0;
    dirty_ = false;
    const bool ok = output().writeAt(buf_.get(), bufLen_, bufAt_);
    bufAt_ += bufLen_;
    bufLen_ = 0;
    return ok;
}

bool DatStream::close() {
    const bool ok = flush();
    in_.close();
    const bool closed = out_.close();
    out_ = OutputFile();
    if (replacing_) replacement_.abandon();
    replacing_ = false;
    buf_.reset();
    at_ = bufAt_ = 0;
    bufLen_ = 0;
    return ok && closed;
}

bool DatStream::commit() {
    if (!replacing_) return close();
    const bool ok = flush() && replacement_.commit() == 0;
    return close() && ok;
}

} // namespace sarw
