#pragma once

#include "tables/model/Table.h"

#include <string>
#include <string_view>

namespace sarw {

// Text of a stored value, exactly as the XML table format writes it in its attribute
// (unescaped): strings and memos unchanged, integers in decimal, r8 like %.16g, dates yyyymmdd,
// booleans TRUE/FALSE, blobs in Base64 ...
std::string formatFieldValue(const FieldInfo& field, std::string_view raw);
// The inverse: stored bytes of a value given as such a text. False when the text is malformed.
bool parseFieldValue(const FieldInfo& field, std::string_view text, std::string& raw);

// Base64 as the XML format writes binary values (no line breaks); decoding tolerates white
// space and missing padding.
std::string base64Encode(std::string_view bytes);
bool base64Decode(std::string_view text, std::string& bytes);

} // namespace sarw
