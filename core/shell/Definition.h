#pragma once

#include <string>
#include <vector>

namespace sarw {

// One field of a definition file (a definition line that is not a gap line).
struct FieldDef {
    int width = 0;            // "A. TD"
    int fieldPos = 0;         // `FieldPos`: first position in a fixed-length record, 1-based
    std::string tns1;         // "B. TNS1" as read, 30 characters
    std::string fieldName;    // `FieldName`
    std::string heading;      // `Heading`: TNS2 fitted to width + 1
    std::string type;         // "D. TMS", two characters
    std::string checkMode;    // "E. SP", one character or empty
    char mode = ' ';          // "G. I/P": 'P', 'N', 'K' or blank
    int ulozP = 0;            // `UlozP`
    int ulozZ = 0;            // `UlozZ`
    int ulozDo = 0;           // `UlozDo`
    int keyPos = 0;           // position in the key, 0 when none
    std::string jmSCis;       // `JmSCis`: codebook reference
    std::string jmPole;       // `JmPole/TW`
    int lineOf = 0;           // `LineOf`: definition line that holds the field, 1-based
    bool headEnd = false;     // "KH" in columns 75-76
};

// The current definition: what the last read definition file describes.
struct Definition {
    static constexpr int kMaxLines = 200;
    static constexpr int kMaxFields = 200;
    static constexpr int kMaxRecLen = 5000;

    std::vector<FieldDef> fields;        // field f is fields[f - 1]
    std::vector<std::string> lineText;   // `LineText` of line l is lineText[l - 1]
    int recLen = 0;                      // `RecLen`
    std::vector<int> keyList;            // `KeyList`, 1-based field numbers in key order
    int headCount = 0;                   // `HeadCount`
    int itemCount = 0;                   // `ItemCount`
    bool memoFlag = false;               // `MemoFlag`

    int fieldCount() const { return static_cast<int>(fields.size()); }  // `FieldCount`
    int lineCount() const { return static_cast<int>(lineText.size()); }
    const FieldDef& field(int f) const { return fields.at(static_cast<size_t>(f - 1)); }
    FieldDef& field(int f) { return fields.at(static_cast<size_t>(f - 1)); }
    void clear() { *this = Definition{}; }
};

} // namespace sarw
