#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sarw::rtf {

// The rich text the editor and the help texts hold: paragraphs of runs of one format. Texts are
// UTF-8 here, so a character the Windows-1250 files cannot hold survives a read and a write.

// The font a run without a known font takes (and the writer's first font).
inline constexpr const char* kDefaultFont = "Times New Roman";

enum class Align { Left, Center, Right, Justify };

struct CharFormat {
    std::string font = kDefaultFont;
    int halfPoints = 24; // RTF's \fs: the size in half points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::uint32_t rgb = 0; // 0xRRGGBB
    bool operator==(const CharFormat&) const = default;
};

// Text may hold '\t' (tab) and '\n' (a line break inside the paragraph).
struct Run {
    CharFormat format;
    std::string text;
    bool operator==(const Run&) const = default;
};

struct Paragraph {
    Align align = Align::Left;
    std::vector<Run> runs;
    bool operator==(const Paragraph&) const = default;
};

struct RichText {
    std::vector<Paragraph> paragraphs;
    bool operator==(const RichText&) const = default;
};

// Appends text to the paragraph's last run when it has the same format, else as a new run.
void appendRun(Paragraph& p, const CharFormat& f, std::string_view text);
// The text alone: paragraphs ended by '\n'.
std::string plainText(const RichText& t);
// Every line of a UTF-8 text (ended by LF or CR LF) as a paragraph in the one format.
RichText fromPlainText(std::string_view utf8, const CharFormat& f = {});

} // namespace sarw::rtf
