#pragma once

// The words of the radio link: the link reports what happened as values (an outcome, a port
// problem, the areas that differ), and this turns them into the fixed messages the window and the
// command-line tool show. Qt Core only, so orxtool uses it without widgets.

#include "MemoryAreas.h"
#include "ContinuousWrite.h"
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

// Where a failed transfer stopped, one line: its step, the block and what went wrong ("写数据第 37 块
// （地址 0x120）：对讲机没有确认"); empty when the failure names no step.
QString TransferFailureLine(const RadioTransfer::Failure& failure);
// After a write that kept the radio's serial number: the line that says so; empty otherwise.
QString SerialKeptText(const RadioTransfer& transfer);
// After a successful write: "写数据完成：已写入 448 块，校验无误".
QString WriteDoneText(const RadioTransfer& transfer);
// A batch radio's result and verification, as the log shows them.
QString BatchResultText(const BatchRadio& radio);
QString BatchVerificationText(const BatchRadio& radio, bool verify);
// The log's header and one radio's line (time, serial number, result, verification, backup).
QStringList BatchLogHeader();
QStringList BatchLogFields(const BatchRadio& radio, bool verify);

// Who holds a port: "orxtool（进程 42）", with the host when it is another machine; empty when
// nobody is known.
QString PortHolderText(const PortHolder& holder);
// Why a port would not open, in Chinese, one or two sentences; empty when it did.
QString PortProblemText(const PortProblem& problem);

// The areas as the user names them: "信道 5", "设置", "收音机频率 3", "地址 0x812", "频段".
QString MemoryAreaName(const MemoryArea& area);
QStringList MemoryAreaNames(const std::vector<MemoryArea>& areas);

} // namespace orx
