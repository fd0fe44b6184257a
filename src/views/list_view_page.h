#pragma once

#include "views/list_editor.h"
#include "views/view_page.h"

#include <QStringList>

#include <cstdint>
#include <vector>

class QStandardItemModel;

namespace tb {

// A view that is one list: a ListEditor over rows of texts, whose column widths live in the
// user's settings. The view says what Add, Edit and Remove do and which texts the rows show.
class ListViewPage : public ViewPage {
    Q_OBJECT
public:
    ~ListViewPage() override;

    ListEditor* list() const { return list_; }

    void packageChanged(const PackageChange& change) override;

protected:
    // storedWidths (the settings' list for this view) is read now and written when the view
    // goes. The rows are refilled after a change of one of the package parts refillOn.
    ListViewPage(Application& app, ui::CommandRegistry& registry, const QString& name,
                 RemovalQuestion question, const QStringList& columns,
                 std::vector<uint32_t>& storedWidths, const std::vector<int>& defaultWidths,
                 std::vector<PackageChangeKind> refillOn, QWidget* parent);

    virtual void add() = 0;
    virtual void edit(int row) = 0;
    // Rows from the last selected to the first.
    virtual void remove(const QList<int>& rows) = 0;

    // Replaces the rows and selects those numbered in selected.
    void setRows(const std::vector<QStringList>& rows, const std::vector<int>& selected);

private:
    ListEditor* list_;
    QStandardItemModel* model_;
    std::vector<uint32_t>& storedWidths_;
    const std::vector<PackageChangeKind> refillOn_;
};

} // namespace tb
