#pragma once

// The channel table as the grid shows it: row r is channel r + 1, column c is grid column c + 1
// (the fixed header row and number column are the header data). A cell's edit role is its grid
// text; row 63 holding the serial number shows so, greyed, and takes no text.
//
// The document changes the table (its history's steps) and names the rows that changed; a text put
// straight into a cell is the only change made here.

#include "ChannelEntryTable.h"

#include <QAbstractTableModel>

#include <array>
#include <string_view>
#include <vector>

class CChannelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CChannelTableModel(orx::ChannelEntryTable& table, QObject* parent = nullptr);

    // What a cell shows of its grid text: the choice words and the tone words in the language the
    // user chose. The grid text itself (the edit role, the clipboard, CSV, the image) stays as it is.
    static QString DisplayText(orx::ChannelColumn col, std::string_view text);
    // The language changed: headers and cells are shown anew.
    void retranslate();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // A text put into a cell, as it is; the row keeps its bytes. A fixed row takes nothing.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    const orx::ChannelEntryTable& table() const { return m_table; }
    // Rows first to last (channel numbers) changed in the table: they are shown anew.
    void showRows(int first, int last);

signals:
    // Texts or entries changed through the model.
    void edited();

private:
    orx::ChannelEntryTable& m_table;
    std::array<QString, orx::kDataColumnCount> m_columnHeaders;
};
