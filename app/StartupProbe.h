#pragma once

// For the start-up benchmark: when ORX_REPORT_FIRST_PAINT is set in the environment, the first
// paint of the watched window prints "painted <peak resident kB>" on stdout and ends the program.
// Without the variable nothing happens.

class QWidget;

void WatchFirstPaint(QWidget* window);
