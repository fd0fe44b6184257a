#pragma once

#include "editing/localization_rows.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <functional>
#include <vector>

namespace tb {

// The Localization view's rows: the label, the text in the current language and the text in
// the language being translated into. Editing a cell of the third column hands the new text
// to the commit function, which changes the package; the cell shows what the package holds
// afterwards.
class LocalizationModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { kLabel, kCurrent, kTranslation, kColumnCount };

    struct Row {
        LocalizationRow row;
        QString current;
        QString translation;
    };
    // Called with a row and the text typed for it; gives what the cell shows afterwards.
    using Commit = std::function<QString(const LocalizationRow& row, const QString& text)>;

    explicit LocalizationModel(Commit commit, QObject* parent = nullptr);

    void reset(std::vector<Row> rows, const QStringList& headers, bool editable);
    const LocalizationRow* rowAt(int row) const;
    void setTexts(int row, const QString& current, const QString& translation);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Whether the third column of row is edited in place (a text row while translating).
    bool editsInPlace(int row) const;

private:
    Commit commit_;
    std::vector<Row> rows_;
    QStringList headers_;
    bool editable_ = false;
};

} // namespace tb
