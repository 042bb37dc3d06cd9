#include "ProgramView.h"

// The feature dialogs of the Edit menu: each edits its own block of the image.

void CProgramView::OnDtmf() {}

void CProgramView::OnSideKeys() {}

void CProgramView::OnFmRadio() {}

void CProgramView::OnSerialNumber() {}
