#include "ProgramView.h"

// Reading and writing the radio, and live power tuning.

void CProgramView::OnRead() {}

void CProgramView::OnWrite() {}

void CProgramView::OnPower() {}
