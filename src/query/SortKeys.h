#pragma once
// The grid's generic sort order: a text that reads wholly as a number compares
// as that number; any other text compares without regard to letter case;
// numbers come before texts. Equal keys keep their order (the sort is stable
// in both directions).

#include <QString>
#include <vector>

namespace tw {

enum class SortMode { GenericAscending = 1, GenericDescending = 2 };

// Negative, zero or positive as `a` sorts before, with or after `b`.
int compareGeneric(const QString& a, const QString& b);

// The positions of `keys` in sorted order: element i is the index of the key
// that goes i-th.
std::vector<int> sortedOrder(const std::vector<QString>& keys, SortMode mode);

}  // namespace tw
