#pragma once

// Interface of tables/fast: records of texts put into a binary packet as the table file writer
// stores them, by several threads at once.

#include "tables/fast/ShortCopy.h"
#include "tables/formats/DataPacketFields.h"
#include "tables/formats/PacketStream.h"
#include "tables/model/Table.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace sarw {

// Puts records of texts into a binary packet as the table file writer stores them: a zero
// status, a bitmap of values, and per field the length and the bytes, cut to the field's width,
// an empty text as one zero byte. Holds nothing that changes, so several threads may put
// records at once.
class TextPacker {
public:
    // Usable only when every field of `head` is a text stored with its length.
    explicit TextPacker(const Table& head) {
        usable_ = !head.fields.empty();
        for (const FieldInfo& f : head.fields) {
            const ValueLayout lay = valueLayout(f);
            usable_ = usable_ && f.kind == FieldKind::String && lay.form == ValueLayout::Varying &&
                      lay.bytes >= 1 && lay.bytes <= 4;
            prefix_.push_back(lay.bytes);
            maxLen_.push_back(maxValueBytes(f));
        }
        bitmap_ = (2 * head.fields.size() + 7) / 8;
        most_ = 1 + bitmap_;
        for (std::size_t i = 0; i < prefix_.size(); ++i)
            most_ += prefix_[i] + std::max<std::uint64_t>(maxLen_[i], 1);
    }
    bool usable() const { return usable_; }

    // False, with nothing written, for a text holding a zero byte (the writer cuts it there):
    // such a record is left to the writer. `noZeros`: the caller knows no text holds one.
    bool put(std::string_view* cells, PacketSink& out, bool noZeros = false) const {
        // Room for the longest record; only what is written is kept.
        char* const start = out.reserve(most_);
        std::memset(start, 0, 1 + bitmap_);
        char* p = start + 1 + bitmap_;
        for (std::size_t i = 0; i < prefix_.size(); ++i) {
            std::string_view& v = cells[i];
            if (v.size() > maxLen_[i]) v = v.substr(0, maxLen_[i]);
            if (!noZeros && !v.empty() && std::memchr(v.data(), 0, v.size())) return false;
            const std::size_t len = std::max<std::size_t>(v.size(), 1);
            if (prefix_[i] == 1) {
                *p++ = static_cast<char>(len);
            } else {
                for (std::uint32_t k = 0; k < prefix_[i]; ++k)
                    *p++ = static_cast<char>(len >> (8 * k));
            }
            if (v.empty())
                *p = 0;
            else
                copyShort(p, v.data(), len);
            p += len;
        }
        out.commit(static_cast<std::size_t>(p - start));
        return true;
    }

private:
    bool usable_ = false;
    std::size_t bitmap_ = 0;
    std::size_t most_ = 0; // bytes of the longest record
    std::vector<std::uint32_t> prefix_;
    std::vector<std::uint64_t> maxLen_;
};

} // namespace sarw
