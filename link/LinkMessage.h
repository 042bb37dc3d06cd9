#pragma once

// The radio link's message box: the fixed text ("打开串口失败", "通信出错", ...) and, where there
// is one, the reason below it, wide enough that a device path is not broken over lines.

class QString;
class QWidget;

void ShowLinkMessage(QWidget* parent, const QString& text, const QString& detail, const QString& objectName);
