#pragma once

// The words of the radio link: the link reports what happened as values (an outcome, a port
// problem, the areas that differ), and this turns them into the fixed messages the window and the
// command-line tool show. Qt Core only, so orxtool uses it without widgets.

#include "MemoryAreas.h"
#include "PortDiagnosis.h"
#include "RadioTransfer.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace orx {

// The message the user sees for an outcome; empty for success and for a cancel.
const char* TransferOutcomeText(RadioTransfer::Outcome outcome);
// After a cancel: the short status that says how far the transfer got.
QString TransferCancelStatus(const RadioTransfer& transfer);
// After a VerifyMismatch: the line below the message that names what differs.
QString TransferDifferencesText(const RadioTransfer& transfer);
// When the backup could not be written: the message for the user; empty otherwise.
QString TransferBackupFailureText(const RadioTransfer& transfer);
// Below the message of a port that would not open: why; below a wrong password: where to type it;
// empty for every other outcome.
QString TransferFailureDetail(const RadioTransfer& transfer, RadioTransfer::Outcome outcome);

// Who holds a port: "orxtool（进程 42）", with the host when it is another machine; empty when
// nobody is known.
QString PortHolderText(const PortHolder& holder);
// Why a port would not open, in Chinese, one or two sentences; empty when it did.
QString PortProblemText(const PortProblem& problem);

// The areas as the user names them: "信道 5", "设置", "收音机频率 3", "地址 0x812", "频段".
QString MemoryAreaName(const MemoryArea& area);
QStringList MemoryAreaNames(const std::vector<MemoryArea>& areas);

} // namespace orx
