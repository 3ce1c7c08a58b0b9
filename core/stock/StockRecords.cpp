// The sign rule's numbers: an issue's quantity and value written negative.
#include "stock/StockRecords.h"

#include "shell/NumText.h"
#include "shell/NumTextFast.h"

#include <utility>

namespace sarw {

void negateIssue(std::string_view& quantity, std::string_view& value, NegatedTexts& room) {
    std::string& q = room[0];
    std::string& v = room[1];
    if (!negatedInPlace(quantity, kQuantityWidth, kQuantityDecimals, q))
        q = numberToText(kQuantityWidth, kQuantityDecimals, -textToNumberFast(quantity));
    if (!negatedInPlace(value, kValueWidth, kValueDecimals, v))
        v = numberToText(kValueWidth, kValueDecimals, -textToNumberFast(value));
    quantity = q;
    value = v;
}

void negateIssue(std::string& quantity, std::string& value) {
    std::string_view q = quantity, v = value;
    NegatedTexts room;
    negateIssue(q, v, room);
    quantity = std::move(room[0]);
    value = std::move(room[1]);
}

} // namespace sarw
