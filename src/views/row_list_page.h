#pragma once

#include "views/list_view_page.h"

#include <QTreeView>

#include <algorithm>
#include <utility>
#include <vector>

namespace tb {

// A list view whose rows each stand for one Row of the package (a pointer or a small handle).
// It keeps the selection on the same Rows across refills, so a change elsewhere does not move
// it, and hands Edit and Remove the Rows rather than row numbers.
template <class Row> class RowListPage : public ListViewPage {
protected:
    using ListViewPage::ListViewPage;

    // The rows the package has now, in list order, with the texts each shows.
    virtual std::vector<std::pair<Row, QStringList>> currentRows() const = 0;
    virtual void editRow(const Row& row) = 0;
    // The question was asked; the rows come from the last selected to the first.
    virtual void removeRows(const std::vector<Row>& rows) = 0;

    void refresh() override { fill(selectedRows()); }

    // Refills the list and selects the rows equal to one of selected.
    void fill(const std::vector<Row>& selected) {
        rows_.clear();
        std::vector<QStringList> texts;
        std::vector<int> selectedNumbers;
        for (auto& [row, rowTexts] : currentRows()) {
            if (std::find(selected.begin(), selected.end(), row) != selected.end())
                selectedNumbers.push_back(int(rows_.size()));
            rows_.push_back(row);
            texts.push_back(std::move(rowTexts));
        }
        setRows(texts, selectedNumbers);
    }

    std::vector<Row> selectedRows() const { return rowsAt(list()->selectedRows()); }

private:
    std::vector<Row> rowsAt(const QList<int>& numbers) const {
        std::vector<Row> rows;
        for (int number : numbers)
            if (number >= 0 && size_t(number) < rows_.size())
                rows.push_back(rows_[size_t(number)]);
        return rows;
    }

    void edit(int number) final {
        if (number < 0 || size_t(number) >= rows_.size())
            return;
        // A copy: a refill while the dialog is open or after the change replaces rows_.
        const Row row = rows_[size_t(number)];
        editRow(row);
    }
    void remove(const QList<int>& numbers) final {
        const std::vector<Row> rows = rowsAt(numbers);
        list()->table()->clearSelection(); // its rows are about to go
        removeRows(rows);
    }

    std::vector<Row> rows_;
};

} // namespace tb
