#pragma once

// "批量设置...": one line per column that can be set for many channels at once (transmit offset,
// tones, busy lockout, power, bandwidth, scan add, PTT ID, name prefix). A line's check box
// unlocks it; on OK the checked lines make the change, which the view applies to its selection
// through the image library, as one step of the history.

#include "ChannelBulk.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QPushButton;

class CBulkEditDlg : public QDialog {
    Q_OBJECT
public:
    // The lines, top to bottom.
    enum Line {
        LineOffset,
        LineRxTone,
        LineTxTone,
        LineBusyLockout,
        LinePower,
        LineBandwidth,
        LineScanAdd,
        LinePttId,
        LineNamePrefix,
        LineCount
    };
    // The choices of the duplex list, in list order.
    enum DuplexChoice { ChoiceSimplex, ChoicePlus, ChoiceMinus, ChoiceSplit };

    // channelCount: how many channels are selected (for the text at the top); offsetUnits: the
    // offset last used, offered first.
    CBulkEditDlg(int channelCount, std::uint32_t offsetUnits, QWidget* parent = nullptr);

    // The change of the checked lines (valid after OK).
    orx::BulkChange change() const;
    // The offset the user chose, to be offered again (0 when none was chosen).
    std::uint32_t chosenOffset() const;

    QCheckBox* checkBox(Line line) const { return m_checks[static_cast<std::size_t>(line)]; }
    QComboBox* duplexList() const { return m_duplex; }
    QComboBox* offsetField() const { return m_offset; }
    QComboBox* choiceList(Line line) const;
    QPushButton* toneButton(Line line) const { return line == LineRxTone ? m_rxTone : m_txTone; }
    QLineEdit* namePrefixEdit() const { return m_namePrefix; }
    QPushButton* okButton() const;

private:
    void updateState();
    std::optional<orx::OffsetChoice> offsetChoice() const;
    void pickTone(QPushButton* button);
    static void setTone(QPushButton* button, orx::ChannelColumn col, const QString& toneText);
    static QString toneOf(const QPushButton* button);

    std::array<QCheckBox*, LineCount> m_checks{};
    std::array<QWidget*, LineCount> m_fields{};
    QComboBox* m_duplex = nullptr;
    QComboBox* m_offset = nullptr;
    QPushButton* m_rxTone = nullptr;
    QPushButton* m_txTone = nullptr;
    std::array<QComboBox*, LineCount> m_choices{};
    QLineEdit* m_namePrefix = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};
