#include "ProgramView.h"

#include "CMSFlexGrid.h"

// Cell editing over the grid, the channel line's buttons and the factory defaults.

void CProgramView::installEditorFilters() {}

void CProgramView::CommitOpenEditor() {}

void CProgramView::OpenCellEditor() {}

void CProgramView::StartFrequencyEntry(int) {}

void CProgramView::DeleteChannel() {}

void CProgramView::AddChannel() {}

void CProgramView::LoadFactoryDefaults() {}

bool CProgramView::eventFilter(QObject* watched, QEvent* event)
{
    return QWidget::eventFilter(watched, event);
}

void CProgramView::wheelEvent(QWheelEvent* event)
{
    QWidget::wheelEvent(event);
}
