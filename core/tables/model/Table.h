#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sarw {

// Kinds of fields a table file can hold. The program's own tables use String and Memo only;
// the others come from files of other programs and must load, show and save correctly.
enum class FieldKind : std::uint8_t {
    String,      // "string": 8-bit text, size = declared width
    Memo,        // "bin.hex" SUBTYPE Text (or WideText): text without size limit
    Blob,        // "bin.hex" with another subtype: bytes
    WideString,  // "string.uni": UTF-16LE bytes
    Int,         // signed integer of size 1, 2, 4 or 8 bytes
    UInt,        // unsigned integer of size 1, 2, 4 or 8 bytes
    Bool,        // 2 bytes
    Float,       // r8
    Single,      // r4
    Bcd,         // "fixed"
    FmtBcd,      // "fixedFMT"
    Date,        // i32 day number
    Time,        // i32 milliseconds of the day
    DateTime,    // r8 milliseconds since 0001-01-00
    SqlDateTime, // 16-byte SQL timestamp
    SqlDateTimeOffset,
    Adt,         // composite parent: never holds a value
    Other,       // anything else: raw bytes kept as they are
};

// A property of a field or of the packet, kept as the binary format stores it so that what the
// program does not interpret is saved again unchanged.
struct PacketProperty {
    std::string name;
    std::uint16_t size = 0;
    std::uint16_t type = 0;
    std::string value;  // the value bytes as stored (length prefix or count included)
};

struct FieldInfo {
    std::string name;
    FieldKind kind = FieldKind::String;
    int size = 0;           // declared width of strings, byte width of fixed kinds
    bool required = false;
    std::string subtype;    // SUBTYPE property ("Text", "Money", "Autoinc" ...), empty when none
    // Storage details of a loaded file; zero means "derive from kind and size".
    std::uint16_t typeWord = 0;
    std::uint16_t descSize = 0;
    std::uint16_t attributes = 0;  // besides required (0x0004)
    std::vector<PacketProperty> extraProps;  // properties other than WIDTH and SUBTYPE
};

// An index definition of a table object: name, field names joined by ';', options.
struct IndexDef {
    std::string name;
    std::string fields;
    bool primary = false;
    bool unique = false;
};

enum class CellState : std::uint8_t { Value = 0, Null = 1, Unchanged = 2 };

// Fields and records of one table, held compactly: one byte arena per table; each record is a
// run of cell slots (end offset and state) followed by the cell bytes. Field indexes here are
// 0-based. Cells hold the value bytes as the binary file format stores them (strings and memos:
// their text; fixed kinds: their little-endian bytes).
class Table {
public:
    std::vector<FieldInfo> fields;
    std::vector<PacketProperty> packetProps;  // as loaded: DEFAULT_ORDER, LCID ...
    std::vector<IndexDef> indexDefs;
    int packetVersion = 0;                    // major version of a loaded binary file

    int fieldCount() const { return static_cast<int>(fields.size()); }
    // Index of the first field of this name (exact comparison), -1 when none.
    int findField(std::string_view name) const;

    std::size_t recordCount() const { return recStart_.size(); }
    bool empty() const { return recStart_.empty(); }

    std::string_view raw(std::size_t rec, int field) const;
    CellState state(std::size_t rec, int field) const;
    // Every cell of a record at once, into fieldCount() entries each (states may be null);
    // the views stay valid until the table changes. For loops over whole tables.
    void recordCells(std::size_t rec, std::string_view* cells, CellState* states = nullptr) const;
    bool isNull(std::size_t rec, int field) const { return state(rec, field) != CellState::Value; }

    // Text of a cell: strings and memos as stored, other kinds as the XML format writes them;
    // a null cell gives an empty text.
    std::string text(std::size_t rec, int field) const;
    // Sets a cell from text (the inverse of text()); for kinds other than strings an empty text
    // makes the cell null. False when the text is not a value of the field's kind.
    bool setText(std::size_t rec, int field, std::string_view text);

    void setRaw(std::size_t rec, int field, std::string_view bytes,
                CellState st = CellState::Value);
    void setNull(std::size_t rec, int field) { setRaw(rec, field, {}, CellState::Null); }

    // Appends a record with every cell null; returns its index.
    std::size_t appendNull();
    // Appends a record from raw cells; cells and states hold fieldCount() entries
    // (states may be null: every cell holds a value).
    std::size_t appendRaw(const std::string_view* cells, const CellState* states = nullptr);
    // Appends a record of texts (fewer texts than fields leave the rest null).
    std::size_t appendTexts(const std::vector<std::string>& texts);
    // Appends record rec of another table with the same layout.
    std::size_t appendFrom(const Table& other, std::size_t rec);
    // Replaces every cell of record rec (fieldCount() cells; states may be null). The record
    // stays in place when its size does not grow, so a whole table can be rewritten without a
    // second copy of it; cells may point into this table.
    void replaceRecord(std::size_t rec, const std::string_view* cells,
                       const CellState* states = nullptr);

    void insertNull(std::size_t pos);
    void erase(std::size_t rec);
    void clearRecords();
    // Puts the records in a new order: record i becomes the former record order[i].
    void reorder(const std::vector<std::uint32_t>& order);

    void reserve(std::size_t records, std::size_t bytes);
    // Bytes held by the records, for the memory figures.
    std::size_t memoryUsage() const;
    // Counts every change of fields or records, so a table object knows it must be written.
    std::uint64_t changeCount() const { return changes_; }

private:
    std::uint32_t slot(std::size_t rec, int field) const;
    std::size_t cellBegin(std::size_t rec, int field) const;
    std::size_t recordBytes(std::size_t rec) const;
    void compactIfWasteful();

    std::vector<char> arena_;
    std::vector<std::uint64_t> recStart_;
    std::size_t garbage_ = 0;
    std::uint64_t changes_ = 0;
};

} // namespace sarw
