#pragma once

#include <QString>
#include <cstddef>
#include <utility>
#include <vector>

#include "icons/NameOrder.h"

// The order of file and folder names in both browser controls: the core's name order, so the
// controls list names as the scans take them.
inline bool NameLess(const QString& a, const QString& b) {
    return NameLess(a.toStdString(), b.toStdString());
}

// What MergeSortedRows announces around each change of the row list, so a model can send its
// begin and end notices.
enum class TRowChange { Removing, Removed, Inserting, Inserted };

// Brings rows in line with fresh, both sorted by less: rows missing from fresh are removed,
// new ones inserted, and keep(old, fresh, row) is called for each row found in both. Rows that
// stay are not replaced, so views keep their selection, expansion and scroll position.
template <typename Row, typename Less, typename Announce, typename Keep>
void MergeSortedRows(std::vector<Row>& rows, std::vector<Row> fresh, Less less, Announce announce,
                     Keep keep) {
    std::size_t at = 0;
    auto removeAt = [&] {
        announce(TRowChange::Removing, static_cast<int>(at));
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(at));
        announce(TRowChange::Removed, static_cast<int>(at));
    };
    for (Row& row : fresh) {
        while (at < rows.size() && less(rows[at], row)) removeAt();
        if (at < rows.size() && !less(row, rows[at])) {
            keep(rows[at], row, static_cast<int>(at));
        } else {
            announce(TRowChange::Inserting, static_cast<int>(at));
            rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at), std::move(row));
            announce(TRowChange::Inserted, static_cast<int>(at));
        }
        ++at;
    }
    while (at < rows.size()) removeAt();
}
